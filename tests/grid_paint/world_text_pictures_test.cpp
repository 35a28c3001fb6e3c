// Text of many scripts as the grid paints it: Chinese, Japanese and Korean from the fallback
// face, Arabic and Hebrew right to left with numbers, Devanagari and Thai, combining marks, a
// header, a tooltip and an open editor in Arabic, an editor showing Chinese being composed. Rendered headless at 96 dpi with the pinned
// fonts (LATTIX_UPDATE_PICTURES=1 rewrites the references).
#include "tests/grid_paint/paint_support.h"
#include "tests/picture_check.h"

#include "grid/view/ctooltip.h"
#include "grid/view/grid_chrome.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/tooltip_window.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"

namespace paint_test {
namespace {

std::string Pic(const std::string& name) { return "tests/grid_paint/" + name + ".png"; }

const std::vector<std::pair<const char*, const char*>> kSamples = {
    {"Chinese", "你好，世界 — 鸡舍 3"},
    {"Japanese", "こんにちは、鶏舎です"},
    {"Korean", "안녕하세요 양계장"},
    {"Arabic", "مزرعة الدواجن 7: 2400 طائر"},
    {"Hebrew", "לול 12 — 1,850 עופות"},
    {"Devanagari", "मुर्गी पालन केंद्र ३"},
    {"Thai", "ฟาร์มไก่ หมายเลข 5"},
    {"Marks", "Ñandu\xCC\x81 e\xCC\x81 a\xCC\x88\xCC\x81 n\xCC\x80"},
    {"Mixed", "Flock 7 — مزرعة 3"},
};

void FillSamples(Lattix& g) {
    g.SetColCount(2);
    g.SetRowCount(static_cast<int32_t>(kSamples.size()));
    g.SetColWidth(Variant(1), 80);
    g.SetColWidth(Variant(2), 220);
    for (size_t i = 0; i < kSamples.size(); ++i) {
        g.SetCellValue(Variant(static_cast<int32_t>(i + 1)), Variant(1), Variant(kSamples[i].first));
        g.SetCellValue(Variant(static_cast<int32_t>(i + 1)), Variant(2), Variant(kSamples[i].second));
    }
}

} // namespace

TEST(WorldTextPictures, ScriptsInCellsAndAnArabicHeader) {
    HostedGrid h(310, 230);
    Lattix& g = *h.g;
    g.SetHeaderHeight(20);
    FillSamples(g);
    g.SetColHeaderText(Variant(1), "Script");
    g.SetColHeaderText(Variant(2), "النص");
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("world_scripts")));
}

TEST(WorldTextPictures, AnOpenEditorWithArabicTextAndItsCaret) {
    HostedGrid h(310, 80);
    Lattix& g = *h.g;
    FillSamples(g);
    h.attach();
    lattix::ui::Wm().SetFocus(g.WindowHandle());
    g.EditCell(Variant(4), Variant(2));
    ASSERT_TRUE(g.IsEditing());
    auto* editor = lattix::controls::EditBox::FromWindow(g.TextEditHwnd());
    ASSERT_NE(editor, nullptr);
    editor->SetSel(5, 5); // after the first word, which reads from the right
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("world_editor")));
}

TEST(WorldTextPictures, AnArabicTooltip) {
    HostedGrid h(200, 120);
    Lattix& g = *h.g;
    FillSamples(g);
    g.SetColWidth(Variant(2), 90);
    g.SetToolTipDelayTime(100);
    h.attach();
    const lattix::gfx::Rect cell = g.CellRectInWindow(4, 2);
    h.host.MouseMove(cell.left + 20, cell.top + 5);
    h.host.Advance(100);
    lattix::controls::TooltipWindow* tip = g.Chrome().CellTooltip().Window();
    ASSERT_NE(tip, nullptr);
    ASSERT_TRUE(tip->IsShown());
    EXPECT_EQ(tip->Text(), kSamples[3].second);
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("world_tooltip")));
}

TEST(WorldTextPictures, AnEditorShowingChineseBeingComposed) {
    HostedGrid h(310, 60);
    Lattix& g = *h.g;
    FillSamples(g);
    h.attach();
    lattix::ui::Wm().SetFocus(g.WindowHandle());
    g.SetCurrentCell(1, 2);
    // Composing starts the edit like typing; the text being composed shows underlined at the
    // caret and is not yet the editor's text.
    h.host.UpdateComposition("鸡舍", 1);
    ASSERT_TRUE(g.IsEditing());
    auto* editor = lattix::controls::EditBox::FromWindow(g.TextEditHwnd());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Text(), "");
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("world_preedit")));
    h.host.CommitComposition("鸡舍");
    h.host.KeyPress(lattix::ui::VK_RETURN);
    EXPECT_EQ(lattix::ToString(g.CellValue(Variant(1), Variant(2))), "鸡舍");
}

} // namespace paint_test

// The headless host: input calls check their arguments, the virtual clock moves only when told,
// scripted answers queue up, and the window renders to a PNG file of its size.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class HostTest : public GridFixture {};

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST_F(HostTest, InputCallsCheckButtonsModifiersAndKeys) {
    lx_error err{};
    EXPECT_EQ(lx_host_mouse_move(host, 10, 10, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_click(host, 20, 20, 1, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_double_click(host, 20, 20, 2, 1, &err), LX_OK);
    EXPECT_EQ(lx_host_mouse_down(host, 5, 5, 4, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_mouse_move(host, 6, 7, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_mouse_up(host, 6, 7, 4, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_drag(host, 1, 1, 50, 50, 3, 1, 2, &err), LX_OK);
    EXPECT_EQ(lx_host_wheel(host, -120, 30, 30, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_key(host, 0x28, 0, &err), LX_OK);
    EXPECT_EQ(lx_host_key_down(host, 0x41, 2, &err), LX_OK);
    EXPECT_EQ(lx_host_key_up(host, 0x41, 2, &err), LX_OK);
    EXPECT_EQ(lx_host_type_text(host, "gr\xC3\xBC\xC3\x9F", &err), LX_OK);

    EXPECT_EQ(static_cast<uint32_t>(lx_host_click(host, 1, 1, 3, 0, &err)), 0x800A0005u) << "no button 3";
    EXPECT_NE(lx_host_click(host, 1, 1, 1, 8, &err), LX_OK) << "shift bits beyond Alt";
    EXPECT_NE(lx_host_key(host, 0, 0, &err), LX_OK);
    EXPECT_NE(lx_host_key(host, 0x1FF, 0, &err), LX_OK);
    EXPECT_NE(lx_host_drag(host, 1, 1, 2, 2, 0, 1, 0, &err), LX_OK);
    EXPECT_NE(lx_host_type_text(host, nullptr, &err), LX_OK);
    EXPECT_EQ(static_cast<uint32_t>(lx_host_click(nullptr, 1, 1, 1, 0, &err)), 0x80004003u);
}

TEST_F(HostTest, ClockMovesOnlyWhenAdvanced) {
    const int64_t start = lx_host_now(host);
    ASSERT_GE(start, 0);
    lx_host_click(host, 10, 10, 1, 0, nullptr);
    EXPECT_EQ(lx_host_now(host), start) << "input takes no time";
    ASSERT_EQ(lx_host_advance(host, 250, nullptr), LX_OK);
    EXPECT_EQ(lx_host_now(host), start + 250);
    EXPECT_NE(lx_host_advance(host, -1, nullptr), LX_OK);
    EXPECT_EQ(lx_host_now(host), start + 250);
    EXPECT_EQ(lx_host_now(nullptr), -1);
}

TEST_F(HostTest, AnswersQueueForTheNextMessageBoxOrMenu) {
    const int32_t before = lx_host_pending_answers(host);
    ASSERT_EQ(lx_host_answer_next(host, LX_ANSWER_MESSAGE_BOX, 6, nullptr), LX_OK);
    ASSERT_EQ(lx_host_answer_next(host, LX_ANSWER_MENU, 0, nullptr), LX_OK);
    ASSERT_EQ(lx_host_answer_next_text(host, "Yes", nullptr), LX_OK);
    EXPECT_EQ(lx_host_pending_answers(host), before + 3);
    EXPECT_NE(lx_host_answer_next(host, 7, 1, nullptr), LX_OK);
    EXPECT_NE(lx_host_answer_next_text(host, nullptr, nullptr), LX_OK);
    EXPECT_EQ(lx_host_pending_answers(host), before + 3);
    EXPECT_EQ(lx_host_message_boxes_shown(host), 0);
}

TEST_F(HostTest, SavesThePictureOfTheWindowAsPng) {
    char dir[] = "/tmp/lattix_host_test_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string path = std::string(dir) + "/grid.png";
    ASSERT_EQ(lx_host_save_png(host, path.c_str(), nullptr), LX_OK);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(BigEndian32(bytes, 16), 640u) << "width of the IHDR chunk";
    EXPECT_EQ(BigEndian32(bytes, 20), 480u);
    std::remove(path.c_str());

    lx_error err{};
    const std::string nowhere = std::string(dir) + "/missing/dir/grid.png";
    EXPECT_EQ(static_cast<uint32_t>(lx_host_save_png(host, nowhere.c_str(), &err)), 0x800A004Bu);
    EXPECT_STREQ(err.description, "Path/File access error.");
    rmdir(dir);
}

TEST(HostLifetime, SeveralHostsShareOneDesktopAndGoInAnyOrder) {
    lx_host* a = nullptr;
    lx_host* b = nullptr;
    ASSERT_EQ(lx_host_create(100, 80, &a, nullptr), LX_OK);
    ASSERT_EQ(lx_host_create(120, 90, &b, nullptr), LX_OK);
    ASSERT_EQ(lx_host_advance(a, 40, nullptr), LX_OK);
    EXPECT_EQ(lx_host_now(b), lx_host_now(a)) << "one clock for the process";
    lx_object* grid = lx_host_grid(a);
    lx_host_destroy(a);
    Result r;
    EXPECT_EQ(lx_invoke_name(grid, "ColCount", LX_GET, nullptr, 0, nullptr, 0, &r.v, nullptr), LX_OK);
    lx_object_release(grid);
    EXPECT_EQ(lx_host_click(b, 10, 10, 1, 0, nullptr), LX_OK);
    lx_host_destroy(b);
    lx_host_destroy(nullptr);
}

} // namespace

namespace {

// The drop-down list of a list cell is the host's popup while it is open.
TEST_F(HostTest, PopupRectangleOfAnOpenDropDownList) {
    int32_t l = -7, t = -7, r = -7, b = -7;
    EXPECT_EQ(lx_host_popup_rect(host, &l, &t, &r, &b), 0);
    EXPECT_EQ(l, -7) << "left alone when none is open";
    EXPECT_EQ(lx_host_popup_rect(nullptr, &l, &t, &r, &b), 0);
    let("BorderType", I4(0));
    let("ColCount", I4(3));
    let("RowCount", I4(3));
    {
        ArgList w{I4(80)};
        ASSERT_EQ(call("SetColWidths", LX_METHOD, w), LX_OK);
        ArgList h{I4(20)};
        ASSERT_EQ(call("SetRowHeights", LX_METHOD, h), LX_OK);
    }
    Result combos, list;
    ASSERT_EQ(call("Combos", LX_GET, {}, &combos.v), LX_OK);
    ASSERT_EQ(combos.v.type, LX_OBJECT);
    ArgList key;
    key.str("sizes");
    ASSERT_EQ(lx_invoke_name(combos.v.value.object, "Add", LX_METHOD, key.data(), key.size(), nullptr, 0, &list.v, nullptr), LX_OK);
    for (const char* text : {"Small", "Medium", "Large"}) {
        ArgList item;
        item.str(text);
        ASSERT_EQ(lx_invoke_name(list.v.value.object, "AddItem", LX_METHOD, item.data(), item.size(), nullptr, 0, nullptr, nullptr), LX_OK);
    }
    ArgList type{I4(2), I4(2), I4(1)};
    ASSERT_EQ(call("CellType", LX_LET, type), LX_OK);
    ArgList ctrl{I4(2), I4(2)};
    ctrl.str("sizes");
    ASSERT_EQ(call("CellCtrlKey", LX_LET, ctrl), LX_OK);
    ArgList cur{I4(2), I4(2)};
    ASSERT_EQ(call("SetCurCell", LX_METHOD, cur), LX_OK);
    ASSERT_EQ(lx_host_focus(host, nullptr), LX_OK);
    // The combo button at the right end of cell (2, 2): x 80..160, y 40..60 below a 20-pixel header.
    const int32_t headerBottom = 20;
    {
        Result part;
        ArgList at{I4(155), I4(headerBottom + 30)};
        ASSERT_EQ(call("HitTest", LX_METHOD, at, &part.v), LX_OK);
        ASSERT_EQ(part.v.value.i4, 4) << "the combo button";
    }
    ASSERT_EQ(lx_host_click(host, 155, headerBottom + 30, 1, 0, nullptr), LX_OK);
    ASSERT_EQ(lx_host_popup_rect(host, &l, &t, &r, &b), 1);
    EXPECT_EQ(l, 80);
    EXPECT_EQ(t, headerBottom + 40);
    EXPECT_EQ(r - l, 80);
    EXPECT_GT(b - t, 3 * 15);
    ASSERT_EQ(lx_host_key(host, 0x1B, 0, nullptr), LX_OK); // Escape
    EXPECT_EQ(lx_host_popup_rect(host, &l, &t, &r, &b), 0);
}

} // namespace

namespace {

TEST(HostAtDpi, TheGridMeasuresTheScreenItIsMadeOnAndBadDpisAreRefused) {
    auto rowHeightAndLayout = [](int32_t dpi, int32_t* rowHeight, std::string* layout) {
        lx_host* h = nullptr;
        ASSERT_EQ(lx_host_create_at_dpi(300, 200, dpi, &h, nullptr), LX_OK);
        lx_object* g = lx_host_grid(h);
        Result row, text;
        ASSERT_EQ(lx_invoke_name(g, "DefaultRowHeight", LX_GET, nullptr, 0, nullptr, 0, &row.v, nullptr), LX_OK);
        ASSERT_EQ(lx_invoke_name(g, "LayoutCol", LX_GET, nullptr, 0, nullptr, 0, &text.v, nullptr), LX_OK);
        *rowHeight = row.v.value.i4;
        *layout = text.str();
        lx_object_release(g);
        lx_host_destroy(h);
    };
    int32_t at96 = 0, at192 = 0;
    std::string layout96, layout192;
    rowHeightAndLayout(96, &at96, &layout96);
    rowHeightAndLayout(192, &at192, &layout192);
    EXPECT_EQ(layout96, "{dpi=96}");
    EXPECT_EQ(layout192, "{dpi=192}");
    EXPECT_NEAR(at192, 2 * at96, 2);

    lx_host* none = nullptr;
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(lx_host_create_at_dpi(300, 200, 23, &none, &err)), 0x800A0005u);
    EXPECT_EQ(static_cast<uint32_t>(lx_host_create_at_dpi(300, 200, 1201, &none, &err)), 0x800A0005u);
    EXPECT_EQ(none, nullptr);
}

TEST_F(HostTest, TheHorizontalWheelGathersPartsOfANotch) {
    addColumns(20);
    for (int i = 0; i < 7; ++i) ASSERT_EQ(lx_host_hwheel(host, 15, 100, 100, 0, nullptr), LX_OK);
    Result bar, value;
    ASSERT_EQ(call("HScrollBar", LX_GET, {}, &bar.v), LX_OK);
    ASSERT_EQ(bar.v.type, LX_OBJECT);
    ASSERT_EQ(lx_invoke_name(bar.v.value.object, "Value", LX_GET, nullptr, 0, nullptr, 0, &value.v, nullptr), LX_OK);
    EXPECT_EQ(value.v.value.i4, 0);
    ASSERT_EQ(lx_host_hwheel(host, 15, 100, 100, 0, nullptr), LX_OK);
    Result after;
    ASSERT_EQ(lx_invoke_name(bar.v.value.object, "Value", LX_GET, nullptr, 0, nullptr, 0, &after.v, nullptr), LX_OK);
    EXPECT_GT(after.v.value.i4, 0);
    EXPECT_NE(lx_host_hwheel(nullptr, 120, 1, 1, 0, nullptr), LX_OK);
}

} // namespace

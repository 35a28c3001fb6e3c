// The grid's window handle, keyboard focus, About box and diagnostic counts, in a headless host.
#include <gtest/gtest.h>

#include <string>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/objects/header_object.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace {

using lattix::Lattix;
using lattix::Variant;
namespace ui = lattix::ui;

struct HostedGrid {
    HostedGrid() : host(300, 200) {
        grid = Lattix::Create();
        grid->AttachToWindow(host.TopLevel());
        grid->SetColCount(3);
        grid->SetRowCount(5);
    }
    ~HostedGrid() { grid.reset(); }
    ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> grid;
};

TEST(GridFocus, GainAndLossSetIsFocusedAndRepaintWhenTheLookDependsOnIt) {
    HostedGrid h;
    Lattix& g = *h.grid;
    EXPECT_NE(g.hWnd(), 0);
    EXPECT_EQ(g.invoke("hWnd", lattix::InvokeKind::Get), Variant(g.hWnd()));
    EXPECT_FALSE(g.IsFocused());

    g.FocusGridWindow();
    h.host.Pump();
    EXPECT_TRUE(g.IsFocused());
    EXPECT_EQ(g.invoke("IsFocused", lattix::InvokeKind::Get), Variant(true));

    // With a current cell the focus rectangle shows only while the grid has the focus: what the
    // window shows follows each change.
    g.SetCurCell(Variant(2), Variant(2));
    const lattix::gfx::Bitmap focused = h.host.Render();
    ui::Wm().SetFocus(h.host.TopLevel());
    h.host.Pump();
    EXPECT_FALSE(g.IsFocused());
    const lattix::gfx::Bitmap unfocused = h.host.Render();
    EXPECT_NE(focused, unfocused);
    g.FocusGridWindow();
    h.host.Pump();
    EXPECT_TRUE(g.IsFocused());
    EXPECT_EQ(h.host.Render(), focused);
}

TEST(GridFocus, FocusMovingIntoAWindowOfTheGridKeepsItFocused) {
    HostedGrid h;
    Lattix& g = *h.grid;
    g.FocusGridWindow();
    // The header bar is a window of the grid's own.
    const auto child = static_cast<ui::Hwnd>(g.Header()->hWnd());
    ASSERT_TRUE(ui::Wm().IsChild(g.WindowHandle(), child));
    ui::Wm().SetFocus(child);
    h.host.Pump();
    EXPECT_TRUE(g.IsFocused());
    ui::Wm().SetFocus(h.host.TopLevel());
    h.host.Pump();
    EXPECT_FALSE(g.IsFocused());
}

TEST(GridFocus, AGridWithoutWindowIsNeverFocused) {
    auto g = Lattix::Create();
    EXPECT_EQ(g->hWnd(), 0);
    EXPECT_FALSE(g->IsFocused());
}

TEST(AboutBox, ShowsTheLibraryNameAndVersion) {
    HostedGrid h;
    h.host.AnswerNextMessageBox(ui::IDOK);
    h.grid->invoke("ShowAboutBox", lattix::InvokeKind::Method);
    ASSERT_EQ(h.host.MessageBoxesShown().size(), 1u);
    const auto& shown = h.host.MessageBoxesShown().back();
    EXPECT_NE(shown.request.text.find("Lattix680_Norvex"), std::string::npos);
    EXPECT_NE(shown.request.text.find(std::string("version ") + Lattix::LibraryVersion()), std::string::npos);
    EXPECT_EQ(shown.request.caption, "About Lattix");
}

TEST(DevDbg, ReportsTheGridsInternalCounts) {
    HostedGrid h;
    Lattix& g = *h.grid;
    g.SetMultiSelect(true);
    g.SetCellSelected(Variant(1), Variant(1), true);
    g.SetCellSelected(Variant(2), Variant(3), true);
    g.RemoveRow(Variant(5));
    EXPECT_EQ(g.DevDbg(1, Variant()), Variant(4.0));                 // rows
    EXPECT_EQ(g.DevDbg(2, Variant()), Variant(3.0));                 // columns
    EXPECT_EQ(g.DevDbg(8, Variant()), Variant(2.0));                 // selected items
    EXPECT_GE(lattix::ToDouble(g.DevDbg(5, Variant())), 1.0);        // the removed row's slot is free
    EXPECT_EQ(lattix::ToDouble(g.DevDbg(6, Variant())),
              lattix::ToDouble(g.DevDbg(4, Variant())) * 4);         // cells: slots x (columns + row text)
    const std::string report = lattix::ToString(g.DevDbg(0, Variant()));
    EXPECT_NE(report.find("rows: 4\n"), std::string::npos) << report;
    EXPECT_NE(report.find("selected items: 2\n"), std::string::npos) << report;
    EXPECT_NE(report.find("fonts: "), std::string::npos) << report;

    // Through the automation interface, with the result also written into a by-reference argument.
    Variant slot = Variant::byRef(Variant());
    g.invoke("DevDbg", lattix::InvokeKind::Method, std::vector<Variant>{Variant(2), slot});
    EXPECT_EQ(*slot.slot(), Variant(3.0));
    for (int bad : {-1, 18}) {
        try {
            g.DevDbg(bad, Variant());
            FAIL() << bad;
        } catch (const lattix::AutomationError& e) {
            EXPECT_EQ(e.unsignedNumber(), 0x80040202u);
        }
    }
}

} // namespace

// Drag and drop in the headless host: dragging cells out, dropping text in, the effects and the
// OLE* events with their vetoes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/lattix.h"
#include "grid/objects/data_object.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/drag_drop.h"
#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace {

using lattix::Lattix;
using lattix::Variant;
namespace ui = lattix::ui;

struct DragGrid {
    DragGrid() : host(300, 200) {
        grid = Lattix::Create();
        grid->AttachToWindow(host.TopLevel());
        grid->SetBorderType(0);
        grid->SetColCount(3);
        grid->SetColWidths(60);
        grid->SetRowCount(4);
        grid->SetRowHeights(20);
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 3; ++c) grid->SetCellValue(Variant(r), Variant(c), Variant("r" + std::to_string(r) + "c" + std::to_string(c)));
        grid->events()->connect([this](const lattix::EventInfo& e, std::span<Variant> args) {
            if (e.name.rfind("OLE", 0) != 0) return;
            std::string line = e.name;
            for (size_t i = 1; i < args.size(); ++i) line += " " + lattix::ToString(args[i].deref());
            log.push_back(line);
            if (handler) handler(e.name, args);
        });
    }
    ~DragGrid() { grid.reset(); }
    lattix::DataObject& Data(std::span<Variant> args) {
        return static_cast<lattix::DataObject&>(*args[0].deref().object());
    }

    ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> grid;
    std::vector<std::string> log;
    std::function<void(const std::string&, std::span<Variant>)> handler;
};

TEST(DragOut, SelectedCellsTravelAsTabSeparatedTextAndTheEffectComesBack) {
    DragGrid d;
    d.grid->SetMultiSelect(true);
    d.grid->SetCellSelected(Variant(2), Variant(1), true);
    d.grid->SetCellSelected(Variant(2), Variant(2), true);
    d.grid->SetCellSelected(Variant(3), Variant(2), true);
    d.grid->SetCellValue(Variant(3), Variant(2), Variant("tab\there"));
    d.host.ScriptNextDragToOtherProgram(ui::kDropEffectMove);
    EXPECT_EQ(d.grid->OLEDrag(), ui::kDropEffectMove);
    const ui::DragData& data = ui::headless::HeadlessHost::LastDraggedData();
    EXPECT_EQ(data.get(ui::kMimeTabText), "r2c1\tr2c2\r\n\t\"tab\there\"\r\n");
    EXPECT_EQ(data.get(ui::kMimeText), data.get(ui::kMimeTabText));
    EXPECT_EQ(d.log, (std::vector<std::string>{"OLEStartDrag 3", "OLEGiveFeedback True", "OLECompleteDrag"}));
    // The effects reach the host unchanged; the grid itself moves nothing.
    EXPECT_EQ(d.grid->CellValue(Variant(2), Variant(1)), Variant("r2c1"));
}

TEST(DragOut, TheHostMayChangeTheDataAndTheEffectsOrCancel) {
    DragGrid d;
    d.grid->SetCurCell(Variant(1), Variant(3));
    int32_t completed = -1;
    d.handler = [&](const std::string& name, std::span<Variant> args) {
        if (name == "OLEStartDrag") {
            d.Data(args).SetData(Variant("replaced"), Variant(1));
            *args[1].slot() = Variant(int32_t{ui::kDropEffectCopy});
        }
        if (name == "OLECompleteDrag") completed = lattix::ToInt32(args[0].deref());
    };
    d.host.ScriptNextDragToOtherProgram(ui::kDropEffectCopy | ui::kDropEffectMove);
    EXPECT_EQ(d.grid->OLEDrag(), ui::kDropEffectCopy); // only what was allowed
    EXPECT_EQ(completed, ui::kDropEffectCopy);
    EXPECT_EQ(ui::headless::HeadlessHost::LastDraggedData().get(ui::kMimeText), "replaced");
    EXPECT_EQ(ui::headless::HeadlessHost::LastDraggedData().get(ui::kMimeTabText), "r1c3\r\n");

    // AllowedEffects 0 cancels the drag before it starts.
    const int started = ui::headless::HeadlessHost::DragsStarted();
    d.log.clear();
    d.handler = [](const std::string& name, std::span<Variant> args) {
        if (name == "OLEStartDrag") *args[1].slot() = Variant(int32_t{0});
    };
    EXPECT_EQ(d.grid->OLEDrag(), ui::kDropEffectNone);
    EXPECT_EQ(ui::headless::HeadlessHost::DragsStarted(), started);
    EXPECT_EQ(d.log, (std::vector<std::string>{"OLEStartDrag 3"})); // logged as offered, before the veto
}

TEST(DropIn, ManualModeRaisesTheEventsAndTheHandlersEffectIsTheResult) {
    DragGrid d;
    ui::DragData data;
    data.set(ui::kMimeText, "dropped");
    // OLEDropMode none: the grid takes nothing and raises nothing.
    EXPECT_EQ(d.host.InjectDrop(70, 50, data, ui::kDropEffectCopy | ui::kDropEffectMove), ui::kDropEffectNone);
    EXPECT_TRUE(d.log.empty());

    d.grid->SetOLEDropMode(1);
    EXPECT_EQ(d.grid->invoke("OLEDropMode", lattix::InvokeKind::Get), Variant(int32_t{1}));
    std::string received;
    d.handler = [&](const std::string& name, std::span<Variant> args) {
        if (name == "OLEDragDrop") {
            received = lattix::ToString(d.Data(args).GetData(Variant(1)));
            int32_t row = 0, col = 0;
            d.grid->CellFromPoint(static_cast<int32_t>(lattix::ToDouble(args[4].deref())),
                                  static_cast<int32_t>(lattix::ToDouble(args[5].deref())), row, col);
            d.grid->SetCellValue(Variant(row), Variant(col), Variant(received));
            *args[1].slot() = Variant(int32_t{ui::kDropEffectCopy});
        }
    };
    // Ctrl proposes a copy, else a move; the handler's choice is what the source learns.
    EXPECT_EQ(d.host.InjectDrop(70, 50, data, ui::kDropEffectCopy | ui::kDropEffectMove, ui::MK_LBUTTON),
              ui::kDropEffectCopy);
    EXPECT_EQ(received, "dropped");
    EXPECT_EQ(d.grid->CellValue(Variant(2), Variant(2)), Variant("dropped"));
    EXPECT_EQ(d.log, (std::vector<std::string>{"OLEDragOver 2 1 0 70 50 0", "OLEDragOver 2 1 0 70 50 2",
                                               "OLEDragDrop 2 1 0 70 50"})); // proposed: move
    d.log.clear();
    d.host.InjectDrop(10, 30, data, ui::kDropEffectCopy | ui::kDropEffectMove, ui::MK_LBUTTON | ui::MK_CONTROL);
    EXPECT_EQ(d.log.front(), "OLEDragOver 1 1 2 10 30 0");
}

TEST(DropIn, AVetoInDragOverRefusesTheDropAndTheDragLeaves) {
    DragGrid d;
    d.grid->SetOLEDropMode(1);
    d.handler = [](const std::string& name, std::span<Variant> args) {
        if (name == "OLEDragOver") *args[1].slot() = Variant(int32_t{0});
    };
    ui::DragData data;
    data.set(ui::kMimeText, "no");
    EXPECT_EQ(d.host.InjectDrop(70, 50, data, ui::kDropEffectCopy), ui::kDropEffectNone);
    ASSERT_EQ(d.log.size(), 3u);
    EXPECT_EQ(d.log.back(), "OLEDragOver 0 0 0 0 0 1"); // leave
    // A drag that only passes over.
    d.log.clear();
    d.handler = nullptr;
    EXPECT_EQ(d.host.InjectDrop(70, 50, data, ui::kDropEffectLink, ui::MK_LBUTTON, false), ui::kDropEffectLink);
    EXPECT_EQ(d.log.back(), "OLEDragOver 0 0 0 0 0 1");
}

TEST(DragOut, CellsDraggedOntoAnotherGridArriveAsText) {
    DragGrid d;
    auto other = Lattix::Create();
    // A second grid in the same host window's lower half.
    other->AttachToWindow(d.host.TopLevel());
    other->MoveGridWindow(0, 120, 300, 80);
    other->SetOLEDropMode(1);
    std::string got;
    other->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> args) {
        if (e.name == "OLEDragDrop") {
            got = lattix::ToString(static_cast<lattix::DataObject&>(*args[0].deref().object())
                                       .GetData(Variant(ui::kMimeTabText)));
            *args[1].slot() = Variant(int32_t{ui::kDropEffectMove});
        }
    });
    d.grid->SetCurCell(Variant(4), Variant(1));
    d.host.ScriptNextDragDrop(30, 150);
    EXPECT_EQ(d.grid->OLEDrag(), ui::kDropEffectMove);
    EXPECT_EQ(got, "r4c1\r\n");
    other.reset();
}

TEST(DataObjectMembers, FormatsByNumberAndNameAndLateData) {
    DragGrid d;
    auto data = std::make_shared<lattix::DataObject>(ui::DragData{}, d.grid);
    data->invoke("SetData", lattix::InvokeKind::Method, std::vector<Variant>{Variant("hello")});
    EXPECT_EQ(data->invoke("GetData", lattix::InvokeKind::Method, std::vector<Variant>{Variant(13)}), Variant("hello"));
    EXPECT_EQ(data->invoke("GetFormat", lattix::InvokeKind::Method, std::vector<Variant>{Variant("text/html")}),
              Variant(false));
    // An announced format the source fills when asked (OLESetData).
    data->SetData(Variant::missing(), Variant("text/html"));
    d.handler = [](const std::string& name, std::span<Variant> args) {
        if (name == "OLESetData" && lattix::ToString(args[1].deref()) == "text/html")
            static_cast<lattix::DataObject&>(*args[0].deref().object()).SetData(Variant("<b>x</b>"), args[1].deref());
    };
    EXPECT_EQ(data->GetData(Variant("text/html")), Variant("<b>x</b>"));
    EXPECT_TRUE(data->GetData(Variant("image/png")).isEmpty());
    for (const Variant& bad : {Variant(2), Variant("")}) {
        try {
            data->GetFormat(bad);
            FAIL();
        } catch (const lattix::AutomationError& e) {
            EXPECT_EQ(e.unsignedNumber(), 0x80040202u);
        }
    }
    data->Clear();
    EXPECT_FALSE(data->GetFormat(Variant(1)));
    try {
        d.grid->SetOLEDropMode(2);
        FAIL();
    } catch (const lattix::AutomationError& e) {
        EXPECT_EQ(e.unsignedNumber(), 0x80040202u);
    }
}

} // namespace

// Frame services of the control: its window handle, the keyboard focus, the About box and the
// diagnostic entry DevDbg.
//
// Focus. Once the grid has its window, WM_SETFOCUS sets IsFocused and WM_KILLFOCUS clears it; each
// repaints the grid when something it shows looks different with and without the focus (the current
// cell's focus rectangle, selected cells). Focus that moves into a window of the grid's own (the
// in-place editor, a drop-down list) keeps the grid focused. An edit in progress is ended by the
// input handling of the same WM_KILLFOCUS (the editor knows when the focus only went to its own
// validation message).
#include <iterator>
#include <sstream>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_manager.h"

#ifndef LATTIX_VERSION
#define LATTIX_VERSION "0"
#endif

namespace lattix {

namespace {

// What DevDbg(lParmIndex) reports, in index order from 1.
constexpr const char* kDevDbgNames[] = {
    "rows",           "columns",      "allocated rows", "cell slots",   "free slots",
    "cells",          "cell bytes",   "selected items", "selection bytes", "group rows",
    "fonts",          "format strings", "combo lists",  "image lists",  "full redraws",
    "row redraws",    "begin update count"};
constexpr int32_t kDevDbgCount = static_cast<int32_t>(std::size(kDevDbgNames));

} // namespace

const char* Lattix::LibraryVersion() { return LATTIX_VERSION; }

int32_t Lattix::hWnd() const { return static_cast<int32_t>(hwnd_); }

bool Lattix::IsFocused() const {
    if (!isFocused_ || hwnd_ == 0) return false;
    // The focus may have left from one of the grid's own windows, which the grid window does not see.
    const ui::Hwnd focus = ui::Wm().GetFocus();
    return focus == hwnd_ || (focus != 0 && ui::Wm().IsChild(hwnd_, focus));
}

bool Lattix::FocusLookMatters() const {
    return (curRow_ > 0 && (focusRect_ || paint_.focusRectNoFocus)) || selection_.count() > 0;
}

void Lattix::FocusChanged(bool gained, ui::Hwnd other) {
    if (hwnd_ == 0) return;
    if (!gained && other != 0 && ui::Wm().IsChild(hwnd_, other)) return; // into the grid's own editor or list
    if (gained && isFocused_) return;
    if (!gained && !isFocused_) return;
    isFocused_ = gained;
    if (FocusLookMatters()) InvalidateView();
}

void Lattix::ShowAboutBox() {
    const std::string text = std::string("Lattix680_Norvex\nLattix grid control, version ") + LATTIX_VERSION;
    ui::Wm().MessageBox(hwnd_, text, "About Lattix", ui::MB_OK | ui::MB_ICONINFORMATION);
}

Variant Lattix::DevDbg(int32_t lParmIndex, const Variant& vParmValue) {
    (void)vParmValue;
    if (lParmIndex < 0 || lParmIndex > kDevDbgCount) RaiseLattixError(lattix_error::kInvalidArgument);
    const int64_t cells = static_cast<int64_t>(cells_.slots()) * cells_.columns();
    const double values[] = {static_cast<double>(rows_.count()),
                             static_cast<double>(colCount_),
                             static_cast<double>(allocatedRows_),
                             static_cast<double>(cells_.slots()),
                             static_cast<double>(freeSlots_.size()),
                             static_cast<double>(cells),
                             static_cast<double>(cells_.bytes()),
                             static_cast<double>(selection_.count()),
                             static_cast<double>(selection_.bytes()),
                             static_cast<double>(groupRows_),
                             static_cast<double>(fontTable_.count()),
                             static_cast<double>(formatTable_.count()),
                             static_cast<double>(comboLists_.count()),
                             static_cast<double>(imageLists_.size()),
                             static_cast<double>(fullRedraws_),
                             static_cast<double>(rowRedraws_),
                             static_cast<double>(beginUpdateCount_)};
    static_assert(std::size(values) == std::size(kDevDbgNames));
    if (lParmIndex > 0) return Variant(values[lParmIndex - 1]);
    std::ostringstream report;
    for (int32_t i = 0; i < kDevDbgCount; ++i) {
        if (i > 0) report << '\n';
        report << kDevDbgNames[i] << ": " << static_cast<int64_t>(values[i]);
    }
    return Variant(report.str());
}

} // namespace lattix

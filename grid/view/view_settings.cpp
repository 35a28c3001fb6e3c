// Grid-wide settings the geometry and the painter read: grid lines, the focus frame, row text,
// the border, editability of cell controls and the ensure-visible switches.
#include "grid/automation/error_table.h"
#include "grid/lattix.h"

namespace lattix {

using namespace lattix_error;

namespace {
void CheckRange(int32_t v, int32_t lo, int32_t hi) {
    if (v < lo || v > hi) RaiseLattixError(kInvalidArgument);
}
} // namespace

void Lattix::viewSettingChanged(std::string_view name, bool relayout) {
    if (relayout) {
        recomputeColumnPositions();
        MarkLayout(layout_mark::kAll);
    }
    PropertyChanged(name);
    RelayoutAndRedraw();
}

void Lattix::SetGridLines(int32_t e) {
    CheckRange(e, 0, 3);
    gridLines_ = e;
    viewSettingChanged("GridLines", false);
}

void Lattix::SetGridLinesExtend(int32_t e) {
    CheckRange(e, 0, 3);
    gridLinesExtend_ = e;
    viewSettingChanged("GridLinesExtend", false);
}

void Lattix::SetGridLineThicknessH(int32_t n) {
    CheckRange(n, 0, 255);
    gridLineThicknessH_ = n;
    viewSettingChanged("GridLineThicknessH", false);
}

void Lattix::SetGridLineThicknessV(int32_t n) {
    CheckRange(n, 0, 255);
    gridLineThicknessV_ = n;
    viewSettingChanged("GridLineThicknessV", false);
}

void Lattix::SetFocusRect(bool b) {
    focusRect_ = b;
    viewSettingChanged("FocusRect", false);
}

void Lattix::SetDrawRowText(bool b) {
    drawRowText_ = b;
    MarkLayout(layout_mark::kAll);
    viewSettingChanged("DrawRowText", false);
}

void Lattix::SetRowTextStartCol(int32_t n) {
    if (n < 0) RaiseLattixError(kInvalidArgument);
    rowTextStartCol_ = n;
    MarkLayout(layout_mark::kAll);
    viewSettingChanged("RowTextStartCol", false);
}

void Lattix::SetBorderType(int32_t e) {
    CheckRange(e, 0, 3);
    if (e == borderType_) return;
    borderType_ = e;
    applyBorderType();
    viewSettingChanged("BorderType", false);
}

int32_t Lattix::BorderWidth() const { return borderType_ == 3 ? 2 : borderType_ == 0 ? 0 : 1; }

void Lattix::SetEditable(bool b) {
    EndEditing();
    editable_ = b;
    viewSettingChanged("Editable", false);
}

void Lattix::SetShowControlsInAllCells(bool b) {
    showControlsInAllCells_ = b;
    viewSettingChanged("ShowControlsInAllCells", false);
}

void Lattix::SetAutoWidthColWithHeader(bool b) {
    autoWidthColWithHeader_ = b;
    PropertyChanged("AutoWidthColWithHeader");
}

void Lattix::SetEnsureVisibleAutoHScroll(bool b) {
    ensureVisibleAutoHScroll_ = b;
    PropertyChanged("EnsureVisibleAutoHScroll");
}

void Lattix::SetEnsureVisibleAutoVScroll(bool b) {
    ensureVisibleAutoVScroll_ = b;
    PropertyChanged("EnsureVisibleAutoVScroll");
}

} // namespace lattix

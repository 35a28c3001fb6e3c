// The lets of the appearance properties only the painter reads, and the painter's public members
// (Draw, DrawCell, Refresh) and repaint requests.
#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/painter.h"
#include "grid/view/picture_object.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
void CheckRange(int32_t v, int32_t lo, int32_t hi) {
    if (v < lo || v > hi) RaiseLattixError(lattix_error::kInvalidArgument);
}
} // namespace

// Stores a setting, tells the container and repaints everything.
template <class T> void Lattix::setPaintSetting(T& field, T value, std::string_view name) {
    field = value;
    PropertyChanged(name);
    RelayoutAndRedraw();
}

void Lattix::SetGridLineColor(int32_t o) { setPaintSetting(paint_.gridLineColor, o, "GridLineColor"); }
void Lattix::SetHighlightBackColor(int32_t o) { setPaintSetting(paint_.highlightBackColor, o, "HighlightBackColor"); }
void Lattix::SetHighlightForeColor(int32_t o) { setPaintSetting(paint_.highlightForeColor, o, "HighlightForeColor"); }
void Lattix::SetHighlightBackColorNoFocus(int32_t o) {
    setPaintSetting(paint_.highlightBackColorNoFocus, o, "HighlightBackColorNoFocus");
}
void Lattix::SetHighlightForeColorNoFocus(int32_t o) {
    setPaintSetting(paint_.highlightForeColorNoFocus, o, "HighlightForeColorNoFocus");
}
void Lattix::SetHighlightSelCells(bool b) { setPaintSetting(paint_.highlightSelCells, b, "HighlightSelCells"); }
void Lattix::SetHideSelection(bool b) { setPaintSetting(paint_.hideSelection, b, "HideSelection"); }
void Lattix::SetHighlightSelIcons(bool b) { setPaintSetting(paint_.highlightSelIcons, b, "HighlightSelIcons"); }
void Lattix::SetSelectionAlphaBlend(int32_t bt) {
    CheckRange(bt, 0, 255);
    setPaintSetting(paint_.selectionAlphaBlend, static_cast<uint8_t>(bt), "SelectionAlphaBlend");
}
void Lattix::SetFocusRectNoFocus(bool b) { setPaintSetting(paint_.focusRectNoFocus, b, "FocusRectNoFocus"); }
void Lattix::SetFocusRectColor1(int32_t o) { setPaintSetting(paint_.focusRectColor1, o, "FocusRectColor1"); }
void Lattix::SetFocusRectColor2(int32_t o) { setPaintSetting(paint_.focusRectColor2, o, "FocusRectColor2"); }
void Lattix::SetFocusRectNoFocusColor1(int32_t o) {
    setPaintSetting(paint_.focusRectNoFocusColor1, o, "FocusRectNoFocusColor1");
}
void Lattix::SetFocusRectNoFocusColor2(int32_t o) {
    setPaintSetting(paint_.focusRectNoFocusColor2, o, "FocusRectNoFocusColor2");
}
void Lattix::SetOpaqueTextInHatchedCells(bool b) {
    setPaintSetting(paint_.opaqueTextInHatchedCells, b, "OpaqueTextInHatchedCells");
}
void Lattix::SetDisableIcons(bool b) { setPaintSetting(paint_.disableIcons, b, "DisableIcons"); }
void Lattix::SetEnabled(bool b) { setPaintSetting(paint_.enabled, b, "Enabled"); }
void Lattix::SetChangeColorsWhenDisabled(bool b) {
    setPaintSetting(paint_.changeColorsWhenDisabled, b, "ChangeColorsWhenDisabled");
}
void Lattix::SetTreeLines(int32_t e) {
    CheckRange(e, 0, 2);
    setPaintSetting(paint_.treeLines, e, "TreeLines");
}
void Lattix::SetTreeLinesColor(int32_t o) { setPaintSetting(paint_.treeLinesColor, o, "TreeLinesColor"); }
void Lattix::SetTreeButtonBackColor(int32_t o) { setPaintSetting(paint_.treeButtonBackColor, o, "TreeButtonBackColor"); }
void Lattix::SetTreeButtonForeColor(int32_t o) { setPaintSetting(paint_.treeButtonForeColor, o, "TreeButtonForeColor"); }
void Lattix::SetTreeButtonBorderColor(int32_t o) {
    setPaintSetting(paint_.treeButtonBorderColor, o, "TreeButtonBorderColor");
}
void Lattix::SetFlatCellControls(bool b) { setPaintSetting(paint_.flatCellControls, b, "FlatCellControls"); }
void Lattix::SetBackgroundPicture(const std::shared_ptr<PictureObject>& oPicture) {
    setPaintSetting(paint_.backgroundPicture, oPicture, "BackgroundPicture");
}
void Lattix::SetVirtual(bool b) {
    virtualEnd_ = false;
    setPaintSetting(paint_.isVirtual, b, "Virtual");
}

bool Lattix::RequestVirtualRow() {
    if (virtualEnd_) return false;
    const int32_t next = RowCount() + 1;
    Variant args[] = {Variant(next), Variant::byRef(Variant(false))};
    RaiseEvent(event_id::kRequestRow, args);
    if (ToBool(args[1].deref())) {
        virtualEnd_ = true;
        return false;
    }
    // The grid adds the row itself, also while a paint keeps structural changes away from handlers.
    {
        StructureUnlock unlock(*this);
        AddRow();
    }
    Variant dataArgs[] = {Variant(next)};
    RaiseEvent(event_id::kRequestRowData, dataArgs);
    return true;
}

void Lattix::Draw() { painter_->Draw(); }

void Lattix::DrawCell(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    Cell(row, col).markChanged();
    painter_->Draw();
}

void Lattix::Refresh() {
    painter_->RequestRepaintAll();
    painter_->Draw();
}

} // namespace lattix

// The colours a cell is drawn in, and the grid-wide colour properties they fall back on.
//
// Order: the colour CellDynamicFormatting gives, then RowDynamicFormatting, then the cell's own, then
// the control's ForeColor, or for the back colour BackColorOddRows / BackColorEvenRows by the row's
// visible index and finally BackColor. The first that is not -1 wins and is translated to RGB.
#include "grid/automation/dispatch_binder.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/view/colors.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
// A colour the host handed back, -1 when it is not a usable number.
int32_t colourFromEvent(const Variant& v) {
    try {
        return ArgColor(v.deref());
    } catch (...) {
        return -1;
    }
}

std::shared_ptr<FontObject> fontFromEvent(const Variant& v) {
    try {
        return FontFromVariant(v.deref());
    } catch (...) {
        return nullptr;
    }
}
} // namespace

Lattix::DynamicFormatting Lattix::dynamicFormatting(int32_t row, int32_t colIndex, bool wantFont) {
    // A failing handler counts as a handler that set nothing; the getters and the painter go on.
    DynamicFormatting out;
    if (dynamicContentEvents_ & dynamic_events::kCellFormatting) {
        try {
            Variant args[] = {Variant(row), Variant(colIndex), Cell(row, colIndex).value(), Variant::byRef(Variant(-1)),
                              Variant::byRef(Variant(-1)), Variant::byRef(Variant(ObjectRef{}))};
            RaiseLockedEvent(event_id::kCellDynamicFormatting, args);
            out.foreColor = colourFromEvent(args[3]);
            out.backColor = colourFromEvent(args[4]);
            if (wantFont) out.font = fontFromEvent(args[5]);
        } catch (...) {
        }
    }
    // The handler may have removed the row.
    if (row > rows_.count()) return out;
    bool needRow = out.foreColor == -1 || out.backColor == -1 || (wantFont && !out.font);
    if (needRow && (dynamicContentEvents_ & dynamic_events::kRowFormatting)) {
        try {
            Variant args[] = {Variant(row), Variant::byRef(Variant(-1)), Variant::byRef(Variant(-1)),
                              Variant::byRef(Variant(ObjectRef{}))};
            RaiseLockedEvent(event_id::kRowDynamicFormatting, args);
            if (out.foreColor == -1) out.foreColor = colourFromEvent(args[1]);
            if (out.backColor == -1) out.backColor = colourFromEvent(args[2]);
            if (wantFont && !out.font) out.font = fontFromEvent(args[3]);
        } catch (...) {
        }
    }
    return out;
}

int32_t Lattix::EffectiveForeColor(int32_t row, int32_t colIndex) {
    int32_t colour = dynamicFormatting(row, colIndex, false).foreColor;
    // Handlers may have changed the grid: read the cell only when it is still there.
    if (colour == -1 && row <= rows_.count() && colIndex <= colCount_ + 1) colour = Cell(row, colIndex).looks().foreColor;
    if (colour == -1) colour = foreColor_;
    return TranslateColor(colour);
}

int32_t Lattix::EffectiveBackColor(int32_t row, int32_t colIndex) {
    int32_t colour = dynamicFormatting(row, colIndex, false).backColor;
    const bool cellThere = row <= rows_.count() && colIndex <= colCount_ + 1;
    if (colour == -1 && cellThere) colour = Cell(row, colIndex).looks().backColor;
    if (colour == -1 && row <= rows_.count())
        colour = (Row(row).visibleIndex % 2 != 0) ? backColorOddRows_ : backColorEvenRows_;
    if (colour == -1) colour = backColor_;
    return TranslateColor(colour);
}

int32_t Lattix::CellEffectiveForeColor(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    return EffectiveForeColor(row, col);
}

int32_t Lattix::CellEffectiveBackColor(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    return EffectiveBackColor(row, col);
}

void Lattix::SetForeColor(int32_t o) {
    if (o == foreColor_) return;
    foreColor_ = o;
    PropertyChanged("ForeColor");
    RelayoutAndRedraw();
}

void Lattix::SetBackColor(int32_t o) {
    if (o == backColor_) return;
    backColor_ = o;
    PropertyChanged("BackColor");
    RelayoutAndRedraw();
}

void Lattix::SetBackColorOddRows(int32_t o) {
    if (o == backColorOddRows_) return;
    backColorOddRows_ = o;
    PropertyChanged("BackColorOddRows");
    RelayoutAndRedraw();
}

void Lattix::SetBackColorEvenRows(int32_t o) {
    if (o == backColorEvenRows_) return;
    backColorEvenRows_ = o;
    PropertyChanged("BackColorEvenRows");
    RelayoutAndRedraw();
}

} // namespace lattix

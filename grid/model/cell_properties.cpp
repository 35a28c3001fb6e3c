// The Cell* properties: each resolves its row and column, checks the value, then reads or writes one
// field of the cell record. Writes that affect drawing set the cell's changed flag and redraw its row.
#include <limits>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/objects/cell_object.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace cell_bits;

namespace {
int32_t typeOf(const CellRecord& c) { return c.typeBits & kTypeMask; }
} // namespace

void Lattix::rederiveComboBinding(CellRecord& cell) {
    ComboBinding b = DeriveComboBinding(comboLists_, cell.looks().comboIndex, cell.value());
    cell.comboListIndex = b.listIndex;
    cell.editLooks([&](CellLooks& l) { l.icon = b.icon; });
}

Variant Lattix::CellValue(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    const CellRecord& cell = Cell(row, col);
    if (cell.valueIsDouble()) return Variant(cell.doubleValue());
    return cell.value();
}

void Lattix::SetCellValue(const Variant& vrow, const Variant& vCol, const Variant& value) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    if (const double* d = value.deref().getIf<double>()) cell.setDouble(*d);
    else cell.setValue(value);
    if (typeOf(cell) == cell_type::kCombo) rederiveComboBinding(cell);
    cellAttributeChanged(cell, row);
    GroupedCellChanged(row, col);
}

int32_t Lattix::CellType(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return typeOf(Cell(row, col));
}

void Lattix::SetCellType(const Variant& vrow, const Variant& vCol, int32_t eType) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckCellType(eType);
    CellRecord& cell = Cell(row, col);
    cell.typeBits = static_cast<uint8_t>((cell.typeBits & ~kTypeMask) | eType);
    if (cell_type::IsComboType(eType)) rederiveComboBinding(cell);
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellTypeFlags(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).checkBits & kTypeFlagsMask;
}

void Lattix::SetCellTypeFlags(const Variant& vrow, const Variant& vCol, int32_t eFlags) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckTypeFlags(eFlags);
    CellRecord& cell = Cell(row, col);
    cell.checkBits = static_cast<uint8_t>((cell.checkBits & ~kTypeFlagsMask) | eFlags);
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellTextFlags(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().textFlags;
}

void Lattix::SetCellTextFlags(const Variant& vrow, const Variant& vCol, int32_t eFlags) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.textFlags = eFlags; });
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellAlignH(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().alignment & kAlignHMask;
}

void Lattix::SetCellAlignH(const Variant& vrow, const Variant& vCol, int32_t e) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckAlignH(e);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.alignment = static_cast<uint8_t>((l.alignment & ~kAlignHMask) | e); });
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellAlignV(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return (Cell(row, col).looks().alignment & kAlignVMask) >> kAlignVShift;
}

void Lattix::SetCellAlignV(const Variant& vrow, const Variant& vCol, int32_t e) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckAlignV(e);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.alignment = static_cast<uint8_t>((l.alignment & ~kAlignVMask) | (e << kAlignVShift)); });
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellIconToText(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return (Cell(row, col).looks().alignment & kIconToTextMask) >> kIconToTextShift;
}

void Lattix::SetCellIconToText(const Variant& vrow, const Variant& vCol, int32_t e) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckIconToText(e);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.alignment = static_cast<uint8_t>((l.alignment & ~kIconToTextMask) | (e << kIconToTextShift)); });
    cellAttributeChanged(cell, row);
}

#define LATTIX_CELL_BYTE_PROPERTY(Name, field)                                                              \
    uint8_t Lattix::Name(const Variant& vrow, const Variant& vCol) const {                                  \
        auto [row, col] = resolveCell(vrow, vCol);                                                          \
        return Cell(row, col).looks().field;                                                                \
    }                                                                                                       \
    void Lattix::Set##Name(const Variant& vrow, const Variant& vCol, uint8_t bt) {                          \
        auto [row, col] = resolveCell(vrow, vCol);                                                          \
        CellRecord& cell = Cell(row, col);                                                                  \
        cell.editLooks([&](CellLooks& l) { l.field = bt; });                                                \
        cellAttributeChanged(cell, row);                                                                    \
    }

LATTIX_CELL_BYTE_PROPERTY(CellIndentLeft, indentLeft)
LATTIX_CELL_BYTE_PROPERTY(CellIndentRight, indentRight)
LATTIX_CELL_BYTE_PROPERTY(CellIndentTop, indentTop)
LATTIX_CELL_BYTE_PROPERTY(CellIndentBottom, indentBottom)
#undef LATTIX_CELL_BYTE_PROPERTY

int32_t Lattix::CellBackColor(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().backColor;
}

void Lattix::SetCellBackColor(const Variant& vrow, const Variant& vCol, int32_t o) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.backColor = o; });
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellForeColor(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().foreColor;
}

void Lattix::SetCellForeColor(const Variant& vrow, const Variant& vCol, int32_t o) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.foreColor = o; });
    cellAttributeChanged(cell, row);
}

uint8_t Lattix::CellImageList(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().imageLists & 0x0F;
}

void Lattix::SetCellImageList(const Variant& vrow, const Variant& vCol, uint8_t bt) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckImageListNumber(bt);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.imageLists = static_cast<uint8_t>((l.imageLists & 0xF0) | bt); });
    cellAttributeChanged(cell, row);
}

uint8_t Lattix::CellExtraImageList(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return static_cast<uint8_t>(Cell(row, col).looks().imageLists >> 4);
}

void Lattix::SetCellExtraImageList(const Variant& vrow, const Variant& vCol, uint8_t bt) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckImageListNumber(bt);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.imageLists = static_cast<uint8_t>((l.imageLists & 0x0F) | (bt << 4)); });
    cellAttributeChanged(cell, row);
}

int16_t Lattix::CellIcon(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().icon;
}

void Lattix::SetCellIcon(const Variant& vrow, const Variant& vCol, int16_t i) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.icon = i; });
    cellAttributeChanged(cell, row);
}

int16_t Lattix::CellExtraIcon(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().extraIcon;
}

void Lattix::SetCellExtraIcon(const Variant& vrow, const Variant& vCol, int16_t i) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.extraIcon = i; });
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellHatch(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return (Cell(row, col).typeBits & kHatchMask) >> kHatchShift;
}

void Lattix::SetCellHatch(const Variant& vrow, const Variant& vCol, int32_t e) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckHatch(e);
    CellRecord& cell = Cell(row, col);
    cell.typeBits = static_cast<uint8_t>((cell.typeBits & ~kHatchMask) | (e << kHatchShift));
    cellAttributeChanged(cell, row);
}

std::string Lattix::CellFmtString(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return formatTable_.at(Cell(row, col).looks().fmtIndex);
}

void Lattix::SetCellFmtString(const Variant& vrow, const Variant& vCol, const std::string& s) {
    auto [row, col] = resolveCell(vrow, vCol);
    uint8_t n = formatTable_.numberOf(s); // 516 before the cell changes
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.fmtIndex = n; });
    cellAttributeChanged(cell, row);
}

bool Lattix::CellCheckVisible(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).checkBits & kCheckVisible;
}

void Lattix::SetCellCheckVisible(const Variant& vrow, const Variant& vCol, bool b) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    if (static_cast<bool>(cell.checkBits & kCheckVisible) == b) return;
    cell.checkBits = static_cast<uint8_t>(b ? (cell.checkBits | kCheckVisible) : (cell.checkBits & ~kCheckVisible));
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellCheckState(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).checkBits & kCheckStateMask;
}

void Lattix::SetCellCheckState(const Variant& vrow, const Variant& vCol, int32_t e) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckCheckState(e);
    CellRecord& cell = Cell(row, col);
    if ((cell.checkBits & kCheckStateMask) == e) return;
    cell.checkBits = static_cast<uint8_t>((cell.checkBits & ~kCheckStateMask) | e);
    cellAttributeChanged(cell, row);
}

int32_t Lattix::CellCheckPos(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).looks().checkPos & 0x07;
}

void Lattix::SetCellCheckPos(const Variant& vrow, const Variant& vCol, int32_t e) {
    auto [row, col] = resolveCell(vrow, vCol);
    CheckCheckPos(e);
    CellRecord& cell = Cell(row, col);
    if ((cell.looks().checkPos & 0x07) == e) return;
    cell.editLooks([&](CellLooks& l) { l.checkPos = static_cast<uint8_t>(e); });
    cellAttributeChanged(cell, row);
}

bool Lattix::CellSelectable(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).selectable();
}

void Lattix::SetCellSelectable(const Variant& vrow, const Variant& vCol, bool b) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.typeBits = static_cast<uint8_t>(b ? (cell.typeBits | kSelectable) : (cell.typeBits & ~kSelectable));
}

int32_t Lattix::CellExtraData(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).extraData;
}

void Lattix::SetCellExtraData(const Variant& vrow, const Variant& vCol, int32_t l) {
    auto [row, col] = resolveCell(vrow, vCol);
    Cell(row, col).extraData = l;
}

int32_t Lattix::CellComboListIndex(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    return Cell(row, col).comboListIndex;
}

void Lattix::SetCellComboListIndex(const Variant& vrow, const Variant& vCol, int32_t l) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    const int32_t type = typeOf(cell);
    const ComboList* list = cell_type::IsComboType(type) ? comboLists_.list(cell.looks().comboIndex) : nullptr;
    if (!list) {
        cell.comboListIndex = l;
        return;
    }
    if (l < 0 || static_cast<size_t>(l) >= list->items.size()) {
        cell.setValue(InitValueOf(type));
        cell.comboListIndex = -1;
        cell.editLooks([&](CellLooks& l) { l.icon = 0; });
    } else {
        const ComboItem& item = list->items[static_cast<size_t>(l)];
        cell.setValue(item.hasValue() ? item.value : Variant());
        cell.comboListIndex = l;
        cell.editLooks([&](CellLooks& l) { l.icon = item.icon; });
    }
    cellAttributeChanged(cell, row);
}

std::string Lattix::CellCtrlKey(const Variant& vrow, const Variant& vCol) const {
    auto [row, col] = resolveCell(vrow, vCol);
    const ComboList* list = comboLists_.list(Cell(row, col).looks().comboIndex);
    return list ? list->key : std::string();
}

void Lattix::SetCellCtrlKey(const Variant& vrow, const Variant& vCol, const std::string& s) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.comboIndex = comboLists_.find(s); });
    if (cell_type::IsComboType(typeOf(cell))) {
        rederiveComboBinding(cell);
        cellAttributeChanged(cell, row);
    }
}

void Lattix::CellDefaultForeColor(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.foreColor = -1; });
    cell.markChanged();
    RelayoutAndRedraw();
}

void Lattix::CellDefaultBackColor(int32_t vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(Variant(vrow), vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.backColor = -1; });
    cell.markChanged();
    RelayoutAndRedraw();
}

Variant Lattix::InitValue(int32_t eCellType) const { return InitValueOf(eCellType); }

Variant Lattix::Textmatrix(const Variant& vrow, const Variant& vCol) const {
    // The row must resolve in every case; column 0 names the header of column 1, any other number n
    // the value of column n + 1, and a key the value of that column. Nothing here calls Textmatrix.
    int32_t row = ResolveRow(vrow);
    const Variant& c = vCol.deref();
    if (c.isNumeric()) {
        int32_t n = AddressNumberToInt32(c);
        if (n == 0) {
            int32_t pos = colCount_ >= 1 ? PositionOfIndex(1) : 0;
            if (pos == 0) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
            return Variant(cols_[static_cast<size_t>(pos)].headerText);
        }
        if (n < 0 || n == std::numeric_limits<int32_t>::max()) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
        return Cell(row, ResolveColIndex(Variant(n + 1))).value();
    }
    return Cell(row, ResolveColIndex(c)).value();
}

void Lattix::SetCellCheckGap(int32_t l) {
    if (l < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    if (l == cellCheckGap_) return;
    cellCheckGap_ = l;
    PropertyChanged("CellCheckGap");
    MarkLayout(1);
    RelayoutAndRedraw();
}

void Lattix::SetCellIconGap(int32_t l) {
    if (l < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    if (l == cellIconGap_) return;
    cellIconGap_ = l;
    PropertyChanged("CellIconGap");
    MarkLayout(1);
    RelayoutAndRedraw();
}

void Lattix::SetDynamicContentEvents(int32_t e) {
    if (e == dynamicContentEvents_) return;
    dynamicContentEvents_ = e;
    RelayoutAndRedraw();
}

} // namespace lattix

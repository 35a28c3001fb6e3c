// Cell fonts: the font table numbers cells store, CellFont get/let with the live cell font, the
// grid's Font and FontClone.
//
// The live cell font is a clone handed to the host by the latest CellFont get. It is linked to its
// cell by the cell slot (which travels with the row through moves and sorts), by the column's
// default cell object (which identifies the column through renumbering and reordering) and by a mark
// in the cell record itself (gone once the slot is reused). When the host changes the clone, the
// link is checked against all three before anything is written; a link that no longer holds is
// dropped, so the notification never reaches another cell or a slot outside the storage.
#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/objects/cell_object.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

uint16_t Lattix::CellFontNumber(const FontDescription& d) {
    if (d == font_->description()) return 0;
    return fontTable_.numberOf(d);
}

uint16_t Lattix::DefaultCellFontNumber(const FontObject& f) {
    try {
        return CellFontNumber(f.description());
    } catch (const AutomationError&) {
        return 0; // a full font table: the default cell follows the grid's font
    }
}

std::shared_ptr<const FontObject> Lattix::EffectiveFont(int32_t row, int32_t colIndex) {
    std::shared_ptr<const FontObject> font;
    if (dynamicContentEvents_ & (dynamic_events::kCellFormatting | dynamic_events::kRowFormatting))
        font = dynamicFormatting(row, colIndex, true).font;
    if (!font && row <= rows_.count() && colIndex <= colCount_ + 1) font = fontTable_.at(Cell(row, colIndex).looks().fontIndex);
    if (!font) font = font_;
    return font;
}

std::shared_ptr<FontObject> Lattix::CellFont(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    std::shared_ptr<FontObject> clone = EffectiveFont(row, col)->Clone();
    // Event handlers may have removed the cell: then the clone is returned unlinked.
    if (row <= rows_.count() && col <= colCount_ + 1) linkLiveCellFont(clone, row, col);
    else dropLiveCellFont();
    return clone;
}

void Lattix::SetCellFont(const Variant& vrow, const Variant& vCol, const std::shared_ptr<FontObject>& oFont) {
    auto [row, col] = resolveCell(vrow, vCol);
    uint16_t n = oFont ? CellFontNumber(oFont->description()) : 0;
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.fontIndex = n; });
    cellAttributeChanged(cell, row);
}

void Lattix::CellDefaultFont(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    CellRecord& cell = Cell(row, col);
    cell.editLooks([&](CellLooks& l) { l.fontIndex = 0; });
    cell.markChanged();
    RelayoutAndRedraw();
}

void Lattix::linkLiveCellFont(std::shared_ptr<FontObject> font, int32_t row, int32_t colIndex) {
    int32_t pos = PositionOfIndex(colIndex);
    FontObject::Subscription watch = FontObject::Listen(font, [this](FontObject&) { liveCellFontChanged(); });
    // Only the latest object is watched: the previous link ends here.
    liveFont_.watch = std::move(watch);
    liveFont_.font = std::move(font);
    liveFont_.slot = rows_[row].cellSlot;
    liveFont_.column = cols_[static_cast<size_t>(pos)].defaultCellObject;
    Cell(row, colIndex).setFontLinked(true);
}

void Lattix::dropLiveCellFont() {
    // Moved out first: the subscription may be the one whose notification is running.
    LiveFontLink old = std::move(liveFont_);
    liveFont_ = LiveFontLink{};
}

void Lattix::liveCellFontChanged() {
    if (!liveFont_.font) return;
    // The column: the one whose default cell object the link names, wherever it is now.
    int32_t colIndex = 0;
    if (std::shared_ptr<CellObject> column = liveFont_.column.lock())
        for (int32_t p = 1; p <= colCount_ + 1; ++p)
            if (cols_[static_cast<size_t>(p)].defaultCellObject == column) {
                colIndex = cols_[static_cast<size_t>(p)].index;
                break;
            }
    // The row: the one that holds the slot now.
    int32_t row = 0;
    const int32_t slot = liveFont_.slot;
    if (colIndex > 0 && slot >= 1 && slot <= cells_.slots())
        for (int32_t r = 1; r <= rows_.count(); ++r)
            if (rows_[r].cellSlot == slot) {
                row = r;
                break;
            }
    if (row == 0 || !Cell(row, colIndex).fontLinked()) {
        dropLiveCellFont();
        return;
    }
    uint16_t n = 0;
    try {
        n = CellFontNumber(liveFont_.font->description());
    } catch (const AutomationError&) {
        return; // a full font table: the cell keeps its font
    }
    CellRecord& cell = Cell(row, colIndex);
    cell.editLooks([&](CellLooks& l) { l.fontIndex = n; });
    cell.markChanged();
    RelayoutAndRedraw();
}

void Lattix::SetFont(const std::shared_ptr<FontObject>& oFont) {
    if (!oFont) RaiseLattixError(lattix_error::kInvalidArgument);
    if (oFont == font_) return;
    FontObject::Subscription watch = FontObject::Listen(oFont, [this](FontObject&) { gridFontChanged(); });
    font_ = oFont;
    fontWatch_ = std::move(watch);
    PropertyChanged("Font");
    gridFontChanged();
}

void Lattix::gridFontChanged() {
    // Default cells store their font as a number relative to the grid's font.
    MarkDefaultCellsDirty();
    MarkLayout(1);
    RelayoutAndRedraw();
}

std::shared_ptr<FontObject> Lattix::FontClone(const FontCloneArgs& a) const {
    // Every argument is converted before the clone is touched.
    auto given = [](const Variant& v) { return !v.deref().isOmitted(); };
    std::optional<bool> bold, italic, underline, strike;
    std::optional<std::string> name;
    std::optional<Currency> size;
    if (given(a.bBold)) bold = ToBool(a.bBold.deref());
    if (given(a.bItalic)) italic = ToBool(a.bItalic.deref());
    if (given(a.bUnderline)) underline = ToBool(a.bUnderline.deref());
    if (given(a.bStrikethrough)) strike = ToBool(a.bStrikethrough.deref());
    if (given(a.sName)) name = ToString(a.sName.deref());
    if (given(a.cSize)) size = ToCurrency(a.cSize.deref());
    std::shared_ptr<FontObject> clone = font_->Clone();
    if (bold) clone->SetBold(*bold);
    if (italic) clone->SetItalic(*italic);
    if (underline) clone->SetUnderline(*underline);
    if (strike) clone->SetStrikethrough(*strike);
    if (name) clone->SetName(*name);
    if (size) clone->SetSize(*size);
    return clone;
}

} // namespace lattix

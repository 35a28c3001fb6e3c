// The displayed text of a cell: its value through the cell's format string (or the standard text
// conversion), replaced by the host in CellDynamicText when asked for; the item text for combo
// cells. Formatting never fails (a format that does not apply leaves the text made so far); an
// error raised by the host's CellDynamicText handler reaches the caller.
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/text_conversion.h"

namespace lattix {

std::string Lattix::CellText(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    return DisplayedText(row, col);
}

std::string Lattix::DisplayedText(int32_t row, int32_t colIndex) {
    std::string text;
    const CellRecord& cell = Cell(row, colIndex);
    const int32_t type = cell.typeBits & cell_bits::kTypeMask;
    if (type == cell_type::kCombo) {
        if (cell.looks().comboIndex >= 1 && cell.comboListIndex != -1) {
            const ComboList* list = comboLists_.list(cell.looks().comboIndex);
            if (list && cell.comboListIndex >= 0 && static_cast<size_t>(cell.comboListIndex) < list->items.size())
                text = list->items[static_cast<size_t>(cell.comboListIndex)].text;
        }
        return text;
    }
    if (type == cell_type::kCustomDraw) return text;
    try {
        const Locale& locale = Locale::current();
        if (cell.looks().fmtIndex > 0) {
            const std::string& pattern = formatTable_.at(cell.looks().fmtIndex);
            text = cell.valueIsDouble() ? Format(Variant(cell.doubleValue()), pattern, locale)
                                        : Format(cell.value(), pattern, locale);
        } else if (cell.valueIsDouble()) {
            text = TextOfDouble(cell.doubleValue(), locale);
        } else {
            text = TextOf(cell.value(), locale);
        }
    } catch (...) {
        // A format that does not apply or a value without a text form: the text so far stands.
    }
    if (dynamicContentEvents_ & dynamic_events::kCellText) {
        // An error raised by the host's handler reaches the caller.
        Variant args[] = {Variant(row), Variant(colIndex), cell.value(), Variant::byRef(Variant(text))};
        RaiseLockedEvent(event_id::kCellDynamicText, args);
        try {
            text = ToString(args[3].deref());
        } catch (...) {
            // An answer without a text form leaves the formatted text.
        }
    }
    return text;
}

} // namespace lattix

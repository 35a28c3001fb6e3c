// Storing one cleared or pasted cell the way an in-place edit commits: the text is converted to the
// cell's type (grid/input/edit_conversion.h), a failed conversion is reported (InputValidationError
// and the validation message, unless SilentValidation is on), BeforeCommitEdit lets the host
// cancel, change the value or ask to proceed, and a commit stores the value and raises
// AfterCommitEdit with the old one.
#include "grid/input/edit_conversion.h"
#include "grid/lattix.h"
#include "platform/ui/message_box.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"

namespace lattix {

namespace event_id {
inline constexpr DispId kBeforeCommitEdit = 2;
inline constexpr DispId kCancelEdit = 3;
inline constexpr DispId kInputValidationError = 42;
} // namespace event_id

namespace {
constexpr int32_t kEditResCancel = 0, kEditResCommit = 1;
} // namespace

bool Lattix::storeCellTextAsEdit(int32_t row, int32_t colIndex, const std::string& text) {
    EditConversion conv = ConvertEditText(text, Cell(row, colIndex).value());
    if (conv.convErr != 0 && !ToBool(StoredProperty("SilentValidation", Variant(false)))) {
        std::array<Variant, 2> v{Variant(conv.convErr), Variant::byRef(Variant(ConversionErrorDescription(conv.convErr)))};
        RaiseEvent(event_id::kInputValidationError, v);
        const std::string message = UIStrings(10) + "\n" + ToString(v[1].deref());
        ui::Wm().MessageBox(hwnd_, message, UIStrings(11), ui::MB_OK | ui::MB_ICONSTOP);
        return false;
    }
    std::array<Variant, 8> before{Variant(row),
                                  Variant(colIndex),
                                  Variant::byRef(Variant(kEditResCommit)),
                                  Variant(text),
                                  Variant::byRef(conv.value),
                                  Variant(conv.convErr),
                                  Variant(false),
                                  Variant(int32_t{-1})};
    RaiseEvent(event_id::kBeforeCommitEdit, before);
    // The handler may have removed the row or the column.
    if (row > RowCount() || colIndex > ColCount() + 1) return true;
    const int32_t result = ToInt32(before[2].deref());
    if (result == kEditResCancel) {
        std::array<Variant, 2> c{Variant(row), Variant(colIndex)};
        RaiseEvent(event_id::kCancelEdit, c);
    } else if (result == kEditResCommit) {
        const Variant old = Cell(row, colIndex).value();
        SetCellValue(Variant(row), Variant(colIndex), before[4].deref());
        std::array<Variant, 3> after{Variant(row), Variant(colIndex), old};
        RaiseEvent(event_id::kAfterCommitEdit, after);
    }
    return true;
}

} // namespace lattix

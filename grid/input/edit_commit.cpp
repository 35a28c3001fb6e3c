// Storing typed text into a cell: RequestEdit, the text-to-value conversion with its validation
// message, BeforeCommitEdit, and then storing with AfterCommitEdit or CancelEdit. The in-place
// editor and the clipboard commands (clear, cut, paste) share this path.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "grid/lattix.h"
#include "platform/gfx/grapheme.h"
#include "platform/gfx/utf8.h"
#include "grid/automation/error_table.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "runtime/date_text.h"
#include "runtime/locale.h"
#include "platform/ui/window_manager.h"

namespace lattix {

namespace event_id {
inline constexpr DispId kBeforeCommitEdit = 2;
inline constexpr DispId kCancelEdit = 3;
inline constexpr DispId kInputValidationError = 42;
inline constexpr DispId kRequestEdit = 61;
} // namespace event_id

namespace {
constexpr int32_t kTextEditNumberOnly = 8192, kTextEditUpperCase = 8, kTextEditLowerCase = 16;
constexpr int32_t kEditResCancel = 0, kEditResCommit = 1, kEditResProceed = 2;
constexpr int32_t kConvErrTypeMismatch = 13, kConvErrOverflow = 6;
constexpr int32_t kUiValidationText = 10, kUiValidationTitle = 11;
constexpr unsigned kMbIconStop = 0x10;

// The conversion error number of a runtime error raised while converting (13 for anything else).
int32_t conversionErrorOf(const AutomationError& e) {
    return e.number() == runtime_error_number::kOverflow ? kConvErrOverflow : kConvErrTypeMismatch;
}

std::string describeConversionError(int32_t convErr) {
    return convErr == kConvErrOverflow ? "Overflow." : "Type mismatch.";
}

// Converts a number text to the numeric type `type`; raises the runtime's errors.
Variant numberOfType(const std::string& text, VarType type) {
    const std::optional<double> d = ParseNumberText(text.empty() ? std::string("0") : text);
    if (!d) RaiseTypeMismatch();
    const Variant v(*d);
    switch (type) {
    case VarType::Int16: return Variant(ToInt16(v));
    case VarType::Int32: return Variant(ToInt32(v));
    case VarType::Single: return Variant(ToSingle(v));
    case VarType::Currency: return Variant(ToCurrency(v));
    case VarType::Byte: return Variant(ToByte(v));
    default:
        if (!std::isfinite(*d)) RaiseOverflow();
        return v;
    }
}
} // namespace

std::string Lattix::ApplyTextEditOptions(std::string text, int32_t textEditOpt, int32_t maxLength) {
    if (textEditOpt & kTextEditUpperCase)
        for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    else if (textEditOpt & kTextEditLowerCase)
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (textEditOpt & kTextEditNumberOnly)
        text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c < '0' || c > '9'; }), text.end());
    if (maxLength > 0 && text.size() > static_cast<size_t>(maxLength)) {
        // maxLength counts characters, not bytes, and the cut never splits a character a user
        // sees as one (a letter and its accents, an emoji sequence).
        std::u32string chars;
        std::vector<size_t> starts;
        for (size_t i = 0; i < text.size();) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const size_t expected = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
            size_t length = 1; // a broken sequence counts as one character and is kept as it is
            while (length < expected && i + length < text.size() && (static_cast<unsigned char>(text[i + length]) & 0xC0) == 0x80)
                ++length;
            starts.push_back(i);
            chars.push_back(gfx::decodeUtf8(std::string_view(text).substr(i, length)).front());
            i += length;
        }
        if (chars.size() > static_cast<size_t>(maxLength))
            text.resize(starts[gfx::graphemeFloor(chars, static_cast<size_t>(maxLength))]);
    }
    return text;
}

Lattix::EditRequestAnswer Lattix::RaiseRequestEdit(int32_t row, int32_t colIndex, int32_t charCode,
                                                   const std::string& text) {
    std::array<Variant, 7> a{Variant(row),
                             Variant(colIndex),
                             Variant(charCode),
                             Variant::byRef(Variant(false)),
                             Variant::byRef(Variant(text)),
                             Variant::byRef(Variant(int32_t{0})),
                             Variant::byRef(Variant(int32_t{0}))};
    RaiseEvent(event_id::kRequestEdit, a);
    EditRequestAnswer answer;
    // A handler that leaves something unreadable in an argument gets the safe reading of it.
    try {
        answer.cancel = ToBool(a[3].deref());
    } catch (const AutomationError&) {
        answer.cancel = true;
    }
    try {
        answer.text = ToString(a[4].deref());
    } catch (const AutomationError&) {
        answer.text = text;
    }
    try {
        answer.maxLength = std::max<int32_t>(0, ToInt32(a[5].deref()));
        answer.textEditOpt = ToInt32(a[6].deref());
    } catch (const AutomationError&) {
        answer.maxLength = 0;
        answer.textEditOpt = 0;
    }
    return answer;
}

Lattix::EditTextValue Lattix::ConvertEditText(int32_t row, int32_t colIndex, const std::string& text) const {
    EditTextValue out;
    if (!validCell(row, colIndex)) return out;
    const Variant current = Cell(row, colIndex).value();
    try {
        switch (current.type()) {
        case VarType::Empty:
        case VarType::Null: out.value = text.empty() ? current : Variant(text); break;
        case VarType::Int16:
        case VarType::Int32:
        case VarType::Single:
        case VarType::Double:
        case VarType::Currency:
        case VarType::Byte: out.value = numberOfType(text, current.type()); break;
        // An empty text gives the type's initial value, as it gives 0 in a numeric cell: clearing
        // a date or Boolean cell must not fail to convert.
        case VarType::Date: {
            if (text.empty()) {
                out.value = Variant(Date{0});
                break;
            }
            const std::optional<Date> d = ParseDateText(text);
            if (!d) RaiseTypeMismatch();
            out.value = Variant(*d);
            break;
        }
        case VarType::String: out.value = Variant(text); break;
        case VarType::Bool: out.value = Variant(text.empty() ? false : ToBool(Variant(text))); break;
        default: out.value = current; break; // objects and the rest keep what they hold
        }
    } catch (const AutomationError& e) {
        out.value = Variant();
        out.convErr = conversionErrorOf(e);
    }
    return out;
}

bool Lattix::reportValidationError(int32_t convErr) {
    if (convErr == 0 || silentValidation_) return false;
    std::array<Variant, 2> a{Variant(convErr), Variant::byRef(Variant(describeConversionError(convErr)))};
    RaiseEvent(event_id::kInputValidationError, a);
    std::string description;
    try {
        description = ToString(a[1].deref());
    } catch (const AutomationError&) {
        description = describeConversionError(convErr);
    }
    // The message box takes the focus for a moment: that is not the grid losing it.
    const bool wasInBox = editor_.inMessageBox;
    editor_.inMessageBox = true;
    ui::Wm().MessageBox(hwnd_, UIStrings(kUiValidationText) + "\r\n" + description, UIStrings(kUiValidationTitle),
                        kMbIconStop);
    editor_.inMessageBox = wasInBox;
    return true;
}

int32_t Lattix::CommitTextToCell(int32_t row, int32_t colIndex, const std::string& sText, bool bCanProceedEditing,
                                 int32_t lComboListIndex) {
    if (!validCell(row, colIndex)) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    return commitTextToCell(row, colIndex, sText, bCanProceedEditing, lComboListIndex, false);
}

int32_t Lattix::commitTextToCell(int32_t row, int32_t colIndex, const std::string& text, bool canProceed,
                                 int32_t comboListIndex, bool closesEditor) {
    const EditTextValue converted = ConvertEditText(row, colIndex, text);
    if (reportValidationError(converted.convErr)) return kEditResProceed;

    std::array<Variant, 8> a{Variant(row),
                             Variant(colIndex),
                             Variant::byRef(Variant(kEditResCommit)),
                             Variant(text),
                             Variant::byRef(converted.value),
                             Variant(converted.convErr),
                             Variant(canProceed),
                             Variant(comboListIndex)};
    RaiseEvent(event_id::kBeforeCommitEdit, a);
    int32_t result = kEditResCancel;
    try {
        result = ToInt32(a[2].deref());
    } catch (const AutomationError&) {
        result = kEditResCancel;
    }
    // An answer the enumeration does not know counts as cancelling.
    if (result < kEditResCancel || result > kEditResProceed) result = kEditResCancel;
    // The handler may have removed the row or column: nothing can be stored there any more.
    if (!validCell(row, colIndex)) {
        if (closesEditor) closeEditor();
        return result == kEditResProceed && canProceed ? kEditResProceed : kEditResCancel;
    }

    switch (result) {
    case kEditResCancel: {
        if (closesEditor) closeEditor();
        std::array<Variant, 2> c{Variant(row), Variant(colIndex)};
        RaiseEvent(event_id::kCancelEdit, c);
        return kEditResCancel;
    }
    case kEditResCommit: {
        const Variant oldValue = Cell(row, colIndex).value();
        SetCellValue(Variant(row), Variant(colIndex), a[4].deref());
        if (CellType(Variant(row), Variant(colIndex)) == 2) StoreTextComboIndex(row, colIndex, comboListIndex);
        if (closesEditor) closeEditor();
        std::array<Variant, 3> after{Variant(row), Variant(colIndex), oldValue};
        RaiseEvent(event_id::kAfterCommitEdit, after);
        return kEditResCommit;
    }
    default:
        // Going on editing where that is not allowed closes the editor without storing anything.
        if (!canProceed && closesEditor) closeEditor();
        return kEditResProceed;
    }
}

} // namespace lattix

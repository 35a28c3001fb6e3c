// Converting an entered or pasted text to a cell value of the type the cell already holds.
//
//   empty or null value    the text as a string; an empty text keeps the current value
//   numbers (all widths)   the number the text reads as in the user locale; an empty text is 0
//   date                   the date the text reads as (runtime/date_text.h)
//   Boolean                True/False or a number (0 is False)
//   string                 the text
//   object, anything else  the current value stays
//
// An empty text in a date or Boolean cell gives that type's initial value (date 0, False), just as
// it gives 0 in a numeric cell: clearing such a cell must not fail.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/variant.h"

namespace lattix {

struct EditConversion {
    Variant value;       // Empty when the conversion failed
    int32_t convErr = 0; // 0, 13 (not a value of that type) or 6 (out of range)
};

EditConversion ConvertEditText(const std::string& text, const Variant& current);

// The standard description of a conversion error followed by "." ("Type mismatch.", "Overflow.").
std::string ConversionErrorDescription(int32_t convErr);

} // namespace lattix

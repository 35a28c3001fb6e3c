// The runtime's Format function: a value written through a Basic-style format pattern.
//
//   Numbers   0 # . , % E+ E- e+ e-  literals, "quoted text", \escapes
//   Dates     c d dd ddd dddd ddddd dddddd w ww m mm mmm mmmm q y yy yyyy h hh n nn s ss ttttt
//             AM/PM am/pm A/P a/p AMPM, "/" and ":" as the locale's separators; m after h is minutes
//   Text      @ & < > !
//   Sections  positive;negative;zero;Null (text patterns: text;empty-or-Null)
//   Named     General Number, Currency, Fixed, Standard, Percent, Scientific, Yes/No, True/False,
//             On/Off, General Date, Long Date, Medium Date, Short Date, Long Time, Medium Time, Short Time
//
// A number is rounded half away from zero on its decimal form (15 significant digits for a double,
// 7 for a single), so 2.675 with "0.00" gives "2.68". An empty pattern gives the standard text
// conversion. Texts that read as numbers in the locale are formatted as numbers by number and date
// patterns; other texts pass through them unchanged. Errors, objects and arrays raise "Type mismatch";
// a number outside the date range in a date pattern raises "Overflow".
#pragma once

#include <string>
#include <string_view>

#include "runtime/locale.h"
#include "runtime/variant.h"

namespace lattix {

std::string Format(const Variant& value, std::string_view format = {}, const Locale& locale = Locale::current());

} // namespace lattix

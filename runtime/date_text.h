// Reading a date typed or pasted as text, in the locale's layout: what TextOfDate writes reads back
// to the same value.
//
// Accepted: a date of three numbers in the locale's order (day, month and year as its date order
// says), separated by the locale's date separator or by "/", "-" or "."; the month may also be given
// by its name or abbreviation ("31-Dec-2020"); a year of one or two digits is 1930..2029. A time
// h:mm or h:mm:ss (with the locale's time separator or ":") may follow the date or stand alone, with
// an optional AM/PM designator. A time alone gives a value without a day part.
#pragma once

#include <optional>
#include <string_view>

#include "runtime/locale.h"
#include "runtime/variant.h"

namespace lattix {

// Nothing when the text is not a date of the locale (or lies outside years 100..9999).
std::optional<Date> ParseDateText(std::string_view text, const Locale& locale = Locale::current());

} // namespace lattix

// The standard text conversion of every Variant type, as a Basic-style runtime writes a value
// when no format is given: doubles to at most 15 significant digits, singles to 7, the exponent
// form where needed (1E+15, 1.5E-07), currency with up to 4 decimals, dates in the locale's short
// date (with the time when it is not midnight, and only the time when there is no day part),
// True/False, "Error " and the code, Null and Empty as the empty text.
#pragma once

#include <string>

#include "runtime/locale.h"
#include "runtime/variant.h"

namespace lattix {

// Objects and arrays have no text form here and give the empty text (ToString raises for them).
std::string TextOf(const Variant& v, const Locale& locale = Locale::current());
std::string TextOfDouble(double v, const Locale& locale = Locale::current());
std::string TextOfSingle(float v, const Locale& locale = Locale::current());
std::string TextOfCurrency(Currency c, const Locale& locale = Locale::current());
// Raises "Overflow" for a serial outside the date range.
std::string TextOfDate(Date d, const Locale& locale = Locale::current());
// "Error 5" for a runtime error value (0x800A0005), otherwise the full code.
std::string TextOfError(ErrorValue e);

} // namespace lattix

// The standard text conversion of every Variant type, as a Basic-style runtime writes a value
// when no format is given: doubles to at most 15 significant digits, singles to 7, the exponent
// form where needed, dates in the locale's short date (with the time when it is not midnight),
// True/False, "Error " and the code, Null as the empty text.
#pragma once

#include <string>

#include "runtime/variant.h"

namespace lattix {

std::string TextOf(const Variant& v);
std::string TextOfDouble(double v);
std::string TextOfSingle(float v);
std::string TextOfCurrency(Currency c);
std::string TextOfDate(Date d);

} // namespace lattix

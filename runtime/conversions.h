// Basic-style conversions between Variant types.
//
// Numbers convert to integers by rounding half to even; a result outside the target range raises
// "Overflow"; a value with no sensible conversion raises "Type mismatch". Texts convert to numbers with
// the current locale's decimal separator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/locale.h"
#include "runtime/variant.h"

namespace lattix {

// Rounds half to even (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double v);

// A row or column address number: the numeric types only (never strings or Booleans).
// Raises Overflow outside the 32-bit range.
int32_t AddressNumberToInt32(const Variant& v);

int32_t ToInt32(const Variant& v);
int16_t ToInt16(const Variant& v);
uint8_t ToByte(const Variant& v);
double ToDouble(const Variant& v);
float ToSingle(const Variant& v);
bool ToBool(const Variant& v);
Currency ToCurrency(const Variant& v);
Date ToDate(const Variant& v);
// The standard text conversion (see text_conversion.h); Null gives the empty text.
std::string ToString(const Variant& v);

// Parses a number the way a Basic runtime reads a text: optional blanks, sign, digits with the
// locale's decimal separator and thousands separators, an optional exponent, "&H"/"&O" prefixes.
// Returns nothing when the text is not a number. The reading does not depend on the C library's
// locale; a number too large for a double reads as infinity, one too small as 0.
std::optional<double> ParseNumberText(std::string_view text);
std::optional<double> ParseNumberText(std::string_view text, const Locale& locale);

} // namespace lattix

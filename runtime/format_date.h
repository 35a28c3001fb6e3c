// Date and time sections of Format, and the general date form the text conversion writes.
#pragma once

#include <string>

#include "runtime/format_pattern.h"
#include "runtime/locale.h"

namespace lattix {

// The short date, a blank and the long time; only the date at midnight; only the time when the
// serial has no day part. The serial must be a valid date.
std::string FormatGeneralDate(double serial, const Locale& locale);

namespace format_detail {
// Appends the date section rendered for a valid serial.
void RenderDate(const Section& section, double serial, const Locale& locale, std::string& out);
} // namespace format_detail

} // namespace lattix

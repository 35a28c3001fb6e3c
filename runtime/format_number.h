// Number sections of Format.
#pragma once

#include <string>

#include "runtime/decimal_digits.h"
#include "runtime/format_pattern.h"
#include "runtime/locale.h"

namespace lattix::format_detail {

// Appends the section rendered for the magnitude, after a '-' when `minus` is set.
void RenderNumber(const Section& section, DecimalDigits magnitude, bool minus, const Locale& locale,
                  std::string& out);

} // namespace lattix::format_detail

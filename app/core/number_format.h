// The formatting of numbers with Basic-style patterns ("0.##0", " #.#0 ", "###0.0 g").
//
// Core does not format with patterns itself: the procedures that build cell texts take a
// PatternFormatter, which the forms layer binds to the runtime's Format function with the current
// locale. Cells that hold a formatted number also keep the number and its pattern, so a grid can
// take the value with the pattern as its format string instead.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace avigram {

using PatternFormatter = std::function<std::string(double value, std::string_view pattern)>;

// The runtime's Format with the current locale, or an empty function in a build without it.
PatternFormatter RuntimeFormatter();

// ChooseNumberFormat: x formatted with the pattern ChooseNumberPattern picks for it.
std::string ChooseNumberFormat(double x, const PatternFormatter& format);

} // namespace avigram

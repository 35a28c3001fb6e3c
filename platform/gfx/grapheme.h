#pragma once
// Grapheme clusters: the characters a user sees as one ("é" written as e + combining accent, a
// flag of two regional indicators, an emoji sequence joined by ZWJ, a Hangul syllable of jamo).
// Text is never cut, measured for a caret or deleted inside one.
//
// The rules are the extended grapheme cluster rules with the character properties taken from
// HarfBuzz's Unicode tables; Prepend characters (a handful of rare marks) are treated as ordinary.
#include <cstddef>
#include <string_view>

namespace lattix::gfx {

// True when a cluster may start at `pos` (0 and size() are always boundaries).
bool isGraphemeBoundary(std::u32string_view text, std::size_t pos);
// The next boundary after `pos` (size() at the end), and the previous one before it (0 at the start).
std::size_t nextGraphemeBoundary(std::u32string_view text, std::size_t pos);
std::size_t previousGraphemeBoundary(std::u32string_view text, std::size_t pos);
// The greatest boundary at or below `pos`: where a cut meant for `pos` characters may fall.
std::size_t graphemeFloor(std::u32string_view text, std::size_t pos);

} // namespace lattix::gfx

#pragma once
// Bidirectional text: the direction of a paragraph and the order in which its runs are shown.
//
// A paragraph's direction comes from its first strong character (left-to-right when it has none)
// unless the caller forces one. Levels are resolved by FriBidi (the Unicode bidirectional
// algorithm with brackets); the runs of one line are then ordered for display, trailing blanks
// taking the paragraph's level.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace lattix::gfx {

enum class TextDirection : std::uint8_t { Auto, LeftToRight, RightToLeft };

struct BidiRun {
    std::size_t start = 0; // logical index of the first character
    std::size_t length = 0;
    bool rightToLeft = false;
};

struct BidiLine {
    bool rightToLeft = false;  // the paragraph's direction
    std::vector<BidiRun> runs; // in display order, left to right
};

// True when the text's first strong character is right-to-left.
bool startsRightToLeft(std::u32string_view text);
// True when the text may need reordering (holds a right-to-left character or an explicit
// direction control); false means one left-to-right run when the direction is not forced.
bool needsBidi(std::u32string_view text);
// The runs of a single line of text in display order.
BidiLine resolveBidiLine(std::u32string_view text, TextDirection direction);

} // namespace lattix::gfx

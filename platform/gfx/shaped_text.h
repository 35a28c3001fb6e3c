#pragma once
// Shaped text: a line of characters turned into positioned glyphs, the one measure that both
// drawing and measuring use.
//
// Shaping runs HarfBuzz over runs of one direction, script and face: the bidirectional runs of
// the line (bidi.h), split where the script changes or where a character comes from a fallback
// face (a combining mark stays with its base). Glyph positions are whole pixels (pen positions
// rounded), so hinted text stays sharp; kerning, ligatures, joined Arabic and Indic forms and
// mark placement come from the faces' own tables. Control characters take no room.
//
// Results are cached by font, direction and text in a bounded cache of the calling thread that
// drops its least recently used half when full.
// Texts longer than kShapingChunk characters are shaped in pieces cut at grapheme boundaries
// (preferably after a blank), each in the direction of the whole paragraph, so the work for a
// very long text is linear and can stop once enough of it is known.
#include "platform/gfx/bidi.h"
#include "platform/gfx/font.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace lattix::gfx {

inline constexpr std::size_t kShapingChunk = 2048;
// The face of a control character's glyph: it takes no room and nothing is drawn.
inline constexpr std::uint16_t kNoFace = 0xFFFF;

struct ShapedGlyph {
    std::uint32_t index = 0; // glyph index in its face
    std::uint16_t face = 0;  // the font's face (0 primary, 1.. fallbacks, or kNoFace)
    bool rightToLeft = false;
    int x = 0;       // the glyph's origin, from the left edge of the text
    int y = 0;       // the origin's offset above the baseline
    int advance = 0; // from this glyph's pen position to the next one's
    std::uint32_t cluster = 0; // logical index of the first character of its cluster
};

class ShapedText {
public:
    std::vector<ShapedGlyph> glyphs; // in display order, left to right
    std::size_t length = 0;          // characters shaped
    int advance = 0;                 // pen advance of the whole text
    int inkRight = 0;                // right edge of the ink (a glyph may reach past its advance)
    bool rightToLeft = false;        // the paragraph's direction

    // The advance, or the ink's right edge when a glyph reaches past it ("f", italics).
    int width() const { return std::max(advance, inkRight); }
    // x of the caret before the character at logical position `pos` (0..length): on the leading
    // edge of its cluster in the cluster's direction; inside a ligature, a share of its width.
    int caretX(std::size_t pos) const;
    // The logical position whose caret is nearest to x.
    std::size_t positionAt(int x) const;
    // Pieces [left, right) that show the characters [from, to), left to right.
    std::vector<std::pair<int, int>> spans(std::size_t from, std::size_t to) const;
    // Appends the advance of each character in logical order; a cluster's advance is on its
    // first character, the others get 0.
    void appendLogicalAdvances(std::vector<int>& out) const;
};

using ShapedTextPtr = std::shared_ptr<const ShapedText>;

// The shaped text (from the cache when it was shaped before).
ShapedTextPtr shapeText(const Font& font, std::u32string_view text, TextDirection direction);
// The pen advance of the text, without keeping a long text's glyphs.
int shapedAdvance(const Font& font, std::u32string_view text, TextDirection direction);
// The text's width as measured for drawing (ShapedText::width), without keeping a long text's glyphs.
int shapedWidth(const Font& font, std::u32string_view text, TextDirection direction);
// The logical advances of the whole text (see ShapedText::appendLogicalAdvances), in pieces.
std::vector<int> shapedLogicalAdvances(const Font& font, std::u32string_view text, TextDirection direction);
// How many characters from the start of the text are enough to fill `pixels` (at a grapheme
// boundary, with at least one more piece beyond): what a left-to-right line clipped to that width
// can show. The whole length when the text is short.
std::size_t shapedPrefixCovering(const Font& font, std::u32string_view text, TextDirection direction, int pixels);

struct ShapingCacheStats {
    std::size_t entries = 0;
    std::size_t glyphs = 0;
    std::size_t hits = 0;
    std::size_t misses = 0;
};
// The calling thread's cache.
ShapingCacheStats shapingCacheStats();
void clearShapingCache();

} // namespace lattix::gfx

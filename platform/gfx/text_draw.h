#pragma once
// Formatted text: the text-drawing call with its flag set, and the layout it computes.
//
// Flags keep their classic values. Notes on the behaviour:
// - Prefix processing is on unless DT_NOPREFIX: "&x" shows x underlined, "&&" shows one "&".
//   DT_HIDEPREFIX removes the "&" without underlining.
// - DT_VCENTER and DT_BOTTOM place the block of lines; they apply to multi-line text too.
// - Without DT_SINGLELINE, CR LF, LF and CR break lines; with it they take no room.
// - DT_WORDBREAK breaks at blanks. A word wider than the rectangle keeps a line of its own,
//   or is broken between characters with DT_EDITCONTROL.
// - Ellipses ("..."): DT_END_ELLIPSIS cuts the end of a line that is too wide, DT_WORD_ELLIPSIS
//   cuts it after the last whole word that fits, DT_PATH_ELLIPSIS keeps the part after the last
//   "\" or "/" and cuts the part before it. With word break, a text taller than the rectangle
//   gets the ellipsis on its last line that fits (end or word ellipsis).
// - DT_EXPANDTABS expands tabs to stops every 8 average character widths; with DT_TABSTOP bits
//   8..15 of the flags give the characters per stop instead (and are not read as flags).
// - Lines are shaped (shaped_text.h): each line is a bidirectional paragraph whose direction comes
//   from its first strong character; DT_RTLREADING forces right-to-left and reverses the
//   horizontal alignment (left becomes right and back). With DT_ALIGN_BY_READING a left-aligned
//   line whose own direction is right-to-left is aligned right: left means "where the line's
//   reading starts"; centred and right-aligned lines stay where they are.
// - Text is cut (ellipsis, word breaks) only between grapheme clusters. The work is linear in the
//   length of the text: a long line is shaped only as far as it can show.
// - DT_EDITCONTROL drops a last line that would only partly show.
// - DT_CALCRECT draws nothing; it sets rect.right to left + the widest line and rect.bottom to
//   top + the height of all lines. Drawing the same text with the same flags into that
//   rectangle gives the same lines inside it.
// - The text is clipped to the rectangle unless DT_NOCLIP.
// - Unknown flag bits are ignored.
#include "platform/gfx/bidi.h"
#include "platform/gfx/device_context.h"
#include "platform/gfx/font.h"
#include "platform/gfx/shaped_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lattix::gfx {

inline constexpr std::uint32_t DT_TOP = 0;
inline constexpr std::uint32_t DT_LEFT = 0;
inline constexpr std::uint32_t DT_CENTER = 1;
inline constexpr std::uint32_t DT_RIGHT = 2;
inline constexpr std::uint32_t DT_VCENTER = 4;
inline constexpr std::uint32_t DT_BOTTOM = 8;
inline constexpr std::uint32_t DT_WORDBREAK = 16;
inline constexpr std::uint32_t DT_SINGLELINE = 32;
inline constexpr std::uint32_t DT_EXPANDTABS = 64;
inline constexpr std::uint32_t DT_TABSTOP = 128;
inline constexpr std::uint32_t DT_NOCLIP = 256;
inline constexpr std::uint32_t DT_EXTERNALLEADING = 512;
inline constexpr std::uint32_t DT_CALCRECT = 1024;
inline constexpr std::uint32_t DT_NOPREFIX = 2048;
inline constexpr std::uint32_t DT_EDITCONTROL = 8192;
inline constexpr std::uint32_t DT_PATH_ELLIPSIS = 16384;
inline constexpr std::uint32_t DT_END_ELLIPSIS = 32768;
inline constexpr std::uint32_t DT_RTLREADING = 131072;
inline constexpr std::uint32_t DT_WORD_ELLIPSIS = 262144;
inline constexpr std::uint32_t DT_HIDEPREFIX = 1048576;
// An extension of this library (above the classic flags): alignment follows each line's direction.
inline constexpr std::uint32_t DT_ALIGN_BY_READING = 1u << 30;

struct TextLine {
    std::u32string text;     // the characters shown (prefixes removed, ellipsis applied)
    int x = 0;               // left edge after alignment
    int y = 0;               // top edge
    int width = 0;           // advance width (tabs expanded)
    int underlineIndex = -1; // character underlined by a prefix, -1 for none
    bool rightToLeft = false; // the line's paragraph direction
    ShapedTextPtr shaped;     // the glyphs as measured, when one shaping holds the whole line
};

struct TextLayout {
    std::vector<TextLine> lines;
    int lineHeight = 0;
    int tabWidth = 0; // pixels between tab stops
    bool expandTabs = false;
    Rect bounds;      // the box of all lines as placed
    int maxWidth = 0; // widest line
};

// Lays out the text as drawText would draw it into `rect` (no drawing; DT_CALCRECT ignored).
TextLayout layoutText(const Font& font, std::string_view utf8, const Rect& rect, std::uint32_t flags);

// Draws UTF-8 text in the context's font, text colour and background mode. Returns the height
// of the text (from rect.top to the bottom of the last line when placed lower). With
// DT_CALCRECT the rectangle is updated and nothing is drawn.
int drawText(DeviceContext& dc, std::string_view utf8, Rect& rect, std::uint32_t flags);
int drawText(DeviceContext& dc, std::string_view utf8, const Rect& rect, std::uint32_t flags);

// Width of a line of characters in the font, tabs expanded to `tabWidth` stops when it is
// above 0 (counted from the start of the line): the advance, or the right edge of the ink when
// a glyph reaches past its advance.
int measureLine(const Font& font, std::u32string_view text, int tabWidth,
                TextDirection direction = TextDirection::Auto);

} // namespace lattix::gfx

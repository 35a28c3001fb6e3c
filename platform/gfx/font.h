#pragma once
// Fonts: FreeType faces at a pixel size, with their metrics and a per-font glyph cache.
//
// Fonts are immutable for their users and shared: Font::create returns the same object for the
// same description. The glyph cache fills lazily while drawing; like the rest of the drawing
// layer a font is used from one (the user-interface) thread.
//
// A font is a primary face (face 0) and the fallback faces that supply the characters it lacks
// (faces 1, 2, ...), opened when first needed. Text is shaped into glyphs of these faces (see
// shaped_text.h); the metrics and line height are the primary face's.
#include "platform/gfx/geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct hb_font_t;

namespace lattix::gfx {

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_BOLD = 700;

struct FontSpec {
    // Face name; looked up by the font resolver, unknown names give a sans-serif face.
    std::string family = "DejaVu Sans";
    // Size in points at `dpi` (pixels = points * dpi / 72, rounded half to even).
    double pointSize = 8.0;
    // When above 0, the em height in pixels, used instead of pointSize.
    int pixelHeight = 0;
    int weight = FW_NORMAL; // 1..1000
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int dpi = 96;
    // Grey-level antialiased glyphs, or solid (one-bit) glyphs.
    bool antialiased = true;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextMetrics {
    int height = 0; // ascent + descent: the line height
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0; // height - em size
    int externalLeading = 0; // extra space the face recommends between lines
    int aveCharWidth = 0;    // advance of "x"
    int maxCharWidth = 0;
};

// A rendered glyph: coverage 0..255 per pixel, `width` x `height`, placed with its top-left
// corner at (pen x + left, baseline - top).
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int advance = 0; // whole pixels
    std::vector<std::uint8_t> coverage;
};

class Font {
public:
    // Throws std::invalid_argument for a size that is not positive (or above 1000 pixels), a
    // weight outside 1..1000 or a dpi outside 24..1200; std::runtime_error when no face file
    // can be loaded.
    static std::shared_ptr<const Font> create(const FontSpec& spec);
    // The font a device context uses when none is selected: 8 pt "DejaVu Sans" at 96 dpi.
    static std::shared_ptr<const Font> defaultFont();

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const FontSpec& spec() const;
    const std::string& filePath() const;
    // Em size in pixels.
    int pixelSize() const;
    const TextMetrics& metrics() const;
    bool isBold() const { return spec().weight >= 600; }

    // The primary face's glyph for a character, as a single glyph (no shaping or fallback).
    const Glyph& glyph(char32_t c) const;
    int advance(char32_t c) const { return glyph(c).advance; }
    // Shaped advance width of a line of text (no tab or prefix handling).
    int textWidth(std::u32string_view text) const;
    // Width and line height of a UTF-8 text drawn as one line (no tab or prefix handling).
    Size textExtent(std::string_view utf8) const;

    // Faces: 0 is the primary, fallbacks follow. faceFor gives the first face that has the
    // character (0 when none has it: it then shows as the primary face's missing-glyph box).
    std::uint16_t faceFor(char32_t c) const;
    // HarfBuzz's font for a face that faceFor has returned (sized and hinted like its glyphs).
    hb_font_t* shapingFont(std::uint16_t face) const;
    // Pixels in 26.6 fixed point that synthetic emboldening adds to each advance of a face.
    int emboldenAdvance(std::uint16_t face) const;
    // A glyph of a face by glyph index.
    const Glyph& glyphByIndex(std::uint16_t face, std::uint32_t index) const;

    // Underline: top of the line below the baseline, and its thickness (at least 1).
    int underlineOffset() const;
    int underlineThickness() const;
    // Strikeout: top of the line above the baseline, and its thickness.
    int strikeoutOffset() const;
    int strikeoutThickness() const;

    struct Impl;

private:
    explicit Font(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

using FontPtr = std::shared_ptr<const Font>;

} // namespace lattix::gfx

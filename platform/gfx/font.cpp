#include "platform/gfx/font.h"

#include "platform/gfx/font_resolver.h"
#include "platform/gfx/utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>
#include <tuple>
#include <unordered_map>

namespace lattix::gfx {

namespace {

// The FreeType library, kept alive by every face made from it.
class FreeTypeLibrary {
public:
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&lib_) != 0) throw std::runtime_error("FreeType could not be initialised");
    }
    ~FreeTypeLibrary() { FT_Done_FreeType(lib_); }
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
    FT_Library get() const { return lib_; }

private:
    FT_Library lib_ = nullptr;
};

std::shared_ptr<FreeTypeLibrary> freeTypeLibrary() {
    static std::shared_ptr<FreeTypeLibrary> lib = std::make_shared<FreeTypeLibrary>();
    return lib;
}

int roundHalfEven(double v) {
    double r = std::nearbyint(v); // default rounding mode: to nearest, ties to even
    return int(r);
}

int fromFixed26(FT_Pos v) { return int((v + 32) >> 6); }

using CacheKey = std::tuple<std::string, double, int, int, bool, bool, bool, int, bool, int>;

CacheKey keyOf(const FontSpec& s, FontLookupMode mode) {
    return {s.family, s.pointSize, s.pixelHeight, s.weight, s.italic, s.underline, s.strikeout, s.dpi, s.antialiased,
            int(mode)};
}

} // namespace

struct Font::Impl {
    std::shared_ptr<FreeTypeLibrary> library;
    FT_Face face = nullptr;
    FontSpec spec;
    FontFile file;
    int ppem = 0;
    TextMetrics metrics;
    int underlineOffset = 1, underlineThickness = 1, strikeoutOffset = 1, strikeoutThickness = 1;
    mutable std::array<std::unique_ptr<Glyph>, 256> latin;
    mutable std::unordered_map<char32_t, std::unique_ptr<Glyph>> others;

    ~Impl() {
        if (face) FT_Done_Face(face);
    }

    Glyph render(char32_t c) const;
};

Glyph Font::Impl::render(char32_t c) const {
    Glyph g;
    if (c < 0x20 || c == 0x7F) return g; // control characters take no room
    FT_Int32 loadFlags = FT_LOAD_DEFAULT | (spec.antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
    if (FT_Load_Char(face, c, loadFlags) != 0 && FT_Load_Char(face, 0, loadFlags) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    bool wantBold = spec.weight >= 600;
    if (wantBold && !file.bold) FT_GlyphSlot_Embolden(slot);
    if (spec.italic && !file.italic) FT_GlyphSlot_Oblique(slot);
    g.advance = fromFixed26(slot->advance.x);
    if (FT_Render_Glyph(slot, spec.antialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return g;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = int(bm.width);
    g.height = int(bm.rows);
    g.coverage.assign(std::size_t(g.width) * std::size_t(g.height), 0);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* src = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        std::uint8_t* dst = g.coverage.data() + std::size_t(y) * std::size_t(g.width);
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < g.width; ++x) dst[x] = ((src[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
            int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
            for (int x = 0; x < g.width; ++x) dst[x] = std::uint8_t(levels == 255 ? src[x] : src[x] * 255 / levels);
        }
    }
    return g;
}

Font::Font(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Font::~Font() = default;

std::shared_ptr<const Font> Font::create(const FontSpec& spec) {
    if (spec.dpi < 24 || spec.dpi > 1200) throw std::invalid_argument("Font: dpi out of range");
    if (spec.weight < 1 || spec.weight > 1000) throw std::invalid_argument("Font: weight out of range");
    int ppem = spec.pixelHeight > 0 ? spec.pixelHeight
                                    : (std::isfinite(spec.pointSize) && spec.pointSize > 0
                                           ? roundHalfEven(spec.pointSize * spec.dpi / 72.0)
                                           : 0);
    if (spec.pixelHeight < 0 || ppem <= 0 || ppem > 1000) throw std::invalid_argument("Font: size out of range");

    static std::mutex cacheMutex;
    static std::map<CacheKey, std::shared_ptr<const Font>> cache;
    FontLookupMode mode = FontResolver::mode();
    CacheKey key = keyOf(spec, mode);
    std::lock_guard lock(cacheMutex);
    if (auto it = cache.find(key); it != cache.end()) return it->second;

    auto impl = std::make_unique<Impl>();
    impl->library = freeTypeLibrary();
    impl->spec = spec;
    impl->ppem = ppem;
    impl->file = FontResolver::resolve(spec.family, spec.weight, spec.italic);
    if (FT_New_Face(impl->library->get(), impl->file.path.c_str(), impl->file.faceIndex, &impl->face) != 0)
        throw std::runtime_error("Font: cannot load " + impl->file.path);
    if (FT_Set_Pixel_Sizes(impl->face, 0, FT_UInt(ppem)) != 0)
        throw std::runtime_error("Font: cannot set size for " + impl->file.path);

    const FT_Size_Metrics& sm = impl->face->size->metrics;
    TextMetrics& m = impl->metrics;
    m.ascent = int((sm.ascender + 63) >> 6);
    m.descent = int((-sm.descender + 63) >> 6);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - ppem);
    m.externalLeading = std::max(0, fromFixed26(sm.height) - m.height);
    m.maxCharWidth = int((sm.max_advance + 63) >> 6);

    FT_Fixed yScale = sm.y_scale;
    int ulThick = std::max(1, fromFixed26(FT_MulFix(impl->face->underline_thickness, yScale)));
    int ulPos = fromFixed26(FT_MulFix(-impl->face->underline_position, yScale)) - ulThick / 2;
    impl->underlineThickness = ulThick;
    impl->underlineOffset = std::clamp(ulPos, 1, std::max(1, m.descent - ulThick));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(impl->face, FT_SFNT_OS2));
    if (os2 && os2->yStrikeoutSize > 0) {
        impl->strikeoutThickness = std::max(1, fromFixed26(FT_MulFix(os2->yStrikeoutSize, yScale)));
        impl->strikeoutOffset = fromFixed26(FT_MulFix(os2->yStrikeoutPosition, yScale));
    } else {
        impl->strikeoutThickness = ulThick;
        impl->strikeoutOffset = std::max(1, ppem * 3 / 10);
    }

    std::shared_ptr<const Font> font(new Font(std::move(impl)));
    const_cast<TextMetrics&>(font->impl_->metrics).aveCharWidth = font->advance(U'x');
    cache.emplace(key, font);
    return font;
}

std::shared_ptr<const Font> Font::defaultFont() {
    static const std::shared_ptr<const Font> fixedDefault = [] {
        return FontResolver::mode() == FontLookupMode::Fixed ? create(FontSpec{}) : nullptr;
    }();
    if (fixedDefault && FontResolver::mode() == FontLookupMode::Fixed) return fixedDefault;
    return create(FontSpec{});
}

const FontSpec& Font::spec() const { return impl_->spec; }
const std::string& Font::filePath() const { return impl_->file.path; }
int Font::pixelSize() const { return impl_->ppem; }
const TextMetrics& Font::metrics() const { return impl_->metrics; }
int Font::underlineOffset() const { return impl_->underlineOffset; }
int Font::underlineThickness() const { return impl_->underlineThickness; }
int Font::strikeoutOffset() const { return impl_->strikeoutOffset; }
int Font::strikeoutThickness() const { return impl_->strikeoutThickness; }

const Glyph& Font::glyph(char32_t c) const {
    if (c < 256) {
        auto& slot = impl_->latin[c];
        if (!slot) slot = std::make_unique<Glyph>(impl_->render(c));
        return *slot;
    }
    auto& slot = impl_->others[c];
    if (!slot) slot = std::make_unique<Glyph>(impl_->render(c));
    return *slot;
}

int Font::textWidth(std::u32string_view text) const {
    int w = 0;
    for (char32_t c : text) w += glyph(c).advance;
    return w;
}

Size Font::textExtent(std::string_view utf8) const {
    return {textWidth(decodeUtf8(utf8)), impl_->metrics.height};
}

} // namespace lattix::gfx

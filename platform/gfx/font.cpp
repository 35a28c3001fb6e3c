#include "platform/gfx/font.h"

#include "platform/gfx/font_resolver.h"
#include "platform/gfx/shaped_text.h"
#include "platform/gfx/utf8.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

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

// One FreeType face at the font's size, with its HarfBuzz font and its rendered glyphs.
struct FontFace {
    FontFile file;
    FT_Face ft = nullptr;
    hb_font_t* hb = nullptr;
    bool synthBold = false, synthItalic = false;
    int emboldenAdvance = 0; // 26.6
    std::vector<std::unique_ptr<Glyph>> glyphs; // by glyph index

    FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace() {
        if (hb) hb_font_destroy(hb);
        if (ft) FT_Done_Face(ft);
    }
};

struct Font::Impl {
    std::shared_ptr<FreeTypeLibrary> library;
    FontSpec spec;
    FontFile file;
    int ppem = 0;
    TextMetrics metrics;
    int underlineOffset = 1, underlineThickness = 1, strikeoutOffset = 1, strikeoutThickness = 1;
    mutable std::array<std::unique_ptr<Glyph>, 256> latin;
    mutable std::unordered_map<char32_t, std::unique_ptr<Glyph>> others;
    // faces[0] is the primary face; faces[k] is fallbacks[k - 1], opened on first use.
    mutable std::vector<std::unique_ptr<FontFace>> faces;
    mutable std::vector<FallbackFont> fallbacks;
    mutable std::vector<bool> fallbackTried;
    mutable bool fallbacksListed = false;
    mutable std::array<std::int16_t, 0x300> faceOfLow{};
    mutable std::unordered_map<char32_t, std::uint16_t> faceOfOther;

    FT_Face face() const { return faces[0]->ft; }
    FT_Int32 loadFlags() const {
        return FT_LOAD_DEFAULT | (spec.antialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO);
    }
    std::unique_ptr<FontFace> open(const FontFile& f) const;
    FontFace* fallback(std::size_t k) const;
    std::uint16_t findFace(char32_t c) const;
    Glyph renderSlot(const FontFace& face) const;
    Glyph render(char32_t c) const;
};

std::unique_ptr<FontFace> Font::Impl::open(const FontFile& f) const {
    auto face = std::make_unique<FontFace>();
    face->file = f;
    if (FT_New_Face(library->get(), f.path.c_str(), f.faceIndex, &face->ft) != 0) {
        face->ft = nullptr;
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(face->ft, 0, FT_UInt(ppem)) != 0) return nullptr;
    face->synthBold = spec.weight >= 600 && !f.bold;
    face->synthItalic = spec.italic && !f.italic;
    if (face->synthBold)
        face->emboldenAdvance = int(FT_MulFix(face->ft->units_per_EM, face->ft->size->metrics.y_scale) / 24);
    face->hb = hb_ft_font_create_referenced(face->ft);
    if (!face->hb) return nullptr;
    hb_ft_font_set_load_flags(face->hb, loadFlags());
    face->glyphs.resize(std::size_t(std::max<FT_Long>(0, face->ft->num_glyphs)));
    return face;
}

FontFace* Font::Impl::fallback(std::size_t k) const {
    if (k >= fallbacks.size()) return nullptr;
    if (!fallbackTried[k]) {
        fallbackTried[k] = true;
        const FontFile& f = fallbacks[k].file;
        // The primary face is not opened twice.
        if (!(f.path == file.path && f.faceIndex == file.faceIndex)) faces[k + 1] = open(f);
    }
    return faces[k + 1].get();
}

std::uint16_t Font::Impl::findFace(char32_t c) const {
    if (FT_Get_Char_Index(face(), FT_ULong(c)) != 0) return 0;
    if (!fallbacksListed) {
        fallbacksListed = true;
        try {
            fallbacks = FontResolver::fallbacks(spec.family, spec.weight, spec.italic);
        } catch (const std::exception&) {
            fallbacks.clear(); // without fallbacks the primary face's box shows
        }
        fallbackTried.assign(fallbacks.size(), false);
        faces.resize(fallbacks.size() + 1);
    }
    for (std::size_t k = 0; k < fallbacks.size(); ++k) {
        if (!fallbacks[k].covers(c)) continue;
        FontFace* f = fallback(k);
        if (f && FT_Get_Char_Index(f->ft, FT_ULong(c)) != 0) return std::uint16_t(k + 1);
    }
    return 0;
}

Glyph Font::Impl::renderSlot(const FontFace& face) const {
    Glyph g;
    FT_GlyphSlot slot = face.ft->glyph;
    if (face.synthBold) FT_GlyphSlot_Embolden(slot);
    if (face.synthItalic) FT_GlyphSlot_Oblique(slot);
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

Glyph Font::Impl::render(char32_t c) const {
    if (c < 0x20 || c == 0x7F) return {}; // control characters take no room
    if (FT_Load_Char(face(), c, loadFlags()) != 0 && FT_Load_Char(face(), 0, loadFlags()) != 0) return {};
    return renderSlot(*faces[0]);
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
    impl->faces.push_back(impl->open(impl->file));
    if (!impl->faces[0]) throw std::runtime_error("Font: cannot load " + impl->file.path);
    impl->faceOfLow.fill(-1);
    FT_Face primary = impl->face();

    const FT_Size_Metrics& sm = primary->size->metrics;
    TextMetrics& m = impl->metrics;
    m.ascent = int((sm.ascender + 63) >> 6);
    m.descent = int((-sm.descender + 63) >> 6);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - ppem);
    m.externalLeading = std::max(0, fromFixed26(sm.height) - m.height);
    m.maxCharWidth = int((sm.max_advance + 63) >> 6);

    FT_Fixed yScale = sm.y_scale;
    int ulThick = std::max(1, fromFixed26(FT_MulFix(primary->underline_thickness, yScale)));
    int ulPos = fromFixed26(FT_MulFix(-primary->underline_position, yScale)) - ulThick / 2;
    impl->underlineThickness = ulThick;
    impl->underlineOffset = std::clamp(ulPos, 1, std::max(1, m.descent - ulThick));
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(primary, FT_SFNT_OS2));
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

int Font::textWidth(std::u32string_view text) const { return shapedAdvance(*this, text, TextDirection::Auto); }

std::uint16_t Font::faceFor(char32_t c) const {
    if (c < impl_->faceOfLow.size()) {
        std::int16_t& slot = impl_->faceOfLow[c];
        if (slot < 0) slot = std::int16_t(impl_->findFace(c));
        return std::uint16_t(slot);
    }
    auto [it, added] = impl_->faceOfOther.try_emplace(c, 0);
    if (added) it->second = impl_->findFace(c);
    return it->second;
}

hb_font_t* Font::shapingFont(std::uint16_t face) const {
    if (face >= impl_->faces.size() || !impl_->faces[face]) return impl_->faces[0]->hb;
    return impl_->faces[face]->hb;
}

int Font::emboldenAdvance(std::uint16_t face) const {
    if (face >= impl_->faces.size() || !impl_->faces[face]) return 0;
    return impl_->faces[face]->emboldenAdvance;
}

const Glyph& Font::glyphByIndex(std::uint16_t faceIndex, std::uint32_t index) const {
    static const Glyph empty;
    if (faceIndex >= impl_->faces.size() || !impl_->faces[faceIndex]) faceIndex = 0;
    FontFace& face = *impl_->faces[faceIndex];
    if (index >= face.glyphs.size()) return empty;
    std::unique_ptr<Glyph>& slot = face.glyphs[index];
    if (!slot) {
        slot = std::make_unique<Glyph>();
        if (FT_Load_Glyph(face.ft, index, impl_->loadFlags()) == 0) *slot = impl_->renderSlot(face);
    }
    return *slot;
}

Size Font::textExtent(std::string_view utf8) const {
    return {textWidth(decodeUtf8(utf8)), impl_->metrics.height};
}

} // namespace lattix::gfx

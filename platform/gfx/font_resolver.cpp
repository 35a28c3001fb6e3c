#include "platform/gfx/font_resolver.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <sys/stat.h>

namespace lattix::gfx {

namespace {

struct ResolverState {
    std::mutex mutex;
    FontLookupMode mode = FontLookupMode::Fixed;
    std::string fixedDir = "/usr/share/fonts/truetype/dejavu";
};

ResolverState& state() {
    static ResolverState s;
    return s;
}

bool fileExists(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

FontFile resolveFixed(const std::string& dir, const std::string& family, int weight, bool italic) {
    std::string name = lower(family);
    auto has = [&](const char* w) { return name.find(w) != std::string::npos; };
    bool bold = weight >= 600;
    std::string base, boldSuffix = "-Bold", slantSuffix = "-Oblique", boldSlantSuffix = "-BoldOblique";
    if (has("mono") || has("courier") || has("fixed") || has("console")) {
        base = "DejaVuSansMono";
    } else if ((has("serif") && !has("sans")) || has("times")) {
        base = "DejaVuSerif";
        slantSuffix = "-Italic";
        boldSlantSuffix = "-BoldItalic";
    } else {
        base = "DejaVuSans";
    }
    const std::string suffixes[4] = {"", boldSuffix, slantSuffix, boldSlantSuffix};
    int wanted = (bold ? 1 : 0) + (italic ? 2 : 0);
    // Prefer the exact style; fall back to the regular face (the style is then synthesised).
    for (int choice : {wanted, 0}) {
        std::string path = dir + "/" + base + suffixes[choice] + ".ttf";
        if (fileExists(path)) return {path, 0, (choice & 1) != 0, (choice & 2) != 0};
    }
    std::string fallback = dir + "/DejaVuSans.ttf";
    if (fileExists(fallback)) return {fallback, 0, false, false};
    throw std::runtime_error("font file not found in " + dir);
}

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// The resolver's own fontconfig configuration, loaded on first use and released at exit
// together with fontconfig's process-wide caches.
class FontconfigConfig {
public:
    FontconfigConfig() : config_(FcInitLoadConfigAndFonts()) {}
    ~FontconfigConfig() {
        if (config_) FcConfigDestroy(config_);
        FcFini();
    }
    FontconfigConfig(const FontconfigConfig&) = delete;
    FontconfigConfig& operator=(const FontconfigConfig&) = delete;
    FcConfig* get() const { return config_; }

private:
    FcConfig* config_;
};

const FontconfigConfig& fontconfig() {
    static const FontconfigConfig config;
    if (!config.get()) throw std::runtime_error("fontconfig could not be initialised");
    return config;
}

PatternPtr familyPattern(const std::string& family, int weight, bool italic) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) throw std::bad_alloc();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(fontconfig().get(), pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

FontFile fileOf(FcPattern* match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch || !file) return {};
    int index = 0, matchedWeight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
    FcPatternGetInteger(match, FC_SLANT, 0, &slant);
    return {reinterpret_cast<const char*>(file), index, matchedWeight >= FC_WEIGHT_DEMIBOLD, slant != FC_SLANT_ROMAN};
}

FontFile resolveFontconfig(const std::string& family, int weight, bool italic) {
    const FontconfigConfig& config = fontconfig();
    PatternPtr pattern = familyPattern(family, weight, italic);
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(config.get(), pattern.get(), &result));
    if (!match) throw std::runtime_error("no font matches " + family);
    FontFile found = fileOf(match.get());
    if (found.path.empty()) throw std::runtime_error("no font file for " + family);
    return found;
}

constexpr std::size_t kMaxFallbacks = 48;

std::vector<FallbackFont> fallbacksFontconfig(const std::string& family, int weight, bool italic) {
    const FontconfigConfig& config = fontconfig();
    PatternPtr pattern = familyPattern(family, weight, italic);
    FcResult result = FcResultNoMatch;
    FcCharSet* unused = nullptr;
    std::unique_ptr<FcFontSet, void (*)(FcFontSet*)> set(FcFontSort(config.get(), pattern.get(), FcTrue, &unused, &result),
                                                          FcFontSetDestroy);
    if (unused) FcCharSetDestroy(unused);
    std::vector<FallbackFont> out;
    if (!set) return out;
    for (int i = 0; i < set->nfont && out.size() < kMaxFallbacks; ++i) {
        FallbackFont f;
        f.file = fileOf(set->fonts[i]);
        if (f.file.path.empty()) continue;
        FcCharSet* cs = nullptr;
        // A copy of our own: fontconfig's charset lives in its cache, which must be free when
        // fontconfig shuts down at exit while fonts may still hold their fallbacks.
        FcCharSet* own = nullptr;
        if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &cs) == FcResultMatch && cs && (own = FcCharSetCreate()) &&
            FcCharSetMerge(own, cs, nullptr))
            f.charset = std::shared_ptr<const void>(own, [](const void* p) {
                FcCharSetDestroy(static_cast<FcCharSet*>(const_cast<void*>(p)));
            });
        else if (own)
            FcCharSetDestroy(own);
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<FallbackFont> fallbacksFixed(const std::string& dir, int weight, bool italic) {
    const bool bold = weight >= 600;
    std::vector<FallbackFont> out;
    auto add = [&](const std::string& path, int index, bool isBold, bool isItalic) {
        if (fileExists(path)) out.push_back({{path, index, isBold, isItalic}, nullptr});
    };
    const char* dejavu[4] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf"};
    const int style = (bold ? 1 : 0) + (italic ? 2 : 0);
    add(dir + "/" + dejavu[style], 0, bold, italic);
    if (style != 0) add(dir + "/DejaVuSans.ttf", 0, false, false);
    add("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0, false, false);
    add("/usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf", 0, false, false);
    const char* garuda[4] = {"Garuda.ttf", "Garuda-Bold.ttf", "Garuda-Oblique.ttf", "Garuda-BoldOblique.ttf"};
    add(std::string("/usr/share/fonts/truetype/tlwg/") + garuda[style], 0, bold, italic);
    if (style != 0) add("/usr/share/fonts/truetype/tlwg/Garuda.ttf", 0, false, false);
    return out;
}

} // namespace

bool FallbackFont::covers(char32_t c) const {
    return !charset || FcCharSetHasChar(static_cast<const FcCharSet*>(charset.get()), FcChar32(c));
}

FontLookupMode FontResolver::mode() {
    std::lock_guard lock(state().mutex);
    return state().mode;
}

void FontResolver::setMode(FontLookupMode mode) {
    if (mode != FontLookupMode::Fixed && mode != FontLookupMode::Fontconfig)
        throw std::invalid_argument("FontResolver: unknown mode");
    std::lock_guard lock(state().mutex);
    state().mode = mode;
}

std::string FontResolver::fixedFontDir() {
    std::lock_guard lock(state().mutex);
    return state().fixedDir;
}

void FontResolver::setFixedFontDir(const std::string& dir) {
    if (dir.empty()) throw std::invalid_argument("FontResolver: empty font folder");
    std::lock_guard lock(state().mutex);
    state().fixedDir = dir;
}

FontFile FontResolver::resolve(const std::string& family, int weight, bool italic) {
    FontLookupMode m;
    std::string dir;
    {
        std::lock_guard lock(state().mutex);
        m = state().mode;
        dir = state().fixedDir;
    }
    if (m == FontLookupMode::Fontconfig) return resolveFontconfig(family, weight, italic);
    return resolveFixed(dir, family, weight, italic);
}

} // namespace lattix::gfx

namespace lattix::gfx {

std::vector<FallbackFont> FontResolver::fallbacks(const std::string& family, int weight, bool italic) {
    FontLookupMode m;
    std::string dir;
    {
        std::lock_guard lock(state().mutex);
        m = state().mode;
        dir = state().fixedDir;
    }
    if (m == FontLookupMode::Fontconfig) return fallbacksFontconfig(family, weight, italic);
    // The pinned faces first (the same on every machine that has them), then whatever else this
    // machine has, so that a character shows whenever any installed font covers it.
    std::vector<FallbackFont> list = fallbacksFixed(dir, weight, italic);
    try {
        for (FallbackFont& f : fallbacksFontconfig("sans-serif", weight, italic)) list.push_back(std::move(f));
    } catch (const std::exception&) {
        // no fontconfig: the pinned faces alone
    }
    return list;
}

} // namespace lattix::gfx

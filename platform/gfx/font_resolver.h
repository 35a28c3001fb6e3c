#pragma once
// Finds the face file for a font name, weight and slant.
//
// Fixed mode (the default, used headless) maps every name onto the DejaVu files of
// fonts-dejavu-core, so that pictures are the same on every machine: names containing "mono",
// "courier", "fixed" or "console" take DejaVu Sans Mono, names with "serif" but not "sans" (or
// with "times") take DejaVu Serif, all others DejaVu Sans. Fontconfig mode asks fontconfig,
// which falls back to a sans-serif face for unknown names.
//
// Characters a face lacks are drawn from its fallback faces, the first in order that has them.
// Fixed mode uses a pinned list (DejaVu Sans, then WenQuanYi Micro Hei for Chinese, Japanese and
// Korean, Lohit Devanagari, Garuda for Thai: Debian's fonts-wqy-microhei, fonts-lohit-deva and
// fonts-tlwg-garuda-ttf), so the choice is the same on every machine that has them, followed by
// fontconfig's list for sans-serif for whatever they lack; fontconfig mode takes fontconfig's own
// fallback list for the family.
#include <memory>
#include <string>
#include <vector>

namespace lattix::gfx {

enum class FontLookupMode { Fixed, Fontconfig };

struct FontFile {
    std::string path;
    int faceIndex = 0;
    bool bold = false;   // the face itself is bold (no emboldening needed)
    bool italic = false; // the face itself is slanted
};

// A fallback face and, when fontconfig knows it, the characters it covers (so that a face is
// only opened when it is needed).
struct FallbackFont {
    FontFile file;
    std::shared_ptr<const void> charset; // fontconfig's FcCharSet, or empty: open the face to know
    bool covers(char32_t c) const;       // true when unknown
};

class FontResolver {
public:
    static FontLookupMode mode();
    static void setMode(FontLookupMode mode);
    // Folder of the DejaVu files in fixed mode (default /usr/share/fonts/truetype/dejavu).
    static std::string fixedFontDir();
    static void setFixedFontDir(const std::string& dir);

    // Throws std::runtime_error when no file is found.
    static FontFile resolve(const std::string& family, int weight, bool italic);
    // The faces to try, in order, for characters the resolved face lacks (it may list that face
    // itself; the caller skips it).
    static std::vector<FallbackFont> fallbacks(const std::string& family, int weight, bool italic);
};

} // namespace lattix::gfx

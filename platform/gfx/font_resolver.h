#pragma once
// Finds the face file for a font name, weight and slant.
//
// Fixed mode (the default, used headless) maps every name onto the DejaVu files of
// fonts-dejavu-core, so that pictures are the same on every machine: names containing "mono",
// "courier", "fixed" or "console" take DejaVu Sans Mono, names with "serif" but not "sans" (or
// with "times") take DejaVu Serif, all others DejaVu Sans. Fontconfig mode asks fontconfig,
// which falls back to a sans-serif face for unknown names.
#include <string>

namespace lattix::gfx {

enum class FontLookupMode { Fixed, Fontconfig };

struct FontFile {
    std::string path;
    int faceIndex = 0;
    bool bold = false;   // the face itself is bold (no emboldening needed)
    bool italic = false; // the face itself is slanted
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
};

} // namespace lattix::gfx

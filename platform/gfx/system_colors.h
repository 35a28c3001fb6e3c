#pragma once
// The system colour table, indexes 0..30, with the classic desktop defaults. A backend may
// replace entries (the headless backend keeps the defaults; a toolkit backend may take its
// palette). The table is process-wide and used from the user-interface thread.
//
// Defaults (0x00BBGGRR as rgb(r, g, b)): button face, menu, scroll bar, borders and 3-D light
// are the classic warm grey rgb(212, 208, 200); shadows and grey text rgb(128, 128, 128); the
// dark shadow rgb(64, 64, 64); window white, window and button text black; the highlight and
// active caption navy rgb(10, 36, 106) with white highlight text; tooltips black on
// rgb(255, 255, 225).
#include "platform/gfx/color.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lattix::gfx {

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int kSystemColorCount = 31;

// A colour value with this bit set names a system colour (the low byte is its index).
inline constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

class SystemColors {
public:
    static const std::array<Color, kSystemColorCount>& defaults();

    // Throws std::out_of_range for an index outside 0..30.
    Color get(int index) const;
    void set(int index, Color c);
    void resetToDefaults();
    const std::array<Color, kSystemColorCount>& table() const { return colors_; }
    // True while every entry has its default.
    bool areDefaults() const { return colors_ == defaults(); }

    // An automation colour to RGB: an RGB value 0x00BBGGRR is returned as it is, a system
    // colour 0x800000nn gives entry nn. Anything else (-1, an index above 30, other high
    // bytes) cannot be translated.
    std::optional<Color> translate(std::uint32_t value) const;

private:
    std::array<Color, kSystemColorCount> colors_ = defaults();
};

// The process-wide table.
SystemColors& systemColors();
// Shorthand for systemColors().get(index).
Color sysColor(int index);

} // namespace lattix::gfx

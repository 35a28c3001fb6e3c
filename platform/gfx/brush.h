#pragma once
// The brush areas are filled with: solid, one of the six hatch patterns, or none.
#include "platform/gfx/color.h"

#include <cstdint>

namespace lattix::gfx {

// Hatch styles, numbered as the grid's hatch enumeration numbers them.
enum class HatchStyle : int {
    Horizontal = 0, // ----
    Vertical = 1,   // ||||
    FDiagonal = 2,  // \\\\ (top left to bottom right)
    BDiagonal = 3,  // //// (bottom left to top right)
    Cross = 4,      // ++++
    DiagCross = 5,  // xxxx
};

enum class BrushStyle { Solid, Hatch, Null };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = 0;
    HatchStyle hatch = HatchStyle::Horizontal;

    static Brush solid(Color c) { return {BrushStyle::Solid, c, HatchStyle::Horizontal}; }
    // Hatch lines in `c`; the gaps take the background colour when the background mode is
    // opaque and are left alone when it is transparent.
    static Brush hatched(HatchStyle h, Color c) { return {BrushStyle::Hatch, c, h}; }
    static Brush none() { return {BrushStyle::Null, 0, HatchStyle::Horizontal}; }
    friend bool operator==(const Brush&, const Brush&) = default;
};

// The 8x8 pattern of a hatch style: bit (7 - x) of byte y is set where the hatch line is, with
// (x, y) the position relative to the brush origin modulo 8.
// Horizontal: row 0. Vertical: column 0. FDiagonal: x == y. BDiagonal: x + y == 7.
const std::uint8_t* hatchPattern(HatchStyle h);
// Whether the hatch line covers pattern cell (x, y), both taken modulo 8.
bool hatchBit(HatchStyle h, int x, int y);
// Whether `value` names one of the six hatch styles.
bool isValidHatch(int value);

} // namespace lattix::gfx

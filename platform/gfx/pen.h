#pragma once
// The pen lines are drawn with.
#include "platform/gfx/color.h"

namespace lattix::gfx {

enum class PenStyle {
    Solid,
    // One pixel on, one pixel off along the line. The pattern starts "on" at the point given to
    // moveTo and carries on across the lineTo calls that follow.
    Dot,
    Null, // draws nothing
};

struct Pen {
    PenStyle style = PenStyle::Solid;
    // Width in pixels; 0 and 1 both give one-pixel lines. Dotted pens are always one pixel.
    int width = 1;
    Color color = 0;

    static Pen solid(Color c, int width = 1) { return {PenStyle::Solid, width, c}; }
    static Pen dotted(Color c) { return {PenStyle::Dot, 1, c}; }
    static Pen none() { return {PenStyle::Null, 0, 0}; }
    friend bool operator==(const Pen&, const Pen&) = default;
};

} // namespace lattix::gfx

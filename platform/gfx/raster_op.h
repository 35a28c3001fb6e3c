#pragma once
// Raster operations of bit blits, with their classic numeric codes. S is the source pixel, D the
// destination, P the selected brush.
#include <cstdint>

namespace lattix::gfx {

enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,    // D = S (alpha copied too)
    SrcPaint = 0x00EE0086,   // D = S | D
    SrcAnd = 0x008800C6,     // D = S & D
    SrcInvert = 0x00660046,  // D = S ^ D
    SrcErase = 0x00440328,   // D = S & ~D
    NotSrcCopy = 0x00330008, // D = ~S
    MergePaint = 0x00BB0226, // D = ~S | D
    PatCopy = 0x00F00021,    // D = P
    PatInvert = 0x005A0049,  // D = P ^ D
    DstInvert = 0x00550009,  // D = ~D
    Blackness = 0x00000042,  // D = 0
    Whiteness = 0x00FF0062,  // D = 1
};

// Whether the operation reads a source bitmap.
constexpr bool usesSource(RasterOp op) {
    switch (op) {
    case RasterOp::PatCopy:
    case RasterOp::PatInvert:
    case RasterOp::DstInvert:
    case RasterOp::Blackness:
    case RasterOp::Whiteness:
        return false;
    default:
        return true;
    }
}

} // namespace lattix::gfx

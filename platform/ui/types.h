// Basic value types of the window layer: handles, message parameters and pixel geometry.
#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"

namespace lattix::ui {

// A window handle. 0 is "no window"; handles are never reused within a process.
using Hwnd = std::uintptr_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;
using TimerId = std::uintptr_t;
using MonitorHandle = std::uintptr_t;

// Pixel geometry is shared with the drawing layer, so rectangles pass to device contexts unchanged.
using Point = gfx::Point;
using Size = gfx::Size;
using Rect = gfx::Rect;
using gfx::intersect;
using gfx::rectOfSize;
using gfx::unite;

// Packing of two 16-bit halves into a message parameter, as the classic message set does.
constexpr LParam MakeLParam(int low, int high) {
    return static_cast<LParam>(static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                                                         ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16)));
}
constexpr WParam MakeWParam(int low, int high) {
    return static_cast<WParam>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                               ((static_cast<std::uint32_t>(high) & 0xFFFF) << 16));
}
constexpr std::uint16_t LoWord(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
constexpr std::uint16_t HiWord(std::uintptr_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }
// Signed coordinates from a mouse message's lParam (client coordinates may be negative under capture).
constexpr int GetXLParam(LParam l) { return static_cast<std::int16_t>(LoWord(static_cast<std::uintptr_t>(l))); }
constexpr int GetYLParam(LParam l) { return static_cast<std::int16_t>(HiWord(static_cast<std::uintptr_t>(l))); }
// The signed wheel distance of a mouse wheel message's wParam (multiples of WHEEL_DELTA).
constexpr int GetWheelDeltaWParam(WParam w) { return static_cast<std::int16_t>(HiWord(w)); }
constexpr int GetKeyStateWParam(WParam w) { return LoWord(w); }

} // namespace lattix::ui

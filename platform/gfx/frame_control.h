#pragma once
// Classic 3-D edges and frame controls (check boxes, push buttons, scroll and combo arrows),
// drawn with the system colours.
#include "platform/gfx/device_context.h"

#include <cstdint>

namespace lattix::gfx {

// Edge parts and edges
inline constexpr std::uint32_t BDR_RAISEDOUTER = 0x1;
inline constexpr std::uint32_t BDR_SUNKENOUTER = 0x2;
inline constexpr std::uint32_t BDR_RAISEDINNER = 0x4;
inline constexpr std::uint32_t BDR_SUNKENINNER = 0x8;
inline constexpr std::uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr std::uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr std::uint32_t EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr std::uint32_t EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
// Edge flags
inline constexpr std::uint32_t BF_LEFT = 0x1;
inline constexpr std::uint32_t BF_TOP = 0x2;
inline constexpr std::uint32_t BF_RIGHT = 0x4;
inline constexpr std::uint32_t BF_BOTTOM = 0x8;
inline constexpr std::uint32_t BF_RECT = 0xF;
inline constexpr std::uint32_t BF_MIDDLE = 0x800;  // fill the inside with the button face
inline constexpr std::uint32_t BF_SOFT = 0x1000;   // button look: light outer, softer inner
inline constexpr std::uint32_t BF_ADJUST = 0x2000; // shrink the rectangle by the edge drawn
inline constexpr std::uint32_t BF_FLAT = 0x4000;   // one shadow-coloured line instead of 3-D
inline constexpr std::uint32_t BF_MONO = 0x8000;   // one black line

// Frame control types
inline constexpr std::uint32_t DFC_CAPTION = 1;
inline constexpr std::uint32_t DFC_MENU = 2;
inline constexpr std::uint32_t DFC_SCROLL = 3;
inline constexpr std::uint32_t DFC_BUTTON = 4;
// Button kinds (DFC_BUTTON)
inline constexpr std::uint32_t DFCS_BUTTONCHECK = 0x0;
inline constexpr std::uint32_t DFCS_BUTTON3STATE = 0x8; // with DFCS_CHECKED: the grayed check
inline constexpr std::uint32_t DFCS_BUTTONPUSH = 0x10;
// Scroll kinds (DFC_SCROLL)
inline constexpr std::uint32_t DFCS_SCROLLUP = 0x0;
inline constexpr std::uint32_t DFCS_SCROLLDOWN = 0x1;
inline constexpr std::uint32_t DFCS_SCROLLLEFT = 0x2;
inline constexpr std::uint32_t DFCS_SCROLLRIGHT = 0x3;
inline constexpr std::uint32_t DFCS_SCROLLCOMBOBOX = 0x5;
// States
inline constexpr std::uint32_t DFCS_INACTIVE = 0x100;
inline constexpr std::uint32_t DFCS_PUSHED = 0x200;
inline constexpr std::uint32_t DFCS_CHECKED = 0x400;
inline constexpr std::uint32_t DFCS_TRANSPARENT = 0x800;
inline constexpr std::uint32_t DFCS_HOT = 0x1000;
inline constexpr std::uint32_t DFCS_FLAT = 0x4000;
inline constexpr std::uint32_t DFCS_MONO = 0x8000;

// Draws the edge parts `edge` on the sides in `flags`. The top-left colour is drawn first, so
// the top-right and bottom-left corner pixels take the bottom-right colour. With BF_ADJUST the
// rectangle is shrunk by the width of the edge drawn.
void drawEdge(DeviceContext& dc, Rect& rect, std::uint32_t edge, std::uint32_t flags);
void drawEdge(DeviceContext& dc, const Rect& rect, std::uint32_t edge, std::uint32_t flags);

// Draws a frame control. Check boxes are squares of min(width, height) centred in the
// rectangle (13 pixels gives the classic box with a 7x7 check mark); buttons and arrows fill
// the rectangle. Pushed arrows move their glyph by one pixel; DFCS_INACTIVE draws a greyed,
// embossed glyph. Returns false (drawing nothing) for an unknown type or kind.
bool drawFrameControl(DeviceContext& dc, const Rect& rect, std::uint32_t type, std::uint32_t state);

// The 7x7 check mark, bit (6 - x) of row y.
const std::uint8_t* checkMarkPattern();

} // namespace lattix::gfx

// What the grid remembers of the mouse between messages: the gesture of the last press, the cell
// under the pointer, and automatic scrolling while drag-selecting.
#pragma once

#include <cstdint>

namespace lattix {

struct MouseState {
    // The last press.
    int32_t downRow = 0, downCol = 0; // the mouse-down cell, 0 where none
    int32_t downX = 0, downY = 0;     // the mouse-down point (client pixels)
    int32_t downPart = 0;             // ECellParts of the mouse-down cell that was hit
    bool pressed = false;             // a press handled by the grid has not been released yet
    bool bodyPress = false;           // the press was on a cell's body (no control of the cell)
    bool deferredSelection = false;   // a press on a selected cell: the selection waits for release
    bool dragStarted = false;         // StartCellDrag was raised for this press
    bool dragSelecting = false;       // DragSelect is on and the press was a body press
    bool holdsCapture = false;        // the grid captured the mouse at the press
    // The cell under the pointer after the last move, 0 where none.
    int32_t hoverRow = 0, hoverCol = 0;
    // Automatic scrolling while drag-selecting outside the cells area.
    int32_t autoDirX = 0, autoDirY = 0;
    int32_t autoShift = 0;
    int32_t lastReachedRow = 0, lastReachedCol = 0;
};

namespace mouse_timer {
// Window timer identifiers of the grid window.
inline constexpr uintptr_t kDoubleClickCheck = 0x4C01;
inline constexpr uintptr_t kMouseLeaveCheck = 0x4C02;
inline constexpr uintptr_t kCellAutoscroll = 0x4C03;
inline constexpr unsigned kMouseLeaveMs = 20;
inline constexpr unsigned kAutoscrollMs = 50;
} // namespace mouse_timer

} // namespace lattix

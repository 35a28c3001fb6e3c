// Translation of Qt's keys, buttons and cursor shapes to the window manager's.
#pragma once

#include <Qt>

#include "platform/ui/keys.h"
#include "platform/ui/styles.h"

namespace lattix::ui::qt {

// The virtual key of a Qt key; 0 when the key has none (its text then travels as VK_PACKET).
// keypad: the key came from the numeric keypad.
VirtualKey VirtualKeyOf(int qtKey, bool keypad = false);
// VK_LBUTTON, VK_RBUTTON, VK_MBUTTON, or 0 for other buttons.
VirtualKey ButtonKeyOf(Qt::MouseButton button);
Qt::CursorShape CursorShapeOf(Cursor cursor);

} // namespace lattix::ui::qt

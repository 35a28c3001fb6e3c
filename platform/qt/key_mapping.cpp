#include "platform/qt/key_mapping.h"

namespace lattix::ui::qt {

VirtualKey VirtualKeyOf(int key, bool keypad) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return VK_A + static_cast<VirtualKey>(key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (keypad ? VK_NUMPAD0 : VK_0) + static_cast<VirtualKey>(key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + static_cast<VirtualKey>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : 0;
    case Qt::Key_Plus: return keypad ? VK_ADD : 0;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : 0;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : 0;
    case Qt::Key_Period:
    case Qt::Key_Comma: return keypad ? VK_DECIMAL : 0;
    default: return 0;
    }
}

VirtualKey ButtonKeyOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return VK_LBUTTON;
    case Qt::RightButton: return VK_RBUTTON;
    case Qt::MiddleButton: return VK_MBUTTON;
    default: return 0;
    }
}

Qt::CursorShape CursorShapeOf(Cursor cursor) {
    switch (cursor) {
    case Cursor::None: return Qt::BlankCursor;
    case Cursor::Arrow: return Qt::ArrowCursor;
    case Cursor::IBeam: return Qt::IBeamCursor;
    case Cursor::Wait: return Qt::WaitCursor;
    case Cursor::Cross: return Qt::CrossCursor;
    case Cursor::SizeNWSE: return Qt::SizeFDiagCursor;
    case Cursor::SizeNESW: return Qt::SizeBDiagCursor;
    case Cursor::SizeWE: return Qt::SizeHorCursor;
    case Cursor::SizeNS: return Qt::SizeVerCursor;
    case Cursor::SizeAll: return Qt::SizeAllCursor;
    case Cursor::No: return Qt::ForbiddenCursor;
    case Cursor::Hand: return Qt::PointingHandCursor;
    }
    return Qt::ArrowCursor;
}

} // namespace lattix::ui::qt

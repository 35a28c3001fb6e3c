// Message identifiers and the constants that travel in their parameters. The numbers follow the
// classic desktop message set so that window procedures read the way such code usually reads.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/types.h"

namespace lattix::ui {

using MessageId = std::uint32_t;

// Window lifecycle and layout.
inline constexpr MessageId WM_NULL = 0x0000;
inline constexpr MessageId WM_CREATE = 0x0001;
inline constexpr MessageId WM_DESTROY = 0x0002;
inline constexpr MessageId WM_MOVE = 0x0003;
inline constexpr MessageId WM_SIZE = 0x0005;
inline constexpr MessageId WM_ACTIVATE = 0x0006;
inline constexpr MessageId WM_SETFOCUS = 0x0007;
inline constexpr MessageId WM_KILLFOCUS = 0x0008;
inline constexpr MessageId WM_ENABLE = 0x000A;
inline constexpr MessageId WM_SETREDRAW = 0x000B;
inline constexpr MessageId WM_SETTEXT = 0x000C;
inline constexpr MessageId WM_GETTEXT = 0x000D;
inline constexpr MessageId WM_GETTEXTLENGTH = 0x000E;
inline constexpr MessageId WM_PAINT = 0x000F;
inline constexpr MessageId WM_CLOSE = 0x0010;
inline constexpr MessageId WM_ERASEBKGND = 0x0014;
inline constexpr MessageId WM_SYSCOLORCHANGE = 0x0015;
inline constexpr MessageId WM_SHOWWINDOW = 0x0018;
inline constexpr MessageId WM_SETTINGCHANGE = 0x001A;
inline constexpr MessageId WM_SETCURSOR = 0x0020;
inline constexpr MessageId WM_MOUSEACTIVATE = 0x0021;
inline constexpr MessageId WM_SETFONT = 0x0030;
inline constexpr MessageId WM_GETFONT = 0x0031;
inline constexpr MessageId WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr MessageId WM_NOTIFY = 0x004E;
inline constexpr MessageId WM_CONTEXTMENU = 0x007B;
inline constexpr MessageId WM_NCDESTROY = 0x0082;
inline constexpr MessageId WM_NCHITTEST = 0x0084;
inline constexpr MessageId WM_NCPAINT = 0x0085;
inline constexpr MessageId WM_GETDLGCODE = 0x0087;
inline constexpr MessageId WM_NCMOUSEMOVE = 0x00A0;
inline constexpr MessageId WM_NCLBUTTONDOWN = 0x00A1;

// Keyboard.
inline constexpr MessageId WM_KEYDOWN = 0x0100;
inline constexpr MessageId WM_KEYUP = 0x0101;
inline constexpr MessageId WM_CHAR = 0x0102;
inline constexpr MessageId WM_SYSKEYDOWN = 0x0104;
inline constexpr MessageId WM_SYSKEYUP = 0x0105;
inline constexpr MessageId WM_SYSCHAR = 0x0106;

// Input methods. A composition starts, carries text being composed (shown at the caret, not yet
// part of the window's text) and text committed (taken as typed), and ends. The host sends these
// to the window with the keyboard focus; lParam of WM_IME_COMPOSITION points to a CompositionText.
// A window that does not handle WM_IME_COMPOSITION gets the committed text as WM_CHAR messages,
// one per character, from the default window procedure.
inline constexpr MessageId WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr MessageId WM_IME_ENDCOMPOSITION = 0x010E;
inline constexpr MessageId WM_IME_COMPOSITION = 0x010F;
// The host asks the focused window where its caret is and what text surrounds it: lParam points
// to an InputMethodQuery the window fills; it returns nonzero when it did.
inline constexpr MessageId WM_IME_REQUEST = 0x0288;

// Commands, timers and scrolling.
inline constexpr MessageId WM_COMMAND = 0x0111;
inline constexpr MessageId WM_SYSCOMMAND = 0x0112;
inline constexpr MessageId WM_TIMER = 0x0113;
inline constexpr MessageId WM_HSCROLL = 0x0114;
inline constexpr MessageId WM_VSCROLL = 0x0115;
inline constexpr MessageId WM_INITMENUPOPUP = 0x0117;
inline constexpr MessageId WM_MENUSELECT = 0x011F;
inline constexpr MessageId WM_CTLCOLOREDIT = 0x0133;
inline constexpr MessageId WM_CTLCOLORLISTBOX = 0x0134;

// Mouse.
inline constexpr MessageId WM_MOUSEFIRST = 0x0200;
inline constexpr MessageId WM_MOUSEMOVE = 0x0200;
inline constexpr MessageId WM_LBUTTONDOWN = 0x0201;
inline constexpr MessageId WM_LBUTTONUP = 0x0202;
inline constexpr MessageId WM_LBUTTONDBLCLK = 0x0203;
inline constexpr MessageId WM_RBUTTONDOWN = 0x0204;
inline constexpr MessageId WM_RBUTTONUP = 0x0205;
inline constexpr MessageId WM_RBUTTONDBLCLK = 0x0206;
inline constexpr MessageId WM_MBUTTONDOWN = 0x0207;
inline constexpr MessageId WM_MBUTTONUP = 0x0208;
inline constexpr MessageId WM_MBUTTONDBLCLK = 0x0209;
inline constexpr MessageId WM_MOUSEWHEEL = 0x020A;
inline constexpr MessageId WM_MOUSEHWHEEL = 0x020E;
inline constexpr MessageId WM_MOUSELAST = 0x020E;
inline constexpr MessageId WM_CAPTURECHANGED = 0x0215;
inline constexpr MessageId WM_MOUSEHOVER = 0x02A1;
inline constexpr MessageId WM_MOUSELEAVE = 0x02A3;

// A window's screen changed its dpi (or the window moved to a screen of another): the low word of
// wParam is the new dpi. Sent to every window once the system information reports it.
inline constexpr MessageId WM_DPICHANGED = 0x02E0;

// Visual styles.
inline constexpr MessageId WM_THEMECHANGED = 0x031A;

// First message number free for a window class's own messages.
inline constexpr MessageId WM_USER = 0x0400;
inline constexpr MessageId WM_APP = 0x8000;

// Key and button state bits in the wParam of mouse messages.
inline constexpr WParam MK_LBUTTON = 0x0001;
inline constexpr WParam MK_RBUTTON = 0x0002;
inline constexpr WParam MK_SHIFT = 0x0004;
inline constexpr WParam MK_CONTROL = 0x0008;
inline constexpr WParam MK_MBUTTON = 0x0010;

// One notch of the wheel.
inline constexpr int WHEEL_DELTA = 120;

// Scroll bar identifiers and scroll notification codes (low word of WM_HSCROLL / WM_VSCROLL).
inline constexpr int SB_HORZ = 0;
inline constexpr int SB_VERT = 1;
inline constexpr int SB_CTL = 2;
inline constexpr int SB_BOTH = 3;
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

// Masks of ScrollInfo.
inline constexpr unsigned SIF_RANGE = 0x0001;
inline constexpr unsigned SIF_PAGE = 0x0002;
inline constexpr unsigned SIF_POS = 0x0004;
inline constexpr unsigned SIF_DISABLENOSCROLL = 0x0008;
inline constexpr unsigned SIF_TRACKPOS = 0x0010;
inline constexpr unsigned SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar arrows.
inline constexpr int ESB_ENABLE_BOTH = 0;
inline constexpr int ESB_DISABLE_LTUP = 1;
inline constexpr int ESB_DISABLE_RTDN = 2;
inline constexpr int ESB_DISABLE_BOTH = 3;

// Hit-test codes (WM_NCHITTEST results, low word of WM_SETCURSOR's lParam).
inline constexpr int HTERROR = -2;
inline constexpr int HTTRANSPARENT = -1;
inline constexpr int HTNOWHERE = 0;
inline constexpr int HTCLIENT = 1;
inline constexpr int HTHSCROLL = 6;
inline constexpr int HTVSCROLL = 7;
inline constexpr int HTBORDER = 18;

// WM_SIZE kinds.
inline constexpr WParam SIZE_RESTORED = 0;

// TrackMouseEvent flags.
inline constexpr unsigned TME_HOVER = 0x00000001;
inline constexpr unsigned TME_LEAVE = 0x00000002;
inline constexpr unsigned TME_CANCEL = 0x80000000;
inline constexpr unsigned HOVER_DEFAULT = 0xFFFFFFFF;

// WM_ACTIVATE states.
inline constexpr WParam WA_INACTIVE = 0;
inline constexpr WParam WA_ACTIVE = 1;

// A message as it sits in the queue.
struct Message {
    Hwnd hwnd = 0;
    MessageId message = WM_NULL;
    WParam wParam = 0;
    LParam lParam = 0;
    std::uint32_t time = 0;
    Point pt{};
};

// Pointed to by the lParam of WM_CREATE.
struct CreateStruct {
    void* createParams = nullptr;
    Hwnd parent = 0;
    int id = 0;
    Rect rect{};
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::string className;
    std::string windowName;
};

// Pointed to by the lParam of WM_NOTIFY; a control's own notification record starts with it.
struct NotifyHeader {
    Hwnd hwndFrom = 0;
    std::uintptr_t idFrom = 0;
    int code = 0;
};

// Pointed to by the lParam of WM_IME_COMPOSITION. The committed text (UTF-8, may be empty) is
// inserted first, as typed; the composed text then replaces what was shown before (empty: nothing
// is being composed any more).
struct CompositionText {
    std::string commit;
    std::string preedit;
    // The caret within the composed text, in characters; -1 puts it at the end.
    int cursor = -1;
    bool cursorVisible = true;
    // Text around the caret the commit replaces (an input method correcting a word): it starts
    // replaceFrom characters from the caret (negative: before it) and runs replaceLength characters.
    int replaceFrom = 0;
    int replaceLength = 0;
};

// What an input method may ask for (Qt's input method queries, for example).
inline constexpr unsigned IMH_DIGITS_ONLY = 0x0001;
inline constexpr unsigned IMH_UPPERCASE_ONLY = 0x0002;
inline constexpr unsigned IMH_LOWERCASE_ONLY = 0x0004;
inline constexpr unsigned IMH_MULTILINE = 0x0008;

// Pointed to by the lParam of WM_IME_REQUEST; the window fills what it has.
struct InputMethodQuery {
    // The caret (the composition's caret while composing), client coordinates of the window.
    Rect caret{};
    // Whether typed text is taken at all (an input method then turns itself on).
    bool enabled = false;
    // The text around the caret (its line, UTF-8) and, in characters of it, the caret and the far
    // end of the selection (the anchor; the caret when nothing is selected).
    std::string surroundingText;
    int cursor = 0;
    int anchor = 0;
    std::string selectedText;
    unsigned hints = 0; // IMH_*
};

// Scroll bar state exchanged with SetScrollInfo / GetScrollInfo.
struct ScrollInfo {
    unsigned mask = SIF_ALL;
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int pos = 0;
    int trackPos = 0;
};

} // namespace lattix::ui

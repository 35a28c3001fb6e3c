// Window styles, extended styles, class styles and positioning flags.
#pragma once

#include <cstdint>

#include "platform/ui/types.h"

namespace lattix::ui {

inline constexpr std::uint32_t WS_OVERLAPPED = 0x00000000;
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;

inline constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr std::uint32_t WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr std::uint32_t WS_EX_NOACTIVATE = 0x08000000;

// Class styles: CS_DBLCLKS turns a second press within the double-click time into a double click.
inline constexpr std::uint32_t CS_VREDRAW = 0x0001;
inline constexpr std::uint32_t CS_HREDRAW = 0x0002;
inline constexpr std::uint32_t CS_DBLCLKS = 0x0008;

// ShowWindow commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;

// SetWindowPos flags and insert-after values.
inline constexpr unsigned SWP_NOSIZE = 0x0001;
inline constexpr unsigned SWP_NOMOVE = 0x0002;
inline constexpr unsigned SWP_NOZORDER = 0x0004;
inline constexpr unsigned SWP_NOREDRAW = 0x0008;
inline constexpr unsigned SWP_NOACTIVATE = 0x0010;
inline constexpr unsigned SWP_FRAMECHANGED = 0x0020;
inline constexpr unsigned SWP_SHOWWINDOW = 0x0040;
inline constexpr unsigned SWP_HIDEWINDOW = 0x0080;
inline constexpr Hwnd HWND_TOP = 0;
inline constexpr Hwnd HWND_BOTTOM = 1;
inline constexpr Hwnd HWND_TOPMOST = static_cast<Hwnd>(-1);
inline constexpr Hwnd HWND_NOTOPMOST = static_cast<Hwnd>(-2);

// RedrawWindow / invalidation flags.
inline constexpr unsigned RDW_INVALIDATE = 0x0001;
inline constexpr unsigned RDW_ERASE = 0x0004;
inline constexpr unsigned RDW_ALLCHILDREN = 0x0080;
inline constexpr unsigned RDW_UPDATENOW = 0x0100;
inline constexpr unsigned RDW_FRAME = 0x0400;

// GetWindow relations.
inline constexpr int GW_HWNDNEXT = 2;
inline constexpr int GW_HWNDPREV = 3;
inline constexpr int GW_OWNER = 4;
inline constexpr int GW_CHILD = 5;

// Standard cursor shapes (SetCursor takes one of these).
enum class Cursor : int {
    None = 0,
    Arrow = 32512,
    IBeam = 32513,
    Wait = 32514,
    Cross = 32515,
    SizeNWSE = 32642,
    SizeNESW = 32643,
    SizeWE = 32644,
    SizeNS = 32645,
    SizeAll = 32646,
    No = 32648,
    Hand = 32649,
};

} // namespace lattix::ui

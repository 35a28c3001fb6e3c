// The window manager's record of one window. Internal to platform/ui.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui {

// One entry of a subclass chain. Removed entries keep their successor so that a call that is
// running inside a removed entry still finds the rest of the chain.
struct SubclassNode {
    SubclassProc proc = nullptr;
    std::uintptr_t id = 0;
    std::uintptr_t refData = 0;
    bool removed = false;
    std::shared_ptr<SubclassNode> next;
};

struct ScrollBarState {
    int min = 0;
    int max = 0;
    unsigned page = 0;
    int pos = 0;
    int trackPos = 0;
    int arrows = ESB_ENABLE_BOTH;
    int flatMode = FSB_REGULAR_MODE;
};

struct WindowRecord {
    Hwnd handle = 0;
    Hwnd parent = 0;
    Hwnd owner = 0;
    std::vector<Hwnd> children; // topmost first
    const WindowClass* windowClass = nullptr;
    WndProc proc = nullptr;
    std::shared_ptr<SubclassNode> chainHead;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int id = 0;
    // Relative to the parent's client area, or the screen for windows without parent.
    Rect rect{};
    // Client area relative to the window's top left.
    Rect client{};
    std::string text;
    std::map<std::string, std::intptr_t> props;
    std::intptr_t userData = 0;
    ScrollBarState bars[2];
    bool flatScrollBars = false;
    // Drawn with the visual styles (when the system has them in use), not the classic look.
    bool themed = false;

    Rect update{}; // client coordinates
    bool erasePending = false;
    bool redraw = true;
    bool painting = false;
    bool created = false;
    bool destroying = false;
    bool destroyed = false;
    gfx::Bitmap surface;
    // Client coordinates of the surface's top left. A window wider or taller than a bitmap may be
    // (a header as wide as ten thousand columns) keeps only the part its parents show.
    Point surfaceOrigin{};
    std::vector<std::unique_ptr<gfx::DeviceContext>> dcs;

    bool IsChildWindow() const { return (style & WS_CHILD) != 0 && parent != 0; }
    bool Visible() const { return (style & WS_VISIBLE) != 0; }
    bool Enabled() const { return (style & WS_DISABLED) == 0; }
};

} // namespace lattix::ui

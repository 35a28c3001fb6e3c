#include "platform/ui/non_client_painter.h"

#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui {

using gfx::sysColor;

gfx::Color NonClientPainter::DesktopColor() { return sysColor(gfx::COLOR_BACKGROUND); }

NonClientPainter::NonClientPainter(gfx::Bitmap& target, const Rect& clip) : dc_(target) { dc_.setClipRect(clip); }

void NonClientPainter::DrawBorder(const Rect& r, std::uint32_t style, std::uint32_t exStyle) {
    Rect inner = r;
    if (style & WS_BORDER) {
        dc_.frameRect(inner, gfx::Brush::solid(sysColor(gfx::COLOR_WINDOWFRAME)));
        inner = inner.inflatedBy(-1, -1);
    }
    if (exStyle & WS_EX_CLIENTEDGE) gfx::drawEdge(dc_, inner, gfx::EDGE_SUNKEN, gfx::BF_RECT);
}

// The track is the classic checker of the scroll bar colour and the highlight; a pressed page
// area shows dark.
void NonClientPainter::Track(const Rect& r, bool pressed) {
    if (pressed) {
        dc_.fillRect(r, sysColor(gfx::COLOR_3DDKSHADOW));
        return;
    }
    dc_.fillRect(r, sysColor(gfx::COLOR_SCROLLBAR));
    gfx::Color light = sysColor(gfx::COLOR_BTNHIGHLIGHT);
    Rect area = intersect(r, dc_.clipBox());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left + ((area.left + y) & 1); x < area.right; x += 2) dc_.setPixel(x, y, light);
}

void NonClientPainter::DrawScrollBar(const Rect& r, bool vertical, const ScrollBarState& bar,
                                     const internals::ScrollLayout& l, int flatMode, int pressedPart) {
    using namespace internals;
    bool flat = flatMode != FSB_REGULAR_MODE;
    bool active = ScrollBarActive(bar);
    auto span = [&](int from, int to) {
        return vertical ? Rect{r.left, r.top + from, r.right, r.top + to} : Rect{r.left + from, r.top, r.left + to, r.bottom};
    };
    if (flatMode == FSB_ENCARTA_MODE || flatMode == FSB_FLAT_MODE)
        dc_.fillRect(span(l.trackStart, l.trackStart + l.trackLength), sysColor(gfx::COLOR_BTNFACE));
    else
        Track(span(l.trackStart, l.trackStart + l.trackLength), false);
    if (l.thumbLength > 0) {
        if (pressedPart == kPartPageUp) Track(span(l.trackStart, l.thumbStart), true);
        if (pressedPart == kPartPageDown) Track(span(l.thumbStart + l.thumbLength, l.trackStart + l.trackLength), true);
        Rect thumb = span(l.thumbStart, l.thumbStart + l.thumbLength);
        dc_.fillRect(thumb, sysColor(gfx::COLOR_BTNFACE));
        gfx::drawEdge(dc_, thumb, gfx::EDGE_RAISED, gfx::BF_RECT | gfx::BF_MIDDLE | (flat ? gfx::BF_FLAT : 0));
    }
    if (l.arrow > 0) {
        std::uint32_t common = flat ? gfx::DFCS_FLAT : 0;
        std::uint32_t first = (vertical ? gfx::DFCS_SCROLLUP : gfx::DFCS_SCROLLLEFT) | common;
        std::uint32_t second = (vertical ? gfx::DFCS_SCROLLDOWN : gfx::DFCS_SCROLLRIGHT) | common;
        if (!active || (bar.arrows & ESB_DISABLE_LTUP)) first |= gfx::DFCS_INACTIVE;
        if (!active || (bar.arrows & ESB_DISABLE_RTDN)) second |= gfx::DFCS_INACTIVE;
        if (pressedPart == kPartLineUp) first |= gfx::DFCS_PUSHED;
        if (pressedPart == kPartLineDown) second |= gfx::DFCS_PUSHED;
        gfx::drawFrameControl(dc_, span(0, l.arrow), gfx::DFC_SCROLL, first);
        gfx::drawFrameControl(dc_, span(l.length - l.arrow, l.length), gfx::DFC_SCROLL, second);
    }
}

void NonClientPainter::DrawSizeCorner(const Rect& r) { dc_.fillRect(r, sysColor(gfx::COLOR_BTNFACE)); }

} // namespace lattix::ui

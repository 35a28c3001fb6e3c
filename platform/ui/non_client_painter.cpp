#include "platform/ui/non_client_painter.h"

#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/theme/theme_data.h"
#include "platform/theme/theme_parts.h"
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

void NonClientPainter::DrawScrollBar(const Rect& r, bool vertical, const ScrollBarState& bar,
                                     const internals::ScrollLayout& l, int flatMode, int pressedPart, bool themed,
                                     int hotPart) {
    using namespace internals;
    auto span = [&](int from, int to) {
        return vertical ? Rect{r.left, r.top + from, r.right, r.top + to} : Rect{r.left + from, r.top, r.left + to, r.bottom};
    };
    if (flatMode == FSB_REGULAR_MODE) {
        DrawRegularScrollBar(span, vertical, bar, l, pressedPart, themed, hotPart);
        return;
    }
    bool active = ScrollBarActive(bar);
    dc_.fillRect(span(l.trackStart, l.trackStart + l.trackLength), sysColor(gfx::COLOR_BTNFACE));
    if (l.thumbLength > 0) {
        if (pressedPart == kPartPageUp) dc_.fillRect(span(l.trackStart, l.thumbStart), sysColor(gfx::COLOR_3DDKSHADOW));
        if (pressedPart == kPartPageDown)
            dc_.fillRect(span(l.thumbStart + l.thumbLength, l.trackStart + l.trackLength), sysColor(gfx::COLOR_3DDKSHADOW));
        Rect thumb = span(l.thumbStart, l.thumbStart + l.thumbLength);
        dc_.fillRect(thumb, sysColor(gfx::COLOR_BTNFACE));
        gfx::drawEdge(dc_, thumb, gfx::EDGE_RAISED, gfx::BF_RECT | gfx::BF_MIDDLE | gfx::BF_FLAT);
    }
    if (l.arrow > 0) {
        std::uint32_t first = (vertical ? gfx::DFCS_SCROLLUP : gfx::DFCS_SCROLLLEFT) | gfx::DFCS_FLAT;
        std::uint32_t second = (vertical ? gfx::DFCS_SCROLLDOWN : gfx::DFCS_SCROLLRIGHT) | gfx::DFCS_FLAT;
        if (!active || (bar.arrows & ESB_DISABLE_LTUP)) first |= gfx::DFCS_INACTIVE;
        if (!active || (bar.arrows & ESB_DISABLE_RTDN)) second |= gfx::DFCS_INACTIVE;
        if (pressedPart == kPartLineUp) first |= gfx::DFCS_PUSHED;
        if (pressedPart == kPartLineDown) second |= gfx::DFCS_PUSHED;
        gfx::drawFrameControl(dc_, span(0, l.arrow), gfx::DFC_SCROLL, first);
        gfx::drawFrameControl(dc_, span(l.length - l.arrow, l.length), gfx::DFC_SCROLL, second);
    }
}

// The regular (not flat) bar is drawn part by part by the visual-styles renderer, in its themed
// or its classic look.
template <class Span>
void NonClientPainter::DrawRegularScrollBar(Span span, bool vertical, const ScrollBarState& bar,
                                            const internals::ScrollLayout& l, int pressedPart, bool themed,
                                            int hotPart) {
    using namespace internals;
    namespace th = theme;
    auto data = th::ThemeData::Open("ScrollBar", themed ? th::Look::Themed : th::Look::Classic);
    bool active = ScrollBarActive(bar);
    int lower = vertical ? th::kScrollLowerTrackVert : th::kScrollLowerTrackHorz;
    int upper = vertical ? th::kScrollUpperTrackVert : th::kScrollUpperTrackHorz;
    if (l.thumbLength > 0) {
        data->DrawBackground(dc_, lower, pressedPart == kPartPageUp ? th::kStatePressed : th::kStateNormal,
                             span(l.trackStart, l.thumbStart));
        data->DrawBackground(dc_, upper, pressedPart == kPartPageDown ? th::kStatePressed : th::kStateNormal,
                             span(l.thumbStart + l.thumbLength, l.trackStart + l.trackLength));
        data->DrawBackground(dc_, vertical ? th::kScrollThumbVert : th::kScrollThumbHorz,
                             pressedPart == kPartThumb && themed ? th::kStatePressed
                             : hotPart == kPartThumb && themed   ? th::kStateHot
                                                                 : th::kStateNormal,
                             span(l.thumbStart, l.thumbStart + l.thumbLength));
    } else {
        data->DrawBackground(dc_, lower, active ? th::kStateNormal : th::kStateDisabled,
                             span(l.trackStart, l.trackStart + l.trackLength));
    }
    if (l.arrow > 0) {
        auto state = [&](int direction, int disableBit, int part) {
            if (!active || (bar.arrows & disableBit)) return direction + th::kStateDisabled;
            if (pressedPart == part) return direction + th::kStatePressed;
            return direction + (hotPart == part && themed ? th::kStateHot : th::kStateNormal);
        };
        data->DrawBackground(dc_, th::kScrollArrowButton,
                             state(vertical ? th::kArrowUp : th::kArrowLeft, ESB_DISABLE_LTUP, kPartLineUp), span(0, l.arrow));
        data->DrawBackground(dc_, th::kScrollArrowButton,
                             state(vertical ? th::kArrowDown : th::kArrowRight, ESB_DISABLE_RTDN, kPartLineDown),
                             span(l.length - l.arrow, l.length));
    }
}

void NonClientPainter::DrawSizeCorner(const Rect& r, bool themed) {
    auto data = theme::ThemeData::Open("ScrollBar", themed ? theme::Look::Themed : theme::Look::Classic);
    data->DrawBackground(dc_, theme::kScrollSizeBox, theme::kStateNormal, r);
}

} // namespace lattix::ui

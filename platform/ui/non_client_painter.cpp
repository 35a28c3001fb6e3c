#include "platform/ui/non_client_painter.h"

#include <algorithm>
#include <array>

#include "platform/ui/window_manager.h"

namespace lattix::ui {

namespace {
// The classic light-grey scheme of frames and scroll bars.
constexpr gfx::Color kFace = gfx::rgb(0xF0, 0xF0, 0xF0);
constexpr gfx::Color kTrack = gfx::rgb(0xE3, 0xE3, 0xE3);
constexpr gfx::Color kHighlight = gfx::rgb(0xFF, 0xFF, 0xFF);
constexpr gfx::Color kLight = gfx::rgb(0xE3, 0xE3, 0xE3);
constexpr gfx::Color kShadow = gfx::rgb(0xA0, 0xA0, 0xA0);
constexpr gfx::Color kDarkShadow = gfx::rgb(0x69, 0x69, 0x69);
constexpr gfx::Color kBorder = gfx::rgb(0x64, 0x64, 0x64);
constexpr gfx::Color kGlyph = gfx::rgb(0x00, 0x00, 0x00);
constexpr gfx::Color kGlyphDisabled = gfx::rgb(0xA0, 0xA0, 0xA0);
constexpr gfx::Color kPressedTrack = gfx::rgb(0x60, 0x60, 0x60);

enum Direction { kUp, kDown, kLeft, kRight };
} // namespace

NonClientPainter::NonClientPainter(gfx::Bitmap& target, const Rect& clip) : dc_(target) { dc_.setClipRect(clip); }

void NonClientPainter::DrawBorder(const Rect& r, std::uint32_t style, std::uint32_t exStyle) {
    Rect inner = r;
    auto edge = [this](const Rect& e, gfx::Color topLeft, gfx::Color bottomRight) {
        dc_.fillRect(Rect{e.left, e.top, e.right, e.top + 1}, topLeft);
        dc_.fillRect(Rect{e.left, e.top, e.left + 1, e.bottom}, topLeft);
        dc_.fillRect(Rect{e.left, e.bottom - 1, e.right, e.bottom}, bottomRight);
        dc_.fillRect(Rect{e.right - 1, e.top, e.right, e.bottom}, bottomRight);
    };
    if (style & WS_BORDER) {
        edge(inner, kBorder, kBorder);
        inner = inner.inflatedBy(-1, -1);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        edge(inner, kShadow, kHighlight);
        inner = inner.inflatedBy(-1, -1);
        edge(inner, kDarkShadow, kLight);
    }
}

void NonClientPainter::Button(const Rect& r, bool flat, bool pressed) {
    dc_.fillRect(r, kFace);
    if (r.width() < 2 || r.height() < 2) return;
    if (flat || pressed) {
        dc_.frameRect(r, gfx::Brush::solid(kShadow));
        return;
    }
    // Raised: light top and left, dark bottom and right, one pixel each, then the inner shadow.
    dc_.fillRect(Rect{r.left, r.top, r.right, r.top + 1}, kLight);
    dc_.fillRect(Rect{r.left, r.top, r.left + 1, r.bottom}, kLight);
    dc_.fillRect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, kDarkShadow);
    dc_.fillRect(Rect{r.right - 1, r.top, r.right, r.bottom}, kDarkShadow);
    if (r.width() > 3 && r.height() > 3) {
        dc_.fillRect(Rect{r.left + 1, r.top + 1, r.right - 1, r.top + 2}, kHighlight);
        dc_.fillRect(Rect{r.left + 1, r.top + 1, r.left + 2, r.bottom - 1}, kHighlight);
        dc_.fillRect(Rect{r.left + 1, r.bottom - 2, r.right - 1, r.bottom - 1}, kShadow);
        dc_.fillRect(Rect{r.right - 2, r.top + 1, r.right - 1, r.bottom - 1}, kShadow);
    }
}

void NonClientPainter::Arrow(const Rect& r, int direction, bool enabled) {
    // A solid triangle whose base is about half the button.
    int size = std::max(2, std::min(r.width(), r.height()) / 4);
    int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    gfx::Color c = enabled ? kGlyph : kGlyphDisabled;
    for (int i = 0; i < size; ++i) {
        int half = i;
        switch (direction) {
        case kUp:
            dc_.fillRect(Rect{cx - half - 1, cy - size / 2 + i, cx + half, cy - size / 2 + i + 1}, c);
            break;
        case kDown:
            dc_.fillRect(Rect{cx - half - 1, cy + size / 2 - i, cx + half, cy + size / 2 - i + 1}, c);
            break;
        case kLeft:
            dc_.fillRect(Rect{cx - size / 2 + i, cy - half - 1, cx - size / 2 + i + 1, cy + half}, c);
            break;
        default:
            dc_.fillRect(Rect{cx + size / 2 - i, cy - half - 1, cx + size / 2 - i + 1, cy + half}, c);
            break;
        }
    }
}

void NonClientPainter::DrawScrollBar(const Rect& r, bool vertical, const ScrollBarState& bar,
                                     const internals::ScrollLayout& l, int flatMode, int pressedPart) {
    using namespace internals;
    bool flat = flatMode != FSB_REGULAR_MODE;
    bool active = ScrollBarActive(bar);
    dc_.fillRect(r, flatMode == FSB_ENCARTA_MODE ? kFace : kTrack);
    auto span = [&](int from, int to) {
        return vertical ? Rect{r.left, r.top + from, r.right, r.top + to} : Rect{r.left + from, r.top, r.left + to, r.bottom};
    };
    if (pressedPart == kPartPageUp && l.thumbLength > 0) dc_.fillRect(span(l.trackStart, l.thumbStart), kPressedTrack);
    if (pressedPart == kPartPageDown && l.thumbLength > 0)
        dc_.fillRect(span(l.thumbStart + l.thumbLength, l.trackStart + l.trackLength), kPressedTrack);
    if (l.arrow > 0) {
        Rect first = span(0, l.arrow), second = span(l.length - l.arrow, l.length);
        Button(first, flat, pressedPart == kPartLineUp);
        Button(second, flat, pressedPart == kPartLineDown);
        bool firstEnabled = active && (bar.arrows & ESB_DISABLE_LTUP) == 0;
        bool secondEnabled = active && (bar.arrows & ESB_DISABLE_RTDN) == 0;
        Arrow(first, vertical ? kUp : kLeft, firstEnabled);
        Arrow(second, vertical ? kDown : kRight, secondEnabled);
    }
    if (l.thumbLength > 0) Button(span(l.thumbStart, l.thumbStart + l.thumbLength), flat, false);
}

void NonClientPainter::DrawSizeCorner(const Rect& r) { dc_.fillRect(r, kFace); }

} // namespace lattix::ui

#include "platform/gfx/frame_control.h"

#include "platform/gfx/system_colors.h"

#include <algorithm>

namespace lattix::gfx {

namespace {

constexpr std::uint8_t kCheckMark[7] = {0x01, 0x03, 0x47, 0x6E, 0x7C, 0x38, 0x10};

// A one-pixel ring: top and left in `tl`, then bottom and right in `br`.
void ring(DeviceContext& dc, const Rect& r, Color tl, Color br, std::uint32_t sides) {
    if (r.isEmpty()) return;
    if (sides & BF_TOP) dc.fillRect({r.left, r.top, r.right, r.top + 1}, tl);
    if (sides & BF_LEFT) dc.fillRect({r.left, r.top, r.left + 1, r.bottom}, tl);
    if (sides & BF_BOTTOM) dc.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, br);
    if (sides & BF_RIGHT) dc.fillRect({r.right - 1, r.top, r.right, r.bottom}, br);
}

Rect shrink(const Rect& r, std::uint32_t sides) {
    Rect out = r;
    if (sides & BF_LEFT) ++out.left;
    if (sides & BF_TOP) ++out.top;
    if (sides & BF_RIGHT) --out.right;
    if (sides & BF_BOTTOM) --out.bottom;
    return out;
}

// The 7 x 7 mark with each dot `dot` pixels square.
void drawCheckMark(DeviceContext& dc, int x, int y, Color c, int dot = 1) {
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 7; ++col)
            if ((kCheckMark[row] >> (6 - col)) & 1) dc.fillRect(rectOfSize(x + col * dot, y + row * dot, dot, dot), c);
}

void drawCheckBox(DeviceContext& dc, const Rect& rect, std::uint32_t state) {
    int side = std::min(rect.width(), rect.height());
    if (side <= 0) return;
    Rect box = rectOfSize(rect.left + (rect.width() - side) / 2, rect.top + (rect.height() - side) / 2, side, side);
    bool grayed = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    bool inactive = state & DFCS_INACTIVE;
    Rect inner = box;
    if (state & DFCS_MONO) {
        dc.frameRect(box, Brush::solid(sysColor(COLOR_WINDOWFRAME)));
        inner = box.inflatedBy(-1, -1);
    } else if (state & DFCS_FLAT) {
        dc.frameRect(box, Brush::solid(sysColor(COLOR_BTNSHADOW)));
        inner = box.inflatedBy(-1, -1);
    } else {
        drawEdge(dc, inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    }
    bool faceInside = grayed || inactive || (state & DFCS_PUSHED);
    dc.fillRect(inner, sysColor(faceInside ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED) {
        Color mark = (grayed || inactive) ? sysColor(COLOR_BTNSHADOW) : sysColor(COLOR_WINDOWTEXT);
        // The mark grows with the box: one dot per 13 pixels of its side.
        const int dot = std::max(1, side / 13);
        drawCheckMark(dc, box.left + (side - 7 * dot) / 2, box.top + (side - 7 * dot) / 2, mark, dot);
    }
}

void drawButtonFace(DeviceContext& dc, const Rect& rect, std::uint32_t state) {
    Color face = sysColor(COLOR_BTNFACE);
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        Color frame = sysColor((state & DFCS_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        dc.frameRect(rect, Brush::solid(frame));
        if (!(state & DFCS_TRANSPARENT)) dc.fillRect(rect.inflatedBy(-1, -1), face);
        return;
    }
    if (state & (DFCS_PUSHED | DFCS_CHECKED)) {
        dc.frameRect(rect, Brush::solid(sysColor(COLOR_3DDKSHADOW)));
        Rect in = rect.inflatedBy(-1, -1);
        dc.frameRect(in, Brush::solid(sysColor(COLOR_BTNSHADOW)));
        if (!(state & DFCS_TRANSPARENT)) dc.fillRect(in.inflatedBy(-1, -1), face);
        return;
    }
    std::uint32_t flags = BF_RECT | BF_SOFT | ((state & DFCS_TRANSPARENT) ? 0 : BF_MIDDLE);
    drawEdge(dc, rect, EDGE_RAISED, flags);
}

// A solid triangle pointing in `dir` (0 up, 1 down, 2 left, 3 right) centred in r.
void drawArrow(DeviceContext& dc, const Rect& r, int dir, Color c) {
    int size = std::min(r.width(), r.height());
    int h = std::max(1, (size + 1) / 4);
    int cx = r.left + r.width() / 2, cy = r.top + r.height() / 2;
    for (int i = 0; i < h; ++i) {
        int half = (dir == 0 || dir == 2) ? i : h - 1 - i; // half width of this row of the glyph
        if (dir <= 1) {
            int y = cy - h / 2 + i;
            dc.fillRect({cx - half, y, cx + half + 1, y + 1}, c);
        } else {
            int x = cx - h / 2 + i;
            dc.fillRect({x, cy - half, x + 1, cy + half + 1}, c);
        }
    }
}

void drawScrollButton(DeviceContext& dc, const Rect& rect, std::uint32_t state) {
    std::uint32_t kind = state & 0xFF;
    int dir;
    switch (kind) {
    case DFCS_SCROLLUP:
        dir = 0;
        break;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX:
        dir = 1;
        break;
    case DFCS_SCROLLLEFT:
        dir = 2;
        break;
    case DFCS_SCROLLRIGHT:
        dir = 3;
        break;
    default:
        return;
    }
    Color face = sysColor(COLOR_BTNFACE);
    Rect glyph = rect;
    if (state & (DFCS_FLAT | DFCS_MONO)) {
        drawButtonFace(dc, rect, state);
        if (state & DFCS_PUSHED) glyph = glyph.offsetBy(1, 1);
    } else if (state & DFCS_PUSHED) {
        dc.frameRect(rect, Brush::solid(sysColor(COLOR_BTNSHADOW)));
        dc.fillRect(rect.inflatedBy(-1, -1), face);
        glyph = glyph.offsetBy(1, 1);
    } else {
        drawEdge(dc, rect, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    }
    if (state & DFCS_INACTIVE) {
        drawArrow(dc, glyph.offsetBy(1, 1), dir, sysColor(COLOR_BTNHIGHLIGHT));
        drawArrow(dc, glyph, dir, sysColor(COLOR_BTNSHADOW));
    } else {
        drawArrow(dc, glyph, dir, sysColor(COLOR_BTNTEXT));
    }
}

} // namespace

const std::uint8_t* checkMarkPattern() { return kCheckMark; }

void drawEdge(DeviceContext& dc, Rect& rect, std::uint32_t edge, std::uint32_t flags) {
    std::uint32_t sides = flags & BF_RECT;
    Rect r = rect;
    if (flags & (BF_FLAT | BF_MONO)) {
        Color outer = sysColor((flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW);
        Color inner = sysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE);
        if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
            ring(dc, r, outer, outer, sides);
            r = shrink(r, sides);
        }
        if (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
            ring(dc, r, inner, inner, sides);
            r = shrink(r, sides);
        }
    } else {
        bool soft = flags & BF_SOFT;
        if (edge & BDR_RAISEDOUTER) {
            ring(dc, r, sysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT), sysColor(COLOR_3DDKSHADOW), sides);
            r = shrink(r, sides);
        } else if (edge & BDR_SUNKENOUTER) {
            ring(dc, r, sysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW), sysColor(COLOR_BTNHIGHLIGHT), sides);
            r = shrink(r, sides);
        }
        if (edge & BDR_RAISEDINNER) {
            ring(dc, r, sysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT), sysColor(COLOR_BTNSHADOW), sides);
            r = shrink(r, sides);
        } else if (edge & BDR_SUNKENINNER) {
            ring(dc, r, sysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW), sysColor(COLOR_3DLIGHT), sides);
            r = shrink(r, sides);
        }
    }
    if ((flags & BF_MIDDLE) && !r.isEmpty()) dc.fillRect(r, sysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST) rect = r;
}

void drawEdge(DeviceContext& dc, const Rect& rect, std::uint32_t edge, std::uint32_t flags) {
    Rect r = rect;
    drawEdge(dc, r, edge, flags & ~BF_ADJUST);
}

bool drawFrameControl(DeviceContext& dc, const Rect& rect, std::uint32_t type, std::uint32_t state) {
    if (type == DFC_BUTTON) {
        std::uint32_t kind = state & 0xFF;
        if (kind == DFCS_BUTTONPUSH) {
            drawButtonFace(dc, rect, state);
            return true;
        }
        if ((kind & ~DFCS_BUTTON3STATE) == DFCS_BUTTONCHECK) {
            drawCheckBox(dc, rect, state);
            return true;
        }
        return false;
    }
    if (type == DFC_SCROLL) {
        std::uint32_t kind = state & 0xFF;
        if (kind > DFCS_SCROLLRIGHT && kind != DFCS_SCROLLCOMBOBOX) return false;
        drawScrollButton(dc, rect, state);
        return true;
    }
    return false;
}

} // namespace lattix::gfx

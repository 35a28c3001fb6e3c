#include "platform/theme/shapes.h"

#include <algorithm>
#include <cmath>

namespace lattix::theme {

namespace {

constexpr int kSamples = 4;

// Calls inside(x, y) at the 16 sample points of every pixel of the box and blends by coverage.
template <class Inside>
void Rasterize(gfx::DeviceContext& dc, gfx::Rect box, gfx::Color color, Inside inside) {
    box = gfx::intersect(box, dc.clipBox());
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            int n = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    if (inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples)) ++n;
            if (n > 0) BlendPixel(dc, x, y, color, n);
        }
}

bool InRoundRect(const gfx::Rect& r, double radius, double px, double py) {
    if (px < r.left || px >= r.right || py < r.top || py >= r.bottom) return false;
    double cx = std::clamp(px, r.left + radius, r.right - radius);
    double cy = std::clamp(py, r.top + radius, r.bottom - radius);
    double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

double SegmentDistance2(PointF p, PointF a, PointF b) {
    double vx = b.x - a.x, vy = b.y - a.y;
    double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? std::clamp(((p.x - a.x) * vx + (p.y - a.y) * vy) / len2, 0.0, 1.0) : 0.0;
    double dx = p.x - (a.x + t * vx), dy = p.y - (a.y + t * vy);
    return dx * dx + dy * dy;
}

double Cross(PointF a, PointF b, PointF p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

gfx::Rect BoundsOf(std::span<const PointF> pts, double grow) {
    double l = 1e9, t = 1e9, r = -1e9, b = -1e9;
    for (const PointF& p : pts) {
        l = std::min(l, p.x), t = std::min(t, p.y), r = std::max(r, p.x), b = std::max(b, p.y);
    }
    return {int(std::floor(l - grow)), int(std::floor(t - grow)), int(std::ceil(r + grow)), int(std::ceil(b + grow))};
}

} // namespace

void BlendPixel(gfx::DeviceContext& dc, int x, int y, gfx::Color color, int coverage16) {
    if (coverage16 <= 0) return;
    if (coverage16 >= kSamples * kSamples) {
        dc.setPixel(x, y, color);
        return;
    }
    gfx::Color under = dc.getPixel(x, y);
    if (under == gfx::CLR_INVALID) return;
    auto mix = [&](std::uint8_t a, std::uint8_t b) {
        return std::uint8_t((a * coverage16 + b * (16 - coverage16) + 8) / 16);
    };
    dc.setPixel(x, y,
                gfx::rgb(mix(gfx::redOf(color), gfx::redOf(under)), mix(gfx::greenOf(color), gfx::greenOf(under)),
                         mix(gfx::blueOf(color), gfx::blueOf(under))));
}

void FillRoundRect(gfx::DeviceContext& dc, const gfx::Rect& r, double radius, gfx::Color color) {
    if (r.isEmpty()) return;
    radius = std::clamp(radius, 0.0, std::min(r.width(), r.height()) / 2.0);
    Rasterize(dc, r, color, [&](double px, double py) { return InRoundRect(r, radius, px, py); });
}

void StrokeRoundRect(gfx::DeviceContext& dc, const gfx::Rect& r, double radius, gfx::Color color) {
    if (r.isEmpty()) return;
    radius = std::clamp(radius, 0.0, std::min(r.width(), r.height()) / 2.0);
    gfx::Rect inner = r.inflatedBy(-1, -1);
    double innerRadius = std::max(0.0, radius - 1);
    Rasterize(dc, r, color, [&](double px, double py) {
        return InRoundRect(r, radius, px, py) && !(!inner.isEmpty() && InRoundRect(inner, innerRadius, px, py));
    });
}

void StrokePolyline(gfx::DeviceContext& dc, std::span<const PointF> pts, double width, gfx::Color color) {
    if (pts.size() < 2) return;
    double h2 = (width / 2) * (width / 2);
    Rasterize(dc, BoundsOf(pts, width / 2 + 1), color, [&](double px, double py) {
        for (std::size_t i = 1; i < pts.size(); ++i)
            if (SegmentDistance2({px, py}, pts[i - 1], pts[i]) <= h2) return true;
        return false;
    });
}

void FillTriangle(gfx::DeviceContext& dc, PointF a, PointF b, PointF c, gfx::Color color) {
    PointF pts[] = {a, b, c};
    double orientation = Cross(a, b, c) >= 0 ? 1 : -1;
    Rasterize(dc, BoundsOf(pts, 1), color, [&](double px, double py) {
        PointF p{px, py};
        return Cross(a, b, p) * orientation >= 0 && Cross(b, c, p) * orientation >= 0 &&
               Cross(c, a, p) * orientation >= 0;
    });
}

void FillCircle(gfx::DeviceContext& dc, PointF o, double radius, gfx::Color color) {
    PointF pts[] = {o};
    Rasterize(dc, BoundsOf(pts, radius + 1), color, [&](double px, double py) {
        double dx = px - o.x, dy = py - o.y;
        return dx * dx + dy * dy <= radius * radius;
    });
}

} // namespace lattix::theme

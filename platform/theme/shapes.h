// Smooth-edged shapes for the themed look: rounded rectangles, thick polylines (chevrons, check
// marks) and triangles. Edge pixels are blended by their coverage, measured on a 4 x 4 grid of
// samples per pixel, so the result is the same on every machine.
#pragma once

#include <span>

#include "platform/gfx/device_context.h"

namespace lattix::theme {

struct PointF {
    double x = 0;
    double y = 0;
};

// Blends `color` over the pixel at logical (x, y) with coverage 0..16 (sixteenths). Pixels
// outside the clip area are left alone.
void BlendPixel(gfx::DeviceContext& dc, int x, int y, gfx::Color color, int coverage16);

void FillRoundRect(gfx::DeviceContext& dc, const gfx::Rect& r, double radius, gfx::Color color);
// A one-pixel outline along the inside of r.
void StrokeRoundRect(gfx::DeviceContext& dc, const gfx::Rect& r, double radius, gfx::Color color);
// Segments joining the points, `width` pixels thick, with round ends. Coordinates are pixel
// edges: (0.5, 0.5) is the centre of the top-left pixel.
void StrokePolyline(gfx::DeviceContext& dc, std::span<const PointF> points, double width, gfx::Color color);
void FillTriangle(gfx::DeviceContext& dc, PointF a, PointF b, PointF c, gfx::Color color);
void FillCircle(gfx::DeviceContext& dc, PointF centre, double radius, gfx::Color color);

} // namespace lattix::theme

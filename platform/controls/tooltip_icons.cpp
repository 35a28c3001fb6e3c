#include "platform/controls/tooltip_icons.h"

#include "platform/theme/shapes.h"

namespace lattix::controls {

using theme::PointF;

void DrawTooltipIcon(gfx::DeviceContext& dc, TooltipIcon icon, int x, int y) {
    const gfx::Color white = gfx::rgb(255, 255, 255);
    switch (icon) {
    case TooltipIcon::None:
        return;
    case TooltipIcon::Info: {
        theme::FillCircle(dc, {x + 8.0, y + 8.0}, 7.5, gfx::rgb(28, 113, 216));
        theme::FillCircle(dc, {x + 8.0, y + 4.5}, 1.3, white);
        PointF stem[] = {{x + 8.0, y + 7.5}, {x + 8.0, y + 12.0}};
        theme::StrokePolyline(dc, stem, 2.2, white);
        return;
    }
    case TooltipIcon::Warning: {
        theme::FillTriangle(dc, {x + 8.0, y + 0.5}, {x + 15.8, y + 15.0}, {x + 0.2, y + 15.0}, gfx::rgb(229, 165, 10));
        PointF stem[] = {{x + 8.0, y + 5.5}, {x + 8.0, y + 10.0}};
        theme::StrokePolyline(dc, stem, 2.0, gfx::rgb(30, 30, 30));
        theme::FillCircle(dc, {x + 8.0, y + 12.7}, 1.1, gfx::rgb(30, 30, 30));
        return;
    }
    case TooltipIcon::Error: {
        theme::FillCircle(dc, {x + 8.0, y + 8.0}, 7.5, gfx::rgb(224, 27, 36));
        PointF a[] = {{x + 5.0, y + 5.0}, {x + 11.0, y + 11.0}};
        PointF b[] = {{x + 11.0, y + 5.0}, {x + 5.0, y + 11.0}};
        theme::StrokePolyline(dc, a, 2.0, white);
        theme::StrokePolyline(dc, b, 2.0, white);
        return;
    }
    }
}

} // namespace lattix::controls

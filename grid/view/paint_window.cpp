// Painting entry of the grid window (WM_PAINT): the painter repaints the whole client area into
// the paint message's context.
#include "grid/lattix.h"
#include "grid/view/painter.h"
#include "platform/gfx/device_context.h"

namespace lattix {

void Lattix::PaintWindow(gfx::DeviceContext& dc, const gfx::Rect& rcPaint) {
    (void)rcPaint;
    painter_->PaintInto(dc, {view_.clientWidth, view_.clientHeight});
}

} // namespace lattix

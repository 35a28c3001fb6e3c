// Painting entry of the grid window (WM_PAINT). Until the cell painter takes over, the client
// area is filled with the grid's background colour.
#include "grid/lattix.h"
#include "grid/view/colors.h"
#include "platform/gfx/device_context.h"

namespace lattix {

void Lattix::PaintWindow(gfx::DeviceContext& dc, const gfx::Rect& rcPaint) {
    const int32_t rgb = TranslateColor(backColor_);
    dc.fillRect(rcPaint, static_cast<gfx::Color>(rgb == -1 ? 0x00FFFFFF : rgb));
}

} // namespace lattix

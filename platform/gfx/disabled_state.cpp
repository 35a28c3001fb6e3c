#include "platform/gfx/disabled_state.h"

#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"

namespace lattix::gfx {

namespace {

bool inShape(Pixel p) {
    if (alphaOf(p) < 128) return false;
    // premultiplied near-white counts as background
    return !(((p >> 16) & 0xFF) > 0xF0 && ((p >> 8) & 0xFF) > 0xF0 && (p & 0xFF) > 0xF0);
}

void stamp(DeviceContext& dc, const Bitmap& image, int x, int y, Color c) {
    Rect clip = dc.clipBox();
    for (int yy = 0; yy < image.height(); ++yy) {
        if (y + yy < clip.top || y + yy >= clip.bottom) continue;
        const Pixel* row = image.row(yy);
        for (int xx = 0; xx < image.width(); ++xx)
            if (inShape(row[xx])) dc.setPixel(x + xx, y + yy, c);
    }
}

} // namespace

void drawDisabledImage(DeviceContext& dc, const Bitmap& image, int x, int y) {
    stamp(dc, image, x + 1, y + 1, sysColor(COLOR_BTNHIGHLIGHT));
    stamp(dc, image, x, y, sysColor(COLOR_BTNSHADOW));
}

int drawDisabledText(DeviceContext& dc, std::string_view utf8, const Rect& rect, std::uint32_t flags) {
    flags &= ~DT_CALCRECT;
    DeviceContextStateSaver saver(dc);
    dc.setBkMode(BackgroundMode::Transparent);
    dc.setTextColor(sysColor(COLOR_BTNHIGHLIGHT));
    drawText(dc, utf8, rect.offsetBy(1, 1), flags);
    dc.setTextColor(sysColor(COLOR_BTNSHADOW));
    return drawText(dc, utf8, rect, flags);
}

} // namespace lattix::gfx

// Painting entry of the grid window (WM_PAINT). At run time the painter repaints the whole client
// area into the paint message's context (adjusting the scroll bars on the first paint). In a design
// environment, where the control is never initialised for running, a placeholder is written
// instead: the control's display name, then the library's product name and version in grey.
#include <cstdio>
#include <utility>

#include "grid/control_site.h"
#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/painter.h"
#include "grid/view/product_info.h"
#include "platform/gfx/device_context.h"
#include "platform/gfx/font.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"

#ifndef LATTIX_VERSION_MAJOR
#define LATTIX_VERSION_MAJOR 0
#define LATTIX_VERSION_MINOR 0
#define LATTIX_VERSION_PATCH 0
#endif

namespace lattix {

std::string LibraryVersionText() {
    char revision[16];
    std::snprintf(revision, sizeof revision, "%04d", LATTIX_VERSION_PATCH);
    return std::to_string(LATTIX_VERSION_MAJOR) + "." + std::to_string(LATTIX_VERSION_MINOR) + ", build " + revision;
}

bool Lattix::InDesignMode() const { return options_.site && !options_.site->userMode(); }

void Lattix::PaintWindow(gfx::DeviceContext& dc, const gfx::Rect& rcPaint) {
    // Every paint takes the window's whole update area, whatever it does with it.
    const bool rowsAsked = std::exchange(rowPaintDeferred_, false);
    if (InDesignMode()) {
        PaintPlaceholder(dc);
        return;
    }
    if (beginUpdateCount_ > 0) return;
    // The window keeps its picture, so a paint asked for by changed rows alone repaints just those
    // rows; anything else invalid in the window repaints the whole view.
    const ui::Rect cells{0, CellsAreaTop(), view_.clientWidth, view_.clientHeight};
    const bool changedRowsOnly = rowsAsked && scrollBarsAdjustedOnce_ && ui::intersect(rcPaint, cells) == rcPaint;
    if (!scrollBarsAdjustedOnce_) {
        scrollBarsAdjustedOnce_ = true;
        if (chrome_) chrome_->AdjustScrollBars(true);
    }
    painter_->PaintInto(dc, {view_.clientWidth, view_.clientHeight}, !changedRowsOnly);
}

void Lattix::PaintPlaceholder(gfx::DeviceContext& dc) {
    const gfx::Rect client{0, 0, view_.clientWidth, view_.clientHeight};
    dc.fillRect(client, gfx::sysColor(gfx::COLOR_WINDOW));
    gfx::FontPtr font = GfxFontOf(*font_);
    const int step = font->textExtent("A").cy;
    dc.selectFont(font);
    dc.setBkMode(gfx::BackgroundMode::Transparent);
    const std::string name = options_.site ? options_.site->displayName() : std::string(kLibraryProductName);
    const std::string lines[] = {name, kLibraryProductName, LibraryVersionText()};
    int y = 0;
    for (int i = 0; i < 3; ++i) {
        dc.setTextColor(gfx::sysColor(i == 0 ? gfx::COLOR_WINDOWTEXT : gfx::COLOR_GRAYTEXT));
        gfx::drawText(dc, lines[i], {0, y, client.right, y + step}, gfx::DT_LEFT | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
        y += step;
    }
}

} // namespace lattix

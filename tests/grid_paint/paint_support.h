// Helpers of the painting tests: grids on a headless host window, pictures of them, icons and
// pictures made from pixels, and event handlers written as lambdas.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/painter.h"
#include "grid/view/picture_object.h"
#include "platform/gfx/image_list.h"
#include "platform/headless/headless_host.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {
// Reaches the grid's private selection routine, as the selection behaviour would.
class LattixTestAccess {
public:
    static void Select(Lattix& g, int32_t row, int32_t col) { g.selectCell(row, col, true); }
};
} // namespace lattix

namespace paint_test {

using lattix::Lattix;
using lattix::Variant;
namespace gfx = lattix::gfx;

// A grid in a headless host window of the given size, without a border and without the header
// bar's room, so that the cells area is the host window's client area.
struct HostedGrid {
    lattix::ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> g;
    HostedGrid(int width, int height) : host(width, height), g(Lattix::Create()) {
        g->SetBorderType(0);
        g->SetHeaderHeight(0); // the cells area alone
    }
    void attach() { g->AttachToWindow(host.TopLevel()); }
    gfx::Bitmap picture() { return host.Render(); }
};

using lattix::test::LattixCode;

// Connects a handler for one event by name; the handler gets the arguments in published order.
inline int OnEvent(Lattix& g, const std::string& name, std::function<void(std::span<Variant>)> handler) {
    return g.events()->connect([name, handler](const lattix::EventInfo& e, std::span<Variant> args) {
        if (e.name == name) handler(args);
    });
}

// Writes a by-reference event argument.
inline void SetByRef(Variant& arg, const Variant& value) { *arg.slot() = value; }

// Three 16 x 16 icons: a red disc, a green square and a blue triangle, on transparent pixels.
inline std::shared_ptr<gfx::ImageList> SampleIcons() {
    auto list = std::make_shared<gfx::ImageList>(16, 16);
    std::vector<std::uint32_t> px(16 * 16 * 3, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;
            if (dx * dx + dy * dy <= 14 * 14) px[y * 48 + x] = 0xFFD03030u;
            if (x >= 2 && x < 14 && y >= 2 && y < 14) px[y * 48 + 16 + x] = (x == 2 || x == 13 || y == 2 || y == 13) ? 0xFF105010u : 0xFF40B040u;
            if (y >= 2 && y < 14 && 2 * std::abs(x - 8) <= y - 1) px[y * 48 + 32 + x] = 0xFF3050D0u;
        }
    list->addPixels(px, 48, 16, 48);
    return list;
}

// A picture of w x h pixels in a two-colour checker of 4-pixel squares.
inline std::shared_ptr<lattix::PictureObject> CheckerPicture(int w, int h, gfx::Color a, gfx::Color b) {
    gfx::Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) bmp.setPixel(x, y, gfx::pixelOf(((x / 4 + y / 4) % 2) ? a : b));
    return lattix::PictureObject::Create(std::move(bmp));
}

} // namespace paint_test

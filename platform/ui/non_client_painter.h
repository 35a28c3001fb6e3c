// Draws the frame of a window: border, scroll bars and the corner between two bars.
#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "platform/gfx/device_context.h"
#include "platform/ui/window_internals.h"

namespace lattix::ui {

class NonClientPainter {
public:
    NonClientPainter(gfx::Bitmap& target, const Rect& clip);

    void DrawBorder(const Rect& windowRect, std::uint32_t style, std::uint32_t exStyle);
    // flatMode: FSB_REGULAR_MODE (the visual-styles renderer's bar: themed, or classic raised
    // buttons), FSB_ENCARTA_MODE or FSB_FLAT_MODE (flat buttons). pressedPart is an
    // internals::ScrollPart value shown pushed in; hotPart (an arrow or the thumb under the
    // pointer) is shown hot by the themed look.
    void DrawScrollBar(const Rect& barRect, bool vertical, const ScrollBarState& bar,
                       const internals::ScrollLayout& layout, int flatMode, int pressedPart, bool themed = false,
                       int hotPart = 0);
    void DrawSizeCorner(const Rect& r, bool themed = false);

    // Colour around windows in a rendered picture: the desktop's system colour.
    static gfx::Color DesktopColor();

private:
    template <class Span>
    void DrawRegularScrollBar(Span span, bool vertical, const ScrollBarState& bar, const internals::ScrollLayout& l,
                              int pressedPart, bool themed, int hotPart);

    gfx::DeviceContext dc_;
};

} // namespace lattix::ui

#include "pixel_helpers.h"
#include "platform/gfx/disabled_state.h"
#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"

#include <gtest/gtest.h>

using namespace lattix::gfx;
using namespace lattix::gfx::test;

namespace {

Bitmap drawn(int w, int h, std::uint32_t type, std::uint32_t state) {
    Bitmap b(w, h, pixelOf(kRed));
    DeviceContext dc(b);
    EXPECT_TRUE(drawFrameControl(dc, {0, 0, w, h}, type, state));
    return b;
}

bool checkBit(int x, int y) { return (checkMarkPattern()[y] >> (6 - x)) & 1; }

} // namespace

TEST(FrameControl, CheckBoxStates) {
    Bitmap un = drawn(13, 13, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(un.colorAt(0, 0), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(un.colorAt(1, 1), sysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(un.colorAt(12, 12), sysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(un.colorAt(11, 11), sysColor(COLOR_3DLIGHT));
    EXPECT_EQ(countPixels(un, {2, 2, 11, 11}, [](Color c) { return c == sysColor(COLOR_WINDOW); }), 81);

    Bitmap on = drawn(13, 13, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(on.colorAt(3 + x, 3 + y), checkBit(x, y) ? sysColor(COLOR_WINDOWTEXT) : sysColor(COLOR_WINDOW));

    Bitmap grayed = drawn(13, 13, DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED);
    EXPECT_EQ(grayed.colorAt(2, 2), sysColor(COLOR_BTNFACE));
    EXPECT_EQ(grayed.colorAt(3 + 6, 3), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(countPixels(grayed, grayed.bounds(), [](Color c) { return c == sysColor(COLOR_WINDOWTEXT); }), 0);

    Bitmap flat = drawn(13, 13, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_CHECKED);
    EXPECT_EQ(flat.colorAt(0, 0), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(flat.colorAt(12, 12), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(flat.colorAt(1, 1), sysColor(COLOR_WINDOW));
    EXPECT_EQ(flat.colorAt(3 + 6, 3), sysColor(COLOR_WINDOWTEXT));

    // a wider rectangle centres the box and leaves the rest alone
    Bitmap wide = drawn(21, 13, DFC_BUTTON, DFCS_BUTTONCHECK);
    EXPECT_EQ(wide.colorAt(3, 6), kRed);
    EXPECT_EQ(wide.colorAt(4, 0), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(wide.colorAt(17, 6), kRed);
}

TEST(FrameControl, ButtonsAndArrows) {
    Bitmap push = drawn(20, 10, DFC_BUTTON, DFCS_BUTTONPUSH);
    EXPECT_EQ(push.colorAt(0, 0), sysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(push.colorAt(19, 9), sysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(push.colorAt(18, 8), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(push.colorAt(10, 5), sysColor(COLOR_BTNFACE));
    Bitmap pushed = drawn(20, 10, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(pushed.colorAt(0, 0), sysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pushed.colorAt(1, 1), sysColor(COLOR_BTNSHADOW));

    // combo arrow: a downward triangle, wider at the top; the grid's four looks differ
    const Color text = sysColor(COLOR_BTNTEXT);
    Bitmap combo = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    Rect arrow = inkBounds(combo.copyRect({2, 2, 15, 15}), sysColor(COLOR_BTNFACE)).offsetBy(2, 2);
    EXPECT_EQ(arrow.width(), 7);
    EXPECT_EQ(arrow.height(), 4);
    EXPECT_EQ(countPixels(combo, {0, arrow.top, 17, arrow.top + 1}, [&](Color c) { return c == text; }), 7);
    EXPECT_EQ(countPixels(combo, {0, arrow.bottom - 1, 17, arrow.bottom}, [&](Color c) { return c == text; }), 1);
    Bitmap comboPushed = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED);
    EXPECT_EQ(comboPushed.colorAt(arrow.left + 1, arrow.top + 1), text);
    EXPECT_EQ(comboPushed.colorAt(arrow.left, arrow.top), sysColor(COLOR_BTNFACE));
    Bitmap flat = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
    EXPECT_EQ(flat.colorAt(0, 0), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(flat.colorAt(16, 16), sysColor(COLOR_BTNSHADOW));
    Bitmap flatPushed = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT | DFCS_PUSHED);
    EXPECT_NE(flat, flatPushed);

    Bitmap up = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLUP);
    Rect upArrow = inkBounds(up.copyRect({2, 2, 15, 15}), sysColor(COLOR_BTNFACE)).offsetBy(2, 2);
    EXPECT_EQ(countPixels(up, {0, upArrow.top, 17, upArrow.top + 1}, [&](Color c) { return c == text; }), 1);
    Bitmap left = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLLEFT);
    Rect la = inkBounds(left.copyRect({2, 2, 15, 15}), sysColor(COLOR_BTNFACE)).offsetBy(2, 2);
    EXPECT_EQ(la.width(), 4);
    EXPECT_EQ(la.height(), 7);
    Bitmap inactive = drawn(17, 17, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE);
    EXPECT_EQ(countPixels(inactive, inactive.bounds(), [&](Color c) { return c == text; }), 0);
    EXPECT_GT(countPixels(inactive, {2, 2, 15, 15}, [](Color c) { return c == sysColor(COLOR_BTNSHADOW); }), 0);

    Bitmap none(4, 4);
    DeviceContext dc(none);
    EXPECT_FALSE(drawFrameControl(dc, {0, 0, 4, 4}, 99, 0));
    EXPECT_FALSE(drawFrameControl(dc, {0, 0, 4, 4}, DFC_SCROLL, 7));
    EXPECT_EQ(none, Bitmap(4, 4));
}

TEST(FrameControl, EdgesAndDisabledLook) {
    Bitmap b(6, 6, pixelOf(kRed));
    DeviceContext dc(b);
    Rect r{0, 0, 6, 6};
    drawEdge(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, (Rect{2, 2, 4, 4}));
    EXPECT_EQ(b.colorAt(0, 0), sysColor(COLOR_3DLIGHT));
    EXPECT_EQ(b.colorAt(5, 0), sysColor(COLOR_3DDKSHADOW)); // top-right corner takes the dark colour
    EXPECT_EQ(b.colorAt(0, 5), sysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(b.colorAt(1, 1), sysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(b.colorAt(4, 4), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(b.colorAt(2, 2), kRed);
    Bitmap s(6, 6, pixelOf(kRed));
    DeviceContext ds(s);
    drawEdge(ds, Rect{0, 0, 6, 6}, EDGE_SUNKEN, BF_TOP | BF_MIDDLE);
    EXPECT_EQ(s.colorAt(3, 0), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.colorAt(3, 1), sysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(s.colorAt(0, 4), sysColor(COLOR_BTNFACE));

    Bitmap icon(4, 4, 0);
    icon.setPixel(1, 1, pixelOf(kBlack));
    icon.setPixel(2, 1, pixelOf(kWhite)); // white is not part of the shape
    Bitmap d(6, 6, pixelOf(kRed));
    DeviceContext dd(d);
    drawDisabledImage(dd, icon, 0, 0);
    EXPECT_EQ(d.colorAt(1, 1), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(d.colorAt(2, 2), sysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(d.colorAt(2, 1), kRed);
    EXPECT_EQ(countPixels(d, d.bounds(), [](Color c) { return c != kRed; }), 2);

    Bitmap t(60, 20, pixelOf(sysColor(COLOR_BTNFACE)));
    DeviceContext dt(t);
    drawDisabledText(dt, "Off", Rect{0, 0, 60, 20}, DT_SINGLELINE);
    EXPECT_GT(countPixels(t, t.bounds(), [](Color c) { return c == sysColor(COLOR_BTNHIGHLIGHT); }), 0);
    EXPECT_EQ(countPixels(t, t.bounds(), [](Color c) { return c == kBlack; }), 0);
    EXPECT_EQ(dt.textColor(), kBlack);
}

#include "pixel_helpers.h"
#include "platform/gfx/device_context.h"
#include "platform/gfx/frame_control.h"
#include "platform/gfx/text_draw.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

using namespace lattix::gfx;
using namespace lattix::gfx::test;

namespace {

Bitmap whiteBitmap(int w, int h) { return Bitmap(w, h, pixelOf(kWhite)); }

Bitmap noiseBitmap(int w, int h, unsigned seed) {
    Bitmap b(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.row(y)[x] = 0xFF000000u | (rng() & 0xFFFFFF);
    return b;
}

} // namespace

TEST(Bitmap, SizeChecksAndPixelAccess) {
    EXPECT_THROW(Bitmap(-1, 3), std::invalid_argument);
    EXPECT_THROW(Bitmap(3, 40000), std::invalid_argument);
    Bitmap b(3, 2, 0xFF112233);
    EXPECT_EQ(b.strideBytes(), 12);
    EXPECT_EQ(b.colorAt(2, 1), rgb(0x11, 0x22, 0x33));
    EXPECT_THROW(b.pixel(3, 0), std::out_of_range);
    Bitmap before = b;
    EXPECT_THROW(b.resize(-2, 2), std::invalid_argument);
    EXPECT_EQ(b, before);
    EXPECT_EQ(pixelOf(rgb(1, 2, 3)), 0xFF010203u);
    EXPECT_EQ(colorOf(0xFF010203u), rgb(1, 2, 3));
}

TEST(Bitmap, ScrollBlockMovesTheBlockAndKeepsEverythingElse) {
    // Many scrolls of several blocks in both directions, each checked against the picture before
    // it: the block shifted (its uncovered rows excepted), every other pixel as it was. The runs
    // pass through the shifted store, its moves when the spare rows run out, and plain row moves.
    struct Case {
        Rect block;
        std::vector<int> steps;
    };
    const int w = 37, h = 64;
    const std::vector<Case> cases = {
        {{0, 0, w, h}, {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, -5, -20, 7}},      // whole picture
        {{0, 6, w, 58}, {1, 1, 2, 5, 9, 9, 9, 9, 9, -1, -1, -30, -30, -30, 13, 13, 13, 13, 13}}, // header and footer rows stay
        {{0, 6, 30, 64}, {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, -8, -8, -8, -8, -8, -8}}, // a band on the right stays
        {{5, 10, 20, 30}, {2, -3, 1}},                                                        // a small block: rows move
        {{-10, -10, w + 10, h + 10}, {6, -6, 63, 64, -64, 100}},                              // clipped; too far: nothing
    };
    for (const Case& c : cases) {
        Bitmap b = noiseBitmap(w, h, 7);
        for (int dy : c.steps) {
            const Bitmap before = b;
            b.scrollBlock(c.block, dy);
            const Rect k = intersect(c.block, b.bounds());
            const bool moves = std::abs(dy) < k.height();
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const bool inside = moves && k.contains({x, y});
                    if (inside && (y + dy < k.top || y + dy >= k.bottom)) continue; // uncovered
                    const Pixel want = inside ? before.row(y + dy)[x] : before.row(y)[x];
                    ASSERT_EQ(b.row(y)[x], want) << "dy " << dy << " at " << x << "," << y;
                }
            // the picture stays one block of rows: copies, equality and fills see just it
            Bitmap copy = b;
            EXPECT_EQ(copy, b);
            EXPECT_EQ(b.copyRect(b.bounds()), b);
            EXPECT_EQ(b.row(h - 1) - b.data(), std::ptrdiff_t(h - 1) * w);
        }
        b.fill(0xFF102030);
        EXPECT_EQ(b, Bitmap(w, h, 0xFF102030));
        b.resize(5, 4, 0xFF000000);
        EXPECT_EQ(b, Bitmap(5, 4, 0xFF000000));
    }
}

TEST(DeviceContext, RectanglesStopBeforeRightAndBottomEdges) {
    Bitmap b = whiteBitmap(8, 6);
    DeviceContext dc(b);
    dc.fillRect({1, 1, 4, 3}, kRed);
    EXPECT_EQ(countPixels(b, b.bounds(), [](Color c) { return c == kRed; }), 6);
    EXPECT_EQ(b.colorAt(3, 2), kRed);
    EXPECT_EQ(b.colorAt(4, 2), kWhite);
    EXPECT_EQ(b.colorAt(3, 3), kWhite);

    Bitmap f = whiteBitmap(8, 6);
    DeviceContext fdc(f);
    fdc.frameRect({1, 1, 6, 5}, Brush::solid(kBlue));
    // frame of a 5x4 box: 2*5 + 2*2 pixels; inside untouched
    EXPECT_EQ(countPixels(f, f.bounds(), [](Color c) { return c == kBlue; }), 14);
    EXPECT_EQ(f.colorAt(5, 4), kBlue);
    EXPECT_EQ(f.colorAt(6, 4), kWhite);
    EXPECT_EQ(f.colorAt(3, 2), kWhite);

    Bitmap r = whiteBitmap(8, 6);
    DeviceContext rdc(r);
    rdc.selectPen(Pen::solid(kBlack));
    rdc.selectBrush(Brush::solid(kRed));
    rdc.rectangle({0, 0, 4, 4});
    EXPECT_EQ(countPixels(r, r.bounds(), [](Color c) { return c == kBlack; }), 12);
    EXPECT_EQ(countPixels(r, r.bounds(), [](Color c) { return c == kRed; }), 4);
    EXPECT_EQ(r.colorAt(4, 0), kWhite);

    // empty and inverted rectangles draw nothing
    Bitmap e = whiteBitmap(4, 4);
    DeviceContext edc(e);
    edc.fillRect({3, 3, 1, 1}, kRed);
    edc.frameRect({2, 2, 2, 4}, Brush::solid(kRed));
    EXPECT_EQ(e, whiteBitmap(4, 4));
}

TEST(DeviceContext, LinesExcludeTheEndPointAndDotsKeepTheirPhase) {
    Bitmap b = whiteBitmap(10, 6);
    DeviceContext dc(b);
    dc.selectPen(Pen::solid(kBlack));
    dc.moveTo(0, 0);
    dc.lineTo(5, 0);
    EXPECT_EQ(countPixels(b, b.bounds(), [](Color c) { return c == kBlack; }), 5);
    EXPECT_EQ(b.colorAt(5, 0), kWhite);
    EXPECT_EQ(dc.currentPosition(), (Point{5, 0}));
    dc.lineTo(5, 3); // vertical, from (5,0) to (5,2)
    EXPECT_EQ(b.colorAt(5, 0), kBlack);
    EXPECT_EQ(b.colorAt(5, 2), kBlack);
    EXPECT_EQ(b.colorAt(5, 3), kWhite);

    Bitmap d = whiteBitmap(10, 6);
    DeviceContext ddc(d);
    ddc.selectPen(Pen::dotted(kBlue));
    ddc.moveTo(0, 0);
    ddc.lineTo(7, 0); // 7 pixels: on at 0, 2, 4, 6
    ddc.lineTo(7, 4); // continues: (7,0) is the 8th pixel (off), (7,1) on, (7,2) off, (7,3) on
    std::vector<Point> expected = {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {7, 1}, {7, 3}};
    for (Point p : expected) EXPECT_EQ(d.colorAt(p.x, p.y), kBlue) << p.x << "," << p.y;
    EXPECT_EQ(countPixels(d, d.bounds(), [](Color c) { return c == kBlue; }), int(expected.size()));
    // moveTo restarts the pattern
    ddc.moveTo(0, 5);
    ddc.lineTo(3, 5);
    EXPECT_EQ(d.colorAt(0, 5), kBlue);
    EXPECT_EQ(d.colorAt(1, 5), kWhite);

    // diagonal and pixels
    Bitmap g = whiteBitmap(6, 6);
    DeviceContext gdc(g);
    gdc.moveTo(0, 0);
    gdc.lineTo(4, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.colorAt(i, i), kBlack);
    EXPECT_EQ(g.colorAt(4, 4), kWhite);
    gdc.setPixel(5, 0, kRed);
    EXPECT_EQ(gdc.getPixel(5, 0), kRed);
    EXPECT_EQ(gdc.getPixel(6, 0), CLR_INVALID);
    gdc.selectPen(Pen::none());
    gdc.moveTo(0, 5);
    gdc.lineTo(5, 5);
    EXPECT_EQ(g.colorAt(2, 5), kWhite);
}

TEST(DeviceContext, HatchPatternsAlignToTheBrushOrigin) {
    const Color line = kRed, gap = rgb(0, 200, 0);
    auto hatchAt = [&](HatchStyle h, Point origin, BackgroundMode mode) {
        Bitmap b = whiteBitmap(16, 16);
        DeviceContext dc(b);
        dc.setBkColor(gap);
        dc.setBkMode(mode);
        dc.setBrushOrigin(origin);
        dc.fillRect(b.bounds(), Brush::hatched(h, line));
        return b;
    };
    Bitmap hz = hatchAt(HatchStyle::Horizontal, {0, 0}, BackgroundMode::Opaque);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(hz.colorAt(x, y), y % 8 == 0 ? line : gap);
    Bitmap hz2 = hatchAt(HatchStyle::Horizontal, {0, 5}, BackgroundMode::Opaque);
    EXPECT_EQ(hz2.colorAt(3, 5), line);
    EXPECT_EQ(hz2.colorAt(3, 13), line);
    EXPECT_EQ(hz2.colorAt(3, 0), gap);
    Bitmap vt = hatchAt(HatchStyle::Vertical, {3, 0}, BackgroundMode::Opaque);
    EXPECT_EQ(countPixels(vt, {0, 0, 16, 1}, [&](Color c) { return c == line; }), 2);
    EXPECT_EQ(vt.colorAt(3, 7), line);
    EXPECT_EQ(vt.colorAt(11, 7), line);
    Bitmap fd = hatchAt(HatchStyle::FDiagonal, {2, 1}, BackgroundMode::Opaque);
    Bitmap bd = hatchAt(HatchStyle::BDiagonal, {0, 0}, BackgroundMode::Opaque);
    Bitmap cr = hatchAt(HatchStyle::Cross, {0, 0}, BackgroundMode::Opaque);
    Bitmap dc = hatchAt(HatchStyle::DiagCross, {0, 0}, BackgroundMode::Opaque);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            bool f = ((x - 2) & 7) == ((y - 1) & 7);
            ASSERT_EQ(fd.colorAt(x, y) == line, f);
            bool bk = ((x & 7) + (y & 7)) == 7;
            ASSERT_EQ(bd.colorAt(x, y) == line, bk);
            ASSERT_EQ(cr.colorAt(x, y) == line, (x & 7) == 0 || (y & 7) == 0);
            ASSERT_EQ(dc.colorAt(x, y) == line, (x & 7) == (y & 7) || ((x & 7) + (y & 7)) == 7);
        }
    }
    // transparent mode leaves the gaps alone
    Bitmap tr = hatchAt(HatchStyle::Cross, {0, 0}, BackgroundMode::Transparent);
    EXPECT_EQ(tr.colorAt(3, 3), kWhite);
    EXPECT_EQ(tr.colorAt(8, 3), line);
    // the pattern is anchored in device pixels: a viewport offset does not move it
    Bitmap vp = whiteBitmap(16, 16);
    DeviceContext vdc(vp);
    vdc.setViewportOrigin({0, 3});
    vdc.fillRect({0, -3, 16, 13}, Brush::hatched(HatchStyle::Horizontal, line));
    EXPECT_EQ(vp.colorAt(0, 0), line);
    EXPECT_EQ(vp.colorAt(0, 8), line);
    EXPECT_THROW(vdc.fillRect({0, 0, 1, 1}, Brush::hatched(HatchStyle(9), line)), std::invalid_argument);
}

TEST(DeviceContext, FocusRectIsADottedXorFrame) {
    Bitmap b = whiteBitmap(10, 8);
    DeviceContext dc(b);
    dc.drawFocusRect({1, 1, 9, 7});
    // even (x + y) frame pixels are XORed with white (the background colour) and turn black
    EXPECT_EQ(b.colorAt(1, 1), kBlack);
    EXPECT_EQ(b.colorAt(2, 1), kWhite);
    EXPECT_EQ(b.colorAt(3, 1), kBlack);
    EXPECT_EQ(b.colorAt(1, 3), kBlack);
    EXPECT_EQ(b.colorAt(8, 6), kBlack);
    EXPECT_EQ(countPixels(b, {2, 2, 8, 6}, [](Color c) { return c != kWhite; }), 0);
    EXPECT_EQ(countPixels(b, b.bounds(), [](Color c) { return c == kBlack; }), 12);

    Bitmap noise = noiseBitmap(12, 9, 7);
    Bitmap original = noise;
    DeviceContext ndc(noise);
    ndc.setBkColor(rgb(10, 200, 30));
    ndc.setTextColor(rgb(250, 5, 99));
    ndc.drawFocusRect({0, 0, 12, 9});
    EXPECT_NE(noise, original);
    ndc.drawFocusRect({0, 0, 12, 9});
    EXPECT_EQ(noise, original);
    // thin rectangles XOR each pixel once, so they restore too
    for (Rect r : {Rect{2, 2, 3, 8}, Rect{1, 4, 11, 5}, Rect{5, 5, 6, 6}}) {
        ndc.drawFocusRect(r);
        ndc.drawFocusRect(r);
        EXPECT_EQ(noise, original);
    }
    // grid look: black frame then the focus rect with two colours gives those colours
    Bitmap g = whiteBitmap(6, 6);
    DeviceContext gdc(g);
    gdc.frameRect(g.bounds(), Brush::solid(kBlack));
    gdc.setBkColor(kRed);
    gdc.setTextColor(kBlue);
    gdc.drawFocusRect(g.bounds());
    EXPECT_EQ(g.colorAt(0, 0), kRed);
    EXPECT_EQ(g.colorAt(1, 0), kBlue);
}

TEST(DeviceContext, AlphaBlendWithConstantAlpha) {
    Bitmap dst = whiteBitmap(4, 2);
    Bitmap src(4, 2, pixelOf(rgb(200, 0, 100)));
    DeviceContext dc(dst);
    dc.alphaBlend({0, 0, 4, 2}, src, {0, 0, 4, 2}, 128);
    auto mix = [](int s, int d) { return (s * 128 + d * 127 + 127) / 255; };
    EXPECT_EQ(dst.colorAt(1, 1), rgb(mix(200, 255), mix(0, 255), mix(100, 255)));
    EXPECT_EQ(dst.colorAt(1, 1), rgb(227, 127, 177));
    // 255 copies, 0 keeps
    Bitmap d2 = whiteBitmap(2, 2);
    DeviceContext dc2(d2);
    dc2.alphaBlend({0, 0, 1, 2}, src, {0, 0, 1, 2}, 255);
    dc2.alphaBlend({1, 0, 2, 2}, src, {0, 0, 1, 2}, 0);
    EXPECT_EQ(d2.colorAt(0, 0), rgb(200, 0, 100));
    EXPECT_EQ(d2.colorAt(1, 0), kWhite);
    // per-pixel alpha: a half-transparent premultiplied source over black
    Bitmap black(1, 1, pixelOf(kBlack));
    Bitmap half(1, 1, 0x80800000u); // red at alpha 128, premultiplied
    DeviceContext dc3(black);
    dc3.alphaBlend({0, 0, 1, 1}, half, {0, 0, 1, 1}, 255, true);
    EXPECT_EQ(black.colorAt(0, 0), rgb(128, 0, 0));
    EXPECT_THROW(dc3.alphaBlend({0, 0, 1, 1}, half, {0, 0, 2, 1}, 255), std::invalid_argument);
}

TEST(DeviceContext, BitBltCopiesAndCombines) {
    Bitmap src = noiseBitmap(5, 5, 3);
    Bitmap dst = whiteBitmap(8, 8);
    DeviceContext dc(dst);
    dc.bitBlt(2, 3, 3, 2, src, 1, 1);
    EXPECT_EQ(dst.pixel(2, 3), src.pixel(1, 1));
    EXPECT_EQ(dst.pixel(4, 4), src.pixel(3, 2));
    EXPECT_EQ(dst.colorAt(5, 3), kWhite);
    EXPECT_EQ(dst.colorAt(2, 5), kWhite);
    // XOR twice restores
    Bitmap before = dst;
    dc.bitBlt(0, 0, 5, 5, src, 0, 0, RasterOp::SrcInvert);
    dc.bitBlt(0, 0, 5, 5, src, 0, 0, RasterOp::SrcInvert);
    EXPECT_EQ(dst, before);
    // AND with white keeps the source; blocks outside the source are not touched
    Bitmap w = whiteBitmap(4, 4);
    DeviceContext wdc(w);
    wdc.bitBlt(0, 0, 4, 4, src, 3, 3, RasterOp::SrcAnd);
    EXPECT_EQ(w.colorAt(0, 0), src.colorAt(3, 3));
    EXPECT_EQ(w.colorAt(2, 2), kWhite);
    // overlapping copy inside one bitmap
    Bitmap self = noiseBitmap(6, 1, 9);
    Bitmap ref = self;
    DeviceContext sdc(self);
    sdc.bitBlt(1, 0, 5, 1, self, 0, 0);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(self.pixel(x, 0), ref.pixel(x - 1, 0));
    EXPECT_THROW(sdc.bitBlt(0, 0, -1, 1, self, 0, 0), std::invalid_argument);
    // pattern operations
    Bitmap p = whiteBitmap(3, 3);
    DeviceContext pdc(p);
    pdc.selectBrush(Brush::solid(kRed));
    pdc.patBlt({0, 0, 2, 2}, RasterOp::PatCopy);
    EXPECT_EQ(p.colorAt(1, 1), kRed);
    pdc.patBlt({0, 0, 3, 3}, RasterOp::DstInvert);
    EXPECT_EQ(p.colorAt(1, 1), rgb(0, 255, 255));
    EXPECT_EQ(p.colorAt(2, 2), kBlack);
    EXPECT_THROW(pdc.patBlt({0, 0, 1, 1}, RasterOp::SrcCopy), std::invalid_argument);
    // a source context's viewport origin applies to its coordinates
    Bitmap s2 = noiseBitmap(4, 4, 5);
    DeviceContext s2dc(s2);
    s2dc.setViewportOrigin({2, 2});
    Bitmap d3 = whiteBitmap(2, 2);
    DeviceContext d3dc(d3);
    d3dc.bitBlt(0, 0, 1, 1, s2dc, 0, 0);
    EXPECT_EQ(d3.pixel(0, 0), s2.pixel(2, 2));
}

TEST(DeviceContext, ViewportOriginStateAndPolygons) {
    Bitmap b = whiteBitmap(12, 12);
    DeviceContext dc(b);
    dc.setViewportOrigin({5, 4});
    dc.fillRect({0, 0, 2, 2}, kRed);
    EXPECT_EQ(b.colorAt(5, 4), kRed);
    EXPECT_EQ(b.colorAt(6, 5), kRed);
    EXPECT_EQ(b.colorAt(4, 4), kWhite);
    EXPECT_EQ(dc.clipBox(), (Rect{-5, -4, 7, 8}));
    dc.intersectClipRect({0, 0, 3, 3});
    EXPECT_EQ(dc.clipRect(), (Rect{5, 4, 8, 7}));

    int level = dc.saveState();
    dc.setViewportOrigin({0, 0});
    dc.setTextColor(kRed);
    dc.clearClipRect();
    dc.restoreState(level);
    EXPECT_EQ(dc.viewportOrigin(), (Point{5, 4}));
    EXPECT_EQ(dc.textColor(), kBlack);
    EXPECT_EQ(dc.clipRect(), (Rect{5, 4, 8, 7}));
    EXPECT_THROW(dc.restoreState(3), std::invalid_argument);
    {
        DeviceContextStateSaver saver(dc);
        dc.offsetViewportOrigin(1, 1);
    }
    EXPECT_EQ(dc.viewportOrigin(), (Point{5, 4}));

    Bitmap t = whiteBitmap(10, 6);
    DeviceContext tdc(t);
    tdc.selectPen(Pen::none());
    tdc.selectBrush(Brush::solid(kBlue));
    std::vector<Point> tri = {{1, 0}, {9, 0}, {5, 4}}; // a downward sort triangle
    tdc.polygon(tri);
    // pixels whose centres lie inside: 7 on the top row (x 1..7), 1 on the last (x 4)
    EXPECT_EQ(countPixels(t, {0, 0, 10, 1}, [](Color c) { return c == kBlue; }), 7);
    EXPECT_EQ(t.colorAt(1, 0), kBlue);
    EXPECT_EQ(t.colorAt(8, 0), kWhite);
    EXPECT_EQ(countPixels(t, {0, 3, 10, 4}, [](Color c) { return c == kBlue; }), 1);
    EXPECT_EQ(countPixels(t, {0, 4, 10, 6}, [](Color c) { return c == kBlue; }), 0);
    EXPECT_THROW(tdc.polygon(std::span<const Point>(tri.data(), 2)), std::invalid_argument);
}

TEST(DeviceContext, EveryOperationStaysInsideTheClipRectangle) {
    const Rect clip{3, 2, 9, 7};
    Bitmap src = noiseBitmap(16, 12, 11);
    std::vector<std::pair<const char*, std::function<void(DeviceContext&)>>> ops = {
        {"fill", [](DeviceContext& dc) { dc.fillRect({0, 0, 16, 12}, kRed); }},
        {"hatch", [](DeviceContext& dc) { dc.fillRect({0, 0, 16, 12}, Brush::hatched(HatchStyle::DiagCross, kRed)); }},
        {"frame", [](DeviceContext& dc) { dc.frameRect({4, 3, 14, 10}, Brush::solid(kRed)); }},
        {"rectangle",
         [](DeviceContext& dc) {
             dc.selectBrush(Brush::solid(kRed));
             dc.rectangle({1, 1, 15, 11});
         }},
        {"lines",
         [](DeviceContext& dc) {
             dc.selectPen(Pen::solid(kRed, 3));
             dc.moveTo(0, 0);
             dc.lineTo(15, 11);
             dc.lineTo(0, 11);
         }},
        {"dots",
         [](DeviceContext& dc) {
             dc.selectPen(Pen::dotted(kRed));
             dc.moveTo(0, 4);
             dc.lineTo(16, 4);
         }},
        {"pixels",
         [](DeviceContext& dc) {
             for (int y = 0; y < 12; ++y)
                 for (int x = 0; x < 16; ++x) dc.setPixel(x, y, kRed);
         }},
        {"blit", [&](DeviceContext& dc) { dc.bitBlt(0, 0, 16, 12, src, 0, 0); }},
        {"blit xor", [&](DeviceContext& dc) { dc.bitBlt(0, 0, 16, 12, src, 0, 0, RasterOp::SrcInvert); }},
        {"alpha", [&](DeviceContext& dc) { dc.alphaBlend({0, 0, 16, 12}, src, {0, 0, 16, 12}, 128); }},
        {"invert", [](DeviceContext& dc) { dc.invertRect({0, 0, 16, 12}); }},
        {"focus", [](DeviceContext& dc) { dc.drawFocusRect({4, 3, 14, 10}); }},
        {"polygon", [](DeviceContext& dc) {
             std::vector<Point> p = {{0, 0}, {16, 0}, {8, 12}};
             dc.polygon(p);
         }},
        {"text", [](DeviceContext& dc) { dc.textOut(0, 0, "WWWWW"); }},
        {"drawText", [](DeviceContext& dc) { drawText(dc, "WWWW\nWWWW", Rect{0, 0, 16, 12}, DT_NOCLIP); }},
        {"check", [](DeviceContext& dc) { drawFrameControl(dc, {0, 0, 13, 13}, DFC_BUTTON, DFCS_CHECKED); }},
        {"button", [](DeviceContext& dc) { drawFrameControl(dc, {0, 0, 16, 12}, DFC_BUTTON, DFCS_BUTTONPUSH); }},
        {"edge", [](DeviceContext& dc) { drawEdge(dc, Rect{0, 0, 16, 12}, EDGE_SUNKEN, BF_RECT | BF_MIDDLE); }},
    };
    for (auto& [name, op] : ops) {
        Bitmap b = whiteBitmap(16, 12);
        DeviceContext dc(b);
        dc.setClipRect(clip);
        op(dc);
        int outside = 0, inside = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x) {
                bool changed = b.colorAt(x, y) != kWhite;
                if (clip.contains({x, y})) inside += changed;
                else outside += changed;
            }
        EXPECT_EQ(outside, 0) << name;
        EXPECT_GT(inside, 0) << name;
    }
}

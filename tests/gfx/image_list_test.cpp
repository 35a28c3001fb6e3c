#include "pixel_helpers.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/png_writer.h"
#include "platform/gfx/resample.h"
#include "platform/gfx/system_colors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace lattix::gfx;
using namespace lattix::gfx::test;

namespace {

// Two 4x4 icons side by side: a red one with a transparent corner and a blue one.
Bitmap strip() {
    Bitmap b(8, 4, pixelOf(kRed));
    b.setPixel(0, 0, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x) b.setPixel(x, y, pixelOf(kBlue));
    return b;
}

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::string("lattix_gfx_") + name)).string();
}

} // namespace

TEST(ImageList, AddingChecksSizesAndKeepsTheListOnError) {
    ImageList list(4, 4);
    EXPECT_EQ(list.add(strip()), 0);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.iconSize(), (Size{4, 4}));
    EXPECT_THROW(list.add(Bitmap(6, 4)), std::invalid_argument);
    EXPECT_THROW(list.addMasked(Bitmap(4, 5), kRed), std::invalid_argument);
    EXPECT_THROW(list.replace(2, Bitmap(4, 4)), std::out_of_range);
    EXPECT_THROW(list.replace(0, Bitmap(3, 4)), std::invalid_argument);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.icon(1).colorAt(2, 2), kBlue);
    EXPECT_THROW(ImageList(0, 16), std::invalid_argument);

    std::vector<std::uint32_t> px(4 * 4, 0x80FF0000u); // straight red at half alpha
    EXPECT_EQ(list.addPixels(px, 4, 4, 4), 2);
    EXPECT_EQ(list.image(2).pixel(0, 0), 0x80800000u);
    EXPECT_THROW(list.addPixels(px, 4, 5, 4), std::invalid_argument);
    list.remove(0);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.icon(0).colorAt(0, 0), kBlue);
}

TEST(ImageList, DrawsNormalMaskedSelectedAndDisabled) {
    ImageList list(4, 4);
    list.add(strip());
    Bitmap masked(4, 4, pixelOf(rgb(0, 255, 0)));
    masked.setPixel(1, 1, pixelOf(kBlack));
    list.addMasked(masked, rgb(0, 255, 0));

    Bitmap b(12, 4, pixelOf(kWhite));
    DeviceContext dc(b);
    list.draw(dc, 0, 0, 0);
    list.draw(dc, 2, 4, 0);
    EXPECT_EQ(b.colorAt(0, 0), kWhite); // transparent pixel
    EXPECT_EQ(b.colorAt(1, 0), kRed);
    EXPECT_EQ(b.colorAt(5, 5 - 4), kBlack);
    EXPECT_EQ(b.colorAt(4, 0), kWhite); // mask colour became transparent

    // selected: blended 50 % with the highlight colour
    Bitmap s(4, 4, pixelOf(kWhite));
    DeviceContext ds(s);
    list.draw(ds, 1, 0, 0, ILD_TRANSPARENT | ILD_SELECTED);
    Color hl = sysColor(COLOR_HIGHLIGHT);
    auto mix = [](int c, int h) { return (c * 127 + h * 128 + 127) / 255; };
    EXPECT_EQ(s.colorAt(2, 2), rgb(mix(0, redOf(hl)), mix(0, greenOf(hl)), mix(255, blueOf(hl))));
    // a given blend colour and background
    Bitmap g(4, 4, pixelOf(kWhite));
    DeviceContext dg(g);
    list.drawEx(dg, 0, 0, 0, 0, 0, rgb(0, 255, 0), kBlack, ILD_NORMAL | ILD_BLEND50);
    EXPECT_EQ(g.colorAt(0, 0), rgb(0, 255, 0));
    EXPECT_EQ(g.colorAt(1, 1), rgb(127, 0, 0));
    // part of an image, clipped to its size
    Bitmap part(6, 6, pixelOf(kWhite));
    DeviceContext dp(part);
    list.drawEx(dp, 1, 0, 0, 2, 3, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT);
    EXPECT_EQ(countPixels(part, part.bounds(), [](Color c) { return c == kBlue; }), 6);
    EXPECT_THROW(list.draw(dp, 7, 0, 0), std::out_of_range);

    Bitmap d(6, 6, pixelOf(kWhite));
    DeviceContext dd(d);
    list.drawDisabled(dd, 1, 0, 0);
    EXPECT_EQ(d.colorAt(0, 0), sysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(d.colorAt(4, 4), sysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(countPixels(d, d.bounds(), [](Color c) { return c == kBlue; }), 0);
}

TEST(Png, RoundTripAndLoadingIntoImageLists) {
    Bitmap b = strip();
    b.setPixel(3, 3, 0x80400000u); // half-transparent premultiplied red
    std::vector<std::uint8_t> data = encodePng(b);
    ASSERT_GT(data.size(), 8u);
    EXPECT_EQ(data[1], 'P');
    Bitmap back = decodePng(data);
    EXPECT_EQ(back.width(), 8);
    EXPECT_EQ(back.pixel(1, 1), b.pixel(1, 1));
    EXPECT_EQ(back.pixel(0, 0), 0u);
    EXPECT_EQ(back.pixel(3, 3), 0x80400000u);

    std::string path = tempPath("strip.png");
    writePng(b, path);
    ImageList list(4, 4);
    EXPECT_EQ(list.addFromPng(path), 0);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.addFromPng(path, kBlue), 2);
    EXPECT_EQ(list.image(3).pixel(0, 0), 0u);
    std::remove(path.c_str());

    EXPECT_THROW(encodePng(Bitmap()), std::invalid_argument);
    EXPECT_THROW(readPng(tempPath("missing.png")), std::runtime_error);
    std::vector<std::uint8_t> junk = {1, 2, 3, 4};
    EXPECT_THROW(decodePng(junk), std::runtime_error);
    EXPECT_THROW(writePng(b, "/nonexistent-dir/x.png"), std::runtime_error);
    EXPECT_THROW(list.addFromPng(tempPath("missing.png")), std::runtime_error);
    EXPECT_EQ(list.count(), 4);
}

TEST(Resample, EnlargesSmoothlyShrinksByAveragingAndKeepsPremultipliedAlpha) {
    // A black and a white column: enlarged 4x the edge between them gets grey steps, not a hard cut.
    Bitmap two(2, 1);
    two.setPixel(0, 0, pixelOf(kBlack));
    two.setPixel(1, 0, pixelOf(kWhite));
    const Bitmap wide = resampleSmooth(two, 8, 4);
    ASSERT_EQ(wide.width(), 8);
    ASSERT_EQ(wide.height(), 4);
    EXPECT_EQ(wide.colorAt(0, 0), kBlack);
    EXPECT_EQ(wide.colorAt(7, 3), kWhite);
    int greys = 0;
    for (int x = 1; x < 7; ++x) {
        const int v = redOf(wide.colorAt(x, 2));
        EXPECT_GE(v, redOf(wide.colorAt(x - 1, 2))) << "steps rise left to right";
        greys += v > 0 && v < 255;
    }
    EXPECT_GE(greys, 2);

    // A 1-pixel checker shrunk to half is an even grey: every pixel is the average it covers.
    Bitmap checker(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) checker.setPixel(x, y, pixelOf((x + y) % 2 ? kWhite : kBlack));
    const Bitmap half = resampleSmooth(checker, 4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_NEAR(redOf(half.colorAt(x, y)), 128, 4) << x << "," << y;

    // Transparent around an opaque red pixel: no colour channel ever exceeds its alpha.
    Bitmap dot(3, 3);
    dot.setPixel(1, 1, 0xFFFF0000u);
    const Bitmap big = resampleSmooth(dot, 9, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const Pixel p = big.pixel(x, y);
            EXPECT_LE((p >> 16) & 0xFF, p >> 24);
        }
    EXPECT_EQ(big.pixel(4, 4) >> 24, 0xFFu);
    EXPECT_EQ(big.pixel(0, 0), 0u);

    EXPECT_EQ(resampleSmooth(two, 2, 1), two);
    EXPECT_THROW(resampleSmooth(two, 0, 4), std::invalid_argument);
}

TEST(ImageList, LargerStripsAreDrawnAtTheirSizeAndOtherSizesAreResized) {
    ImageList list(4, 4);
    list.add(strip()); // red, blue
    list.add(Bitmap(4, 4, pixelOf(kBlack)));
    // The same icons at twice the size, for images 1 and 2 only: green and white.
    Bitmap larger(16, 8, pixelOf(rgb(0, 255, 0)));
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x) larger.setPixel(x, y, pixelOf(kWhite));
    EXPECT_EQ(list.addLargerStrip(larger, 1), 2);
    ASSERT_EQ(list.largerSizes().size(), 1u);
    EXPECT_EQ(list.largerSizes()[0], (Size{8, 8}));

    // At the given size the given pictures are drawn unchanged; image 0 has none and is resized.
    EXPECT_EQ(list.imageAtSize(1, {8, 8}).colorAt(7, 7), rgb(0, 255, 0));
    EXPECT_EQ(list.imageAtSize(2, {8, 8}).colorAt(0, 0), kWhite);
    const Bitmap& red = list.imageAtSize(0, {8, 8});
    EXPECT_EQ(red.width(), 8);
    EXPECT_EQ(red.colorAt(7, 7), kRed);
    EXPECT_LT(red.pixel(0, 0) >> 24, 0xFFu) << "the transparent corner stays see-through";
    // Between sizes the next larger picture is the source; at the list's own size its own.
    EXPECT_EQ(list.imageAtSize(1, {6, 6}).colorAt(3, 3), rgb(0, 255, 0));
    EXPECT_EQ(list.imageAtSize(1, {4, 4}).colorAt(3, 3), kBlue);
    EXPECT_EQ(list.imageAtSize(1, {12, 12}).colorAt(6, 6), rgb(0, 255, 0));

    Bitmap out(8, 8, pixelOf(kBlack));
    DeviceContext dc(out);
    list.drawAtSize(dc, 2, 0, 0, {8, 8}, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT);
    EXPECT_EQ(countPixels(out, out.bounds(), [](Color c) { return c == kWhite; }), 64);

    // Strips of another shape, or beyond the list, change nothing.
    EXPECT_THROW(list.addLargerStrip(Bitmap(8, 4), 0), std::invalid_argument);  // not taller
    EXPECT_THROW(list.addLargerStrip(Bitmap(10, 8), 0), std::invalid_argument); // not whole images
    EXPECT_THROW(list.addLargerStrip(Bitmap(9, 6), 0), std::invalid_argument);  // 6 high: 6 wide, 9 is no multiple
    EXPECT_THROW(list.addLargerStrip(Bitmap(24, 6), 0), std::out_of_range);     // 4 images for 3
    EXPECT_THROW(list.addLargerStrip(Bitmap(16, 8), 2), std::out_of_range);
    EXPECT_THROW(list.addLargerStrip(Bitmap(8, 8), 3), std::out_of_range);
    EXPECT_THROW(list.imageAtSize(0, {0, 8}), std::invalid_argument);
    EXPECT_EQ(list.largerSizes().size(), 1u);

    // Removing an image removes its larger picture; replacing one forgets it.
    list.remove(0);
    EXPECT_EQ(list.imageAtSize(0, {8, 8}).colorAt(4, 4), rgb(0, 255, 0));
    list.replace(0, Bitmap(4, 4, pixelOf(kRed)));
    EXPECT_EQ(list.imageAtSize(0, {8, 8}).colorAt(4, 4), kRed);
    list.clear();
    EXPECT_TRUE(list.largerSizes().empty());
}

TEST(ImageList, SizeAtDpiScalesFromNinetySix) {
    ImageList list(16, 12);
    EXPECT_EQ(iconSizeAtDpi(list, 96), (Size{16, 12}));
    EXPECT_EQ(iconSizeAtDpi(list, 192), (Size{32, 24}));
    EXPECT_EQ(iconSizeAtDpi(list, 144), (Size{24, 18}));
    EXPECT_EQ(iconSizeAtDpi(list, 120), (Size{20, 15}));
}

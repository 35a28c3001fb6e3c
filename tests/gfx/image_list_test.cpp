#include "pixel_helpers.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/png_writer.h"
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

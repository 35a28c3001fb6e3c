// Pictures, image lists and drawing into the hdc of the custom-draw events through the C interface.
#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class PaintingTest : public GridFixture {};

struct DrawLog {
    int calls = 0;
    int32_t fillResult = -1;
    int32_t textResult = -1;
};

void OnCustomDraw(void* user, lx_dispid_t, const char* name, lx_variant* args, const uint8_t*, int32_t count) {
    if (std::string(name) != "CustomDrawCell" || count != 8) return;
    auto* log = static_cast<DrawLog*>(user);
    ++log->calls;
    const int32_t hdc = args[2].value.i4;
    log->fillResult = lx_dc_fill_rect(hdc, args[3].value.i4, args[4].value.i4, args[5].value.i4, args[6].value.i4,
                                      0x80000005u, nullptr);
    log->textResult = lx_dc_draw_text(hdc, "host", args[3].value.i4, args[4].value.i4, args[5].value.i4,
                                      args[6].value.i4, 1 | 4 | 32, 0x0000FFu, nullptr);
}

TEST_F(PaintingTest, CustomDrawnCellsGetALiveDeviceContextOnlyDuringTheEvent) {
    addColumns(2);
    addRows(2);
    DrawLog log;
    int32_t cookie = 0;
    ASSERT_EQ(lx_event_connect(grid, &OnCustomDraw, &log, &cookie, nullptr), LX_OK);
    ArgList args{I4(1), I4(2), I4(3)};
    ASSERT_EQ(call("CellType", LX_LET, args), LX_OK);
    EXPECT_EQ(log.calls, 0) << "drawn by the window's next paint";
    ASSERT_EQ(lx_host_pump(host, nullptr), LX_OK);
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.fillResult, LX_OK);
    EXPECT_EQ(log.textResult, LX_OK);
    lx_error err{};
    EXPECT_NE(lx_dc_fill_rect(0x1000, 0, 0, 4, 4, 0, &err), LX_OK) << "no event runs: no live hdc";
    EXPECT_NE(lx_dc_draw_text(0x1000, nullptr, 0, 0, 4, 4, 0, 0, &err), LX_OK);
}

TEST_F(PaintingTest, PicturesAndImageListsFromPngFiles) {
    const std::string png = std::string(LATTIX_SOURCE_DIR) + "/tests/grid_paint/hatches.png";
    lx_object* picture = nullptr;
    lx_error err{};
    ASSERT_EQ(lx_picture_load_png(png.c_str(), &picture, &err), LX_OK);
    ASSERT_NE(picture, nullptr);
    EXPECT_STREQ(lx_object_class_name(picture), "Picture");
    lx_variant v{};
    lx_variant_set_object(&v, picture);
    ArgList set{v};
    EXPECT_EQ(call("BackgroundPicture", LX_SET, set), LX_OK);
    lx_object_release(picture);
    EXPECT_NE(lx_picture_load_png("/nonexistent.png", &picture, &err), LX_OK);
    EXPECT_EQ(picture, nullptr);

    int32_t number = 0;
    EXPECT_EQ(lx_grid_add_image_list_png(grid, png.c_str(), 150, 80, &number, &err), LX_OK);
    EXPECT_EQ(number, 1);
    EXPECT_NE(lx_grid_add_image_list_png(grid, png.c_str(), 16, 16, &number, &err), LX_OK) << "300 is no multiple of 16";
    EXPECT_NE(lx_grid_add_image_list_png(grid, png.c_str(), 0, 16, &number, &err), LX_OK);
}

// A list of three 100x80 images may be given the same images at 150x120 for a finer screen.
TEST_F(PaintingTest, LargerImagesForAFinerScreenByListObjectOrGridNumber) {
    const std::string base = std::string(LATTIX_SOURCE_DIR) + "/tests/grid_paint/hatches.png";      // 300x80
    const std::string larger = std::string(LATTIX_SOURCE_DIR) + "/tests/grid_paint/plain_text.png"; // 300x120
    lx_error err{};
    lx_object* icons = nullptr;
    ASSERT_EQ(lx_image_list_load_png(base.c_str(), 100, 80, &icons, &err), LX_OK);
    EXPECT_EQ(lx_image_list_add_larger_png(icons, larger.c_str(), 1, &err), LX_OK);
    EXPECT_NE(lx_image_list_add_larger_png(icons, larger.c_str(), 2, &err), LX_OK) << "two images from the last one";
    EXPECT_NE(lx_image_list_add_larger_png(icons, base.c_str(), 0, &err), LX_OK) << "not taller than the list";
    EXPECT_NE(lx_image_list_add_larger_png(icons, "/nonexistent.png", 0, &err), LX_OK);
    EXPECT_NE(lx_image_list_add_larger_png(nullptr, larger.c_str(), 0, &err), LX_OK);
    EXPECT_NE(lx_image_list_add_larger_png(grid, larger.c_str(), 0, &err), LX_OK) << "a grid is no image list";
    lx_object_release(icons);

    int32_t number = 0;
    ASSERT_EQ(lx_grid_add_image_list_png(grid, base.c_str(), 100, 80, &number, &err), LX_OK);
    EXPECT_EQ(lx_grid_add_larger_images_png(grid, number, larger.c_str(), 0, &err), LX_OK);
    EXPECT_NE(lx_grid_add_larger_images_png(grid, number + 1, larger.c_str(), 0, &err), LX_OK) << "no such list";
    EXPECT_NE(lx_grid_add_larger_images_png(grid, 0, larger.c_str(), 0, &err), LX_OK);
    EXPECT_NE(lx_grid_add_larger_images_png(grid, number, nullptr, 0, &err), LX_OK);
}

TEST_F(PaintingTest, ImageListObjectsReachTheGridAndItsHeaderByObjectOrHandle) {
    const std::string png = std::string(LATTIX_SOURCE_DIR) + "/tests/grid_paint/hatches.png";
    lx_object* icons = nullptr;
    lx_error err{};
    EXPECT_NE(lx_image_list_load_png(png.c_str(), 16, 16, &icons, &err), LX_OK) << "300 is no multiple of 16";
    EXPECT_EQ(icons, nullptr);
    ASSERT_EQ(lx_image_list_load_png(png.c_str(), 150, 80, &icons, &err), LX_OK);
    EXPECT_STREQ(lx_object_class_name(icons), "ImageList");
    Result count;
    ASSERT_EQ(lx_invoke_name(icons, "ListCount", LX_GET, nullptr, 0, nullptr, 0, &count.v, &err), LX_OK);
    EXPECT_EQ(count.v.value.i4, 2);
    Result handle;
    ASSERT_EQ(lx_invoke_name(icons, "hImageList", LX_GET, nullptr, 0, nullptr, 0, &handle.v, &err), LX_OK);
    lx_variant v{};
    lx_variant_set_object(&v, icons);
    ArgList byObject{v};
    EXPECT_EQ(call("SetImageList", LX_METHOD, byObject), LX_OK);
    Result header;
    ASSERT_EQ(call("Header", LX_GET, {}, &header.v), LX_OK);
    ArgList byHandle{I4(handle.v.value.i4)};
    EXPECT_EQ(lx_invoke_name(header.v.value.object, "SetImageList", LX_METHOD, byHandle.data(), 1, nullptr, 0, nullptr, &err),
              LX_OK);
    ArgList noList{I4(handle.v.value.i4 + 1000)};
    EXPECT_NE(call("SetImageList", LX_METHOD, noList, nullptr, &err), LX_OK);
    EXPECT_EQ(static_cast<uint32_t>(err.number), 0x80040206u);
    lx_object_release(icons);

    // AllowSorting is published.
    Result was;
    ASSERT_EQ(call("AllowSorting", LX_GET, {}, &was.v), LX_OK);
    EXPECT_EQ(was.v.type, LX_BOOL);
    EXPECT_NE(was.v.value.boolean, 0);
    lx_variant off{};
    off.type = LX_BOOL;
    off.value.boolean = 0;
    let("AllowSorting", off);
    Result now;
    ASSERT_EQ(call("AllowSorting", LX_GET, {}, &now.v), LX_OK);
    EXPECT_EQ(now.v.value.boolean, 0);
}

} // namespace

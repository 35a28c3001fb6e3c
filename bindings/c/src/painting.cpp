// Pictures, image lists and drawing into the device contexts of the custom-draw events.
#include <memory>
#include <stdexcept>

#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "grid/lattix.h"
#include "grid/view/colors.h"
#include "grid/view/dc_handles.h"
#include "grid/view/image_list_object.h"
#include "grid/view/picture_object.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/text_draw.h"
#include "runtime/automation_error.h"

using namespace lattix;
using namespace lattix::cabi;

namespace {
constexpr int32_t kPathFileAccessError = static_cast<int32_t>(0x800A004Bu);

gfx::DeviceContext& Context(int32_t hdc) {
    gfx::DeviceContext* dc = DeviceContextFromHandle(hdc);
    if (!dc) RaiseInvalidArgument();
    return *dc;
}

gfx::Color Colour(uint32_t value) {
    const int32_t rgb = TranslateColor(static_cast<int32_t>(value));
    if (rgb == -1) RaiseInvalidArgument();
    return static_cast<gfx::Color>(rgb);
}
} // namespace

extern "C" {

LX_API int32_t lx_picture_load_png(const char* path, lx_object** out, lx_error* error) {
    return Guarded(error, [&] {
        if (!path || !out) RaiseInvalidPointer();
        *out = nullptr;
        std::shared_ptr<PictureObject> picture;
        try {
            picture = PictureObject::FromPng(path);
        } catch (const std::runtime_error&) {
            throw AutomationError(kPathFileAccessError, "Lattix", "Path/File access error.");
        }
        *out = NewObjectHandle(picture);
    });
}

LX_API int32_t lx_image_list_load_png(const char* path, int32_t width, int32_t height, lx_object** out,
                                      lx_error* error) {
    return Guarded(error, [&] {
        if (!path || !out) RaiseInvalidPointer();
        *out = nullptr;
        if (width < 1 || height < 1 || width > 1024 || height > 1024) RaiseInvalidArgument();
        std::shared_ptr<ImageListObject> images;
        try {
            images = ImageListObject::FromPng(path, width, height);
        } catch (const std::runtime_error&) {
            throw AutomationError(kPathFileAccessError, "Lattix", "Path/File access error.");
        } catch (const std::invalid_argument&) {
            RaiseInvalidArgument();
        }
        *out = NewObjectHandle(images);
    });
}

LX_API int32_t lx_grid_add_image_list_png(lx_object* grid, const char* path, int32_t width, int32_t height,
                                          int32_t* number, lx_error* error) {
    return Guarded(error, [&] {
        if (!grid || !path || !number) RaiseInvalidPointer();
        auto* g = dynamic_cast<Lattix*>(grid->object.get());
        if (!g) RaiseInvalidArgument();
        g->checkOwnerThread();
        if (width < 1 || height < 1 || width > 1024 || height > 1024) RaiseInvalidArgument();
        auto list = std::make_shared<gfx::ImageList>(width, height);
        try {
            list->addFromPng(path);
        } catch (const std::runtime_error&) {
            throw AutomationError(kPathFileAccessError, "Lattix", "Path/File access error.");
        } catch (const std::invalid_argument&) {
            RaiseInvalidArgument();
        }
        *number = g->RegisterImageList(std::move(list));
    });
}

namespace {
// Adds a larger strip read from `path`, mapping the reader's and the list's errors to the published ones.
void AddLargerStrip(gfx::ImageList& list, const char* path, int32_t first) {
    gfx::Bitmap strip;
    try {
        strip = gfx::readPng(path);
    } catch (const std::runtime_error&) {
        throw AutomationError(kPathFileAccessError, "Lattix", "Path/File access error.");
    }
    try {
        list.addLargerStrip(strip, first);
    } catch (const std::logic_error&) { // invalid_argument and out_of_range
        RaiseInvalidArgument();
    }
}
} // namespace

LX_API int32_t lx_image_list_add_larger_png(lx_object* image_list, const char* path, int32_t first, lx_error* error) {
    return Guarded(error, [&] {
        if (!image_list || !path) RaiseInvalidPointer();
        auto* images = dynamic_cast<ImageListObject*>(image_list->object.get());
        if (!images) RaiseInvalidArgument();
        AddLargerStrip(*images->list(), path, first);
    });
}

LX_API int32_t lx_grid_add_larger_images_png(lx_object* grid, int32_t number, const char* path, int32_t first,
                                             lx_error* error) {
    return Guarded(error, [&] {
        if (!grid || !path) RaiseInvalidPointer();
        auto* g = dynamic_cast<Lattix*>(grid->object.get());
        if (!g) RaiseInvalidArgument();
        g->checkOwnerThread();
        if (number < 1 || number > g->ImageListCount() || !g->ImageListAt(number)) RaiseInvalidArgument();
        AddLargerStrip(*g->ImageListAt(number), path, first);
        g->InvalidateView();
    });
}

LX_API int32_t lx_dc_fill_rect(int32_t hdc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                               uint32_t colour, lx_error* error) {
    return Guarded(error, [&] { Context(hdc).fillRect({left, top, right, bottom}, Colour(colour)); });
}

LX_API int32_t lx_dc_draw_text(int32_t hdc, const char* utf8, int32_t left, int32_t top, int32_t right,
                               int32_t bottom, uint32_t flags, uint32_t colour, lx_error* error) {
    return Guarded(error, [&] {
        if (!utf8) RaiseInvalidPointer();
        gfx::DeviceContext& dc = Context(hdc);
        const gfx::Color c = Colour(colour);
        gfx::DeviceContextStateSaver saver(dc);
        dc.setBkMode(gfx::BackgroundMode::Transparent);
        dc.setTextColor(c);
        gfx::drawText(dc, utf8, gfx::Rect{left, top, right, bottom}, flags & ~gfx::DT_CALCRECT);
    });
}

} // extern "C"

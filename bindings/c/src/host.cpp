// Hosts: a top-level window with a grid filling it.
#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "grid/lattix.h"

struct lx_host {
    int32_t width = 0;
    int32_t height = 0;
    std::shared_ptr<lattix::Lattix> grid;
};

using namespace lattix;
using namespace lattix::cabi;

namespace {
constexpr int32_t kMaxHostSize = 16384;
}

extern "C" {

LX_API const char* lx_library_version(void) { return LATTIX_C_VERSION; }

LX_API int32_t lx_host_create(int32_t width, int32_t height, lx_host** out, lx_error* error) {
    return Guarded(error, [&] {
        if (!out) RaiseInvalidPointer();
        if (width < 1 || height < 1 || width > kMaxHostSize || height > kMaxHostSize) RaiseInvalidArgument();
        auto host = std::make_unique<lx_host>();
        host->width = width;
        host->height = height;
        host->grid = Lattix::Create();
        *out = host.release();
    });
}

LX_API void lx_host_destroy(lx_host* host) { delete host; }

LX_API lx_object* lx_host_grid(lx_host* host) {
    if (!host || !host->grid) return nullptr;
    try {
        return NewObjectHandle(host->grid);
    } catch (...) {
        return nullptr;
    }
}

LX_API int32_t lx_host_size(const lx_host* host, int32_t* width, int32_t* height) {
    if (!host || !width || !height) return kInvalidPointer;
    *width = host->width;
    *height = host->height;
    return LX_OK;
}

} // extern "C"

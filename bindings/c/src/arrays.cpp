// Arrays handed across the C interface. A handle shares the runtime array, so a member that fills an
// array the host passed fills the host's array.
#include <new>

#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "bindings/c/src/variant_conversion.h"

namespace lattix::cabi {

lx_array* NewArrayHandle(ArrayRef array) {
    auto* h = new lx_array;
    h->array = std::move(array);
    return h;
}

namespace {
const SafeArray& Checked(const lx_array* array) {
    if (!array || !array->array) RaiseInvalidPointer();
    return *array->array;
}

Variant& Element(const lx_array* array, const int32_t* indexes) {
    if (!indexes) RaiseInvalidPointer();
    SafeArray& a = *array->array;
    return a.dims() == 1 ? a.at(indexes[0]) : a.at(indexes[0], indexes[1]);
}
} // namespace

} // namespace lattix::cabi

using namespace lattix;
using namespace lattix::cabi;

extern "C" {

LX_API int32_t lx_array_create(int32_t dims, const int32_t* lower, const int32_t* count, lx_array** out,
                               lx_error* error) {
    return Guarded(error, [&] {
        if (!lower || !count || !out) RaiseInvalidPointer();
        if (dims != 1 && dims != 2) RaiseInvalidArgument();
        std::vector<SafeArray::Bound> bounds;
        for (int32_t d = 0; d < dims; ++d) {
            if (count[d] < 0) RaiseInvalidArgument();
            bounds.push_back({lower[d], count[d]});
        }
        auto array = std::make_shared<SafeArray>(std::move(bounds));
        *out = NewArrayHandle(std::move(array));
    });
}

LX_API void lx_array_addref(lx_array* array) {
    if (array) array->refs.fetch_add(1, std::memory_order_relaxed);
}

LX_API void lx_array_release(lx_array* array) {
    if (array && array->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete array;
}

LX_API int32_t lx_array_dims(const lx_array* array) {
    return array && array->array ? array->array->dims() : 0;
}

LX_API int32_t lx_array_bounds(const lx_array* array, int32_t dim, int32_t* lower, int32_t* count,
                               lx_error* error) {
    return Guarded(error, [&] {
        const SafeArray& a = Checked(array);
        if (!lower || !count) RaiseInvalidPointer();
        if (dim < 0 || dim >= a.dims()) RaiseInvalidArgument();
        *lower = a.bound(dim).lower;
        *count = a.bound(dim).count;
    });
}

LX_API int32_t lx_array_get(const lx_array* array, const int32_t* indexes, lx_variant* out, lx_error* error) {
    return Guarded(error, [&] {
        Checked(array);
        if (!out) RaiseInvalidPointer();
        ToC(Element(array, indexes), *out);
    });
}

LX_API int32_t lx_array_put(lx_array* array, const int32_t* indexes, const lx_variant* value,
                            lx_error* error) {
    return Guarded(error, [&] {
        Checked(array);
        if (!value) RaiseInvalidPointer();
        Variant v = FromC(*value).deref();
        Element(array, indexes) = std::move(v);
    });
}

} // extern "C"

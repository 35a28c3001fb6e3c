// The published enumerations and their constants.
#include "bindings/c/src/error_guard.h"
#include "grid/automation/interface_catalog.h"

using namespace lattix;
using namespace lattix::cabi;

namespace {
const catalog::EnumEntry& EnumAt(int32_t index) {
    const auto& all = catalog::Enumerations();
    if (index < 0 || static_cast<size_t>(index) >= all.size()) RaiseInvalidArgument();
    return all[static_cast<size_t>(index)];
}
} // namespace

extern "C" {

LX_API int32_t lx_enum_count(void) { return static_cast<int32_t>(catalog::Enumerations().size()); }

LX_API int32_t lx_enum_desc_at(int32_t index, lx_enum_desc* out, lx_error* error) {
    return Guarded(error, [&] {
        const catalog::EnumEntry& e = EnumAt(index);
        if (!out) RaiseInvalidPointer();
        out->name = e.name;
        out->constant_count = static_cast<int32_t>(e.constants.size());
    });
}

LX_API int32_t lx_enum_constant(int32_t enum_index, int32_t constant_index, const char** name, int32_t* value,
                                lx_error* error) {
    return Guarded(error, [&] {
        const catalog::EnumEntry& e = EnumAt(enum_index);
        if (!name || !value) RaiseInvalidPointer();
        if (constant_index < 0 || static_cast<size_t>(constant_index) >= e.constants.size()) RaiseInvalidArgument();
        *name = e.constants[static_cast<size_t>(constant_index)].name;
        *value = e.constants[static_cast<size_t>(constant_index)].value;
    });
}

} // extern "C"

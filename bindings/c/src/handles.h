// What the opaque handles of the C interface stand for.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "bindings/c/lattix.h"
#include "runtime/automation.h"
#include "runtime/variant.h"

struct lx_object {
    std::atomic<int32_t> refs{1};
    lattix::ObjectRef object;
    // Event connections made through this handle; they end when the handle does.
    std::vector<int> connections;
};

struct lx_array {
    std::atomic<int32_t> refs{1};
    lattix::ArrayRef array;
};

namespace lattix::cabi {

// A new handle (one reference) for obj; nullptr for the empty object reference.
lx_object* NewObjectHandle(ObjectRef obj);
lx_array* NewArrayHandle(ArrayRef array);

} // namespace lattix::cabi

#include "grid/view/dc_handles.h"

#include <unordered_map>

namespace lattix {

namespace {
struct Registry {
    std::unordered_map<int32_t, gfx::DeviceContext*> live;
    int32_t next = 0x1000;
};
Registry& registry() {
    static Registry r;
    return r;
}
} // namespace

gfx::DeviceContext* DeviceContextFromHandle(int32_t hdc) {
    auto& live = registry().live;
    auto it = live.find(hdc);
    return it == live.end() ? nullptr : it->second;
}

DcHandle::DcHandle(gfx::DeviceContext& dc) {
    Registry& r = registry();
    // Handles are never 0 and are not reused soon, so a stale number finds nothing.
    do {
        r.next = r.next >= 0x7FFFFFF0 ? 0x1000 : r.next + 4;
    } while (r.live.count(r.next));
    value_ = r.next;
    r.live.emplace(value_, &dc);
}

DcHandle::~DcHandle() { registry().live.erase(value_); }

} // namespace lattix

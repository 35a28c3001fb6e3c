// Device context handles for the host: the painter hands its row buffer to event handlers as a
// number (the hdc argument of the custom-draw events); a host turns it back into the context with
// DeviceContextFromHandle while the event runs. A handle is valid only during the event.
#pragma once

#include <cstdint>

#include "platform/gfx/device_context.h"

namespace lattix {

// The context of a live handle; nullptr for one that is not (or no longer) registered.
gfx::DeviceContext* DeviceContextFromHandle(int32_t hdc);

// Registers a context for the life of the object.
class DcHandle {
public:
    explicit DcHandle(gfx::DeviceContext& dc);
    ~DcHandle();
    DcHandle(const DcHandle&) = delete;
    DcHandle& operator=(const DcHandle&) = delete;
    int32_t value() const { return value_; }

private:
    int32_t value_;
};

} // namespace lattix

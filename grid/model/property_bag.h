// The container's property bag: the design-time properties stored with a control, by entry name,
// and the load path that passes them to the control's own lets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/variant.h"

namespace lattix {

class Lattix;

class PropertyBag {
public:
    // Stores (or replaces) an entry. Entry names are matched case-insensitively.
    void Write(std::string_view name, Variant value);
    // The stored value, nullptr when the bag has no such entry.
    const Variant* Find(std::string_view name) const;
    // The stored value, or defaultValue when the bag has no such entry.
    Variant Read(std::string_view name, const Variant& defaultValue) const;
    std::size_t size() const { return entries_.size(); }
    // The entries in the order they were first written, under the name first written.
    const std::vector<std::pair<std::string, Variant>>& entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, Variant>> entries_; // name, value
};

// The control's size as the container stores it ("_ExtentX", "_ExtentY"), in HIMETRIC units
// (0.01 mm); 0 when the entry is missing. The container sizes the control's window from it.
struct ControlExtent {
    int32_t width = 0;
    int32_t height = 0;
};
ControlExtent ReadExtent(const PropertyBag& bag);

// The load path (grid/model/persisted_properties.h): every entry the control reads is passed to the
// property's own let; a missing entry gives the property's persisted default. The entries a let
// refuses do not stop the others from loading; afterwards the first refusal is raised to the caller.
void ReadProperties(Lattix& grid, const PropertyBag& bag);

} // namespace lattix

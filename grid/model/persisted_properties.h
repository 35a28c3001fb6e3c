// The persisted properties of the control: their bag entries, kinds and defaults, and the three entry
// points the container calls (initialise a new control, load from a bag, save into a bag).
#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "grid/model/property_bag.h"
#include "runtime/variant.h"

namespace lattix {

class FontObject;

enum class PersistedKind { Boolean, Number, Colour, Byte, String, Font, Picture };

struct PersistedProperty {
    const char* name;
    PersistedKind kind;
    Variant defaultValue;
};

// The eighty entries in reading order.
std::span<const PersistedProperty> PersistedProperties();

// A bag entry that its property's let refused while loading.
struct PropertyLoadFailure {
    std::string name;
    uint32_t number = 0;    // the error's number (0x80040000 + code for the grid's own errors)
    std::string description;
};

// A new control: every persisted property gets its default through its own let, in alphabetical order,
// except AddRowAutoTreeButton, which stays False. Font becomes ambientFont (a copy) when given.
void InitialiseProperties(Lattix& grid, const std::shared_ptr<FontObject>& ambientFont = nullptr);

// Loading: every entry in reading order is passed to its property's let; a missing entry gives the
// default. A value a let refuses is reported in `failures` and the remaining entries still load.
// Drawing stays suspended while the entries are applied (also when a let raises).
void ReadProperties(Lattix& grid, const PropertyBag& bag, std::vector<PropertyLoadFailure>& failures);

// Saving: every persisted property under its entry name.
PropertyBag WriteProperties(Lattix& grid);

} // namespace lattix

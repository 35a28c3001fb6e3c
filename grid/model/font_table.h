// The grid-wide table of cell fonts. Cells store a font's number (1..65535, 0 = the grid's font) in
// 16 bits. Each entry is a private clone owned by the table, so later changes of a host's font object
// never reach the cells; entries are only ever added.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "grid/objects/font_object.h"

namespace lattix {

class FontTable {
public:
    static constexpr size_t kMaxEntries = 65535;

    size_t count() const { return entries_.size(); }
    // The font of number n (1-based); nullptr for 0 or an unknown number.
    std::shared_ptr<const FontObject> at(uint16_t n) const;
    // The number of a font with the same description, 0 when there is none.
    uint16_t find(const FontDescription& d) const;
    // The number of the font, a clone appended when new. Raises error 523 when the table is full.
    uint16_t numberOf(const FontDescription& d);

private:
    std::vector<std::shared_ptr<FontObject>> entries_;
};

} // namespace lattix

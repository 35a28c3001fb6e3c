#include "grid/model/font_table.h"

#include "grid/automation/error_table.h"

namespace lattix {

std::shared_ptr<const FontObject> FontTable::at(uint16_t n) const {
    if (n == 0 || n > entries_.size()) return nullptr;
    return entries_[n - 1u];
}

uint16_t FontTable::find(const FontDescription& d) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->description() == d) return static_cast<uint16_t>(i + 1);
    return 0;
}

uint16_t FontTable::numberOf(const FontDescription& d) {
    if (uint16_t n = find(d)) return n;
    if (entries_.size() >= kMaxEntries) RaiseLattixError(lattix_error::kOutOfMemory);
    entries_.push_back(FontObject::Create(d));
    return static_cast<uint16_t>(entries_.size());
}

} // namespace lattix

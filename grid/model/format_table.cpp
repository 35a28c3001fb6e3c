#include "grid/model/format_table.h"

#include "grid/automation/error_table.h"

namespace lattix {

const std::string& FormatTable::at(uint8_t n) const {
    static const std::string none;
    if (n == 0 || n > entries_.size()) return none;
    return entries_[n - 1u];
}

int FormatTable::find(std::string_view s) const {
    if (s.empty()) return 0;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i] == s) return static_cast<int>(i + 1);
    return -1;
}

uint8_t FormatTable::numberOf(std::string_view s) {
    int n = find(s);
    if (n >= 0) return static_cast<uint8_t>(n);
    if (entries_.size() >= kMaxEntries) RaiseLattixError(lattix_error::kTooManyFormatStrings);
    entries_.emplace_back(s);
    return static_cast<uint8_t>(entries_.size());
}

} // namespace lattix

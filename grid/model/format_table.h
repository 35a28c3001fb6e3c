// The grid-wide table of format strings. Cells store a string's number (1..255, 0 = none) in one
// byte; entries are only ever added, so a number stays valid for the grid's lifetime.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lattix {

class FormatTable {
public:
    static constexpr size_t kMaxEntries = 255;

    size_t count() const { return entries_.size(); }
    // The string of number n; the empty string for 0 or an unknown number.
    const std::string& at(uint8_t n) const;
    // The number of the string without adding it: 0 for the empty string, -1 when it is not there.
    int find(std::string_view s) const;
    // The number of the string, appended when new (exact, case-sensitive comparison). Raises error
    // 516 when the table is full and the string is new; the table is then unchanged.
    uint8_t numberOf(std::string_view s);

private:
    std::vector<std::string> entries_;
};

} // namespace lattix

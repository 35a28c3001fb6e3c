// Reading the two layout strings a host keeps (LayoutCol, LayoutSort): an optional "{name=value;...}"
// settings part, then index|name|value| triples. Reading never touches a grid; a text that cannot be
// read raises 514, so a caller that reads first and applies afterwards changes nothing on a bad text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lattix {

struct LayoutTriple {
    int32_t index = 0;
    std::string name;  // lower case
    std::string value; // as written
};

struct LayoutText {
    bool hasDpi = false;
    int64_t dpi = 0;
    std::vector<LayoutTriple> triples;
};

// Raises 514 for a settings part without its "}", a setting without "=", a dpi or an index that is
// not a whole number, or a triple with a field missing.
LayoutText ReadLayoutText(std::string_view text);

// A whole decimal number (optional sign, no other characters) that fits in 32 bits; raises 514
// otherwise.
int32_t ReadLayoutNumber(std::string_view s);

} // namespace lattix

// The parts list file ("<prefix>PARTS.txt"): comma-separated items placed as captions into Grid1,
// up to 10 items per column in rows 7..16; the item "Next" starts the next column early.
#pragma once

#include <string>
#include <vector>

namespace avigram {

struct PartsListCell {
    int row = 0;
    int col = 0;
    std::string text;
};

// Places the items: the first block in firstColumn, each next block two columns further right;
// items that would fall beyond lastColumn are not placed.
std::vector<PartsListCell> PlacePartsList(const std::vector<std::string>& lines, int firstColumn,
                                          int lastColumn);

} // namespace avigram

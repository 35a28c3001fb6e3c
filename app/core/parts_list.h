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

struct PartsListPlacement {
    std::vector<PartsListCell> cells;
    // The items that would fall beyond lastColumn, in file order ("Next" and empty items are no
    // captions and are not counted).
    std::vector<std::string> leftOut;
};

// Places the items: the first block in firstColumn, each next block two columns further right;
// items that would fall beyond lastColumn are not placed but listed.
PartsListPlacement PlacePartsList(const std::vector<std::string>& lines, int firstColumn, int lastColumn);

// The message for the items a placement left out: the file, how many blocks fit and the items.
std::string PartsLeftOutMessage(const std::string& path, int blocksThatFit,
                                const std::vector<std::string>& leftOut);

} // namespace avigram

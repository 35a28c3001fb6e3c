// Placing the parts list items into Grid1 blocks.
#include "app/core/parts_list.h"

#include "app/core/text_file.h"

namespace avigram {

std::vector<PartsListCell> PlacePartsList(const std::vector<std::string>& lines, int firstColumn,
                                          int lastColumn) {
    std::vector<PartsListCell> cells;
    ItemReader reader(lines);
    for (int col = firstColumn; col <= lastColumn && !reader.AtEnd(); col += 2) {
        for (int row = 7; row <= 16; ++row) {
            std::optional<std::string> item = reader.Next();
            if (!item || *item == "Next") break;
            cells.push_back({row, col, std::move(*item)});
        }
    }
    return cells;
}

} // namespace avigram

// Placing the parts list items into Grid1 blocks.
#include "app/core/parts_list.h"

#include "app/core/text_file.h"

namespace avigram {

PartsListPlacement PlacePartsList(const std::vector<std::string>& lines, int firstColumn, int lastColumn) {
    PartsListPlacement placement;
    ItemReader reader(lines);
    for (int col = firstColumn; col <= lastColumn && !reader.AtEnd(); col += 2) {
        for (int row = 7; row <= 16; ++row) {
            std::optional<std::string> item = reader.Next();
            if (!item || *item == "Next") break;
            placement.cells.push_back({row, col, std::move(*item)});
        }
    }
    while (std::optional<std::string> item = reader.Next()) {
        if (!item->empty() && *item != "Next") placement.leftOut.push_back(std::move(*item));
    }
    return placement;
}

std::string PartsLeftOutMessage(const std::string& path, int blocksThatFit,
                                const std::vector<std::string>& leftOut) {
    std::string items;
    for (std::size_t i = 0; i < leftOut.size(); ++i) {
        if (i > 0) items += i + 1 == leftOut.size() ? " and " : ", ";
        items += "\"" + leftOut[i] + "\"";
    }
    return "The parts list " + path + ": only " + std::to_string(blocksThatFit) +
           " columns of items fit beside the flocks; " + items + (leftOut.size() == 1 ? " is" : " are") +
           " left out";
}

} // namespace avigram

// Reading a grid into an export sheet.
#include "app/forms/grid_sheet.h"

#include <algorithm>

namespace avigram {

ExportSheet SheetOfGrid(const GridDriver& grid, std::string name) {
    ExportSheet sheet;
    sheet.name = std::move(name);
    const int32_t rows = grid.RowCount();
    const int32_t cols = grid.ColCount();
    int32_t lastRow = 0, lastCol = 0;
    std::vector<std::vector<std::string>> texts(static_cast<std::size_t>(std::max(rows, 0)));
    for (int32_t r = 1; r <= rows; ++r) {
        auto& row = texts[static_cast<std::size_t>(r - 1)];
        row.resize(static_cast<std::size_t>(std::max(cols, 0)));
        for (int32_t c = 1; c <= cols; ++c) {
            std::string text = grid.CellText(r, c);
            const std::size_t first = text.find_first_not_of(' ');
            if (first == std::string::npos) continue;
            // Labels like " 1.00  - 1.10 " keep their inner blanks only.
            row[static_cast<std::size_t>(c - 1)] = text.substr(first, text.find_last_not_of(' ') - first + 1);
            lastRow = std::max(lastRow, r);
            lastCol = std::max(lastCol, c);
        }
    }
    bool anyCaption = false;
    for (int32_t c = 1; c <= cols; ++c) {
        std::string caption = grid.ColHeaderText(c);
        if (caption.find_first_not_of(' ') != std::string::npos) {
            anyCaption = true;
            lastCol = std::max(lastCol, c);
        }
        sheet.captions.push_back(std::move(caption));
    }
    sheet.captions.resize(static_cast<std::size_t>(lastCol));
    if (!anyCaption) sheet.captions.clear();
    for (auto& caption : sheet.captions)
        if (caption.find_first_not_of(' ') == std::string::npos) caption.clear();
    texts.resize(static_cast<std::size_t>(lastRow));
    for (auto& row : texts)
        row.resize(static_cast<std::size_t>(lastCol));
    sheet.texts = std::move(texts);
    return sheet;
}

} // namespace avigram

// Reading the grids into JSON.
#include "app/batch/grids_json.h"

namespace avigram {

nlohmann::json GridSnapshot(const GridDriver& grid) {
    nlohmann::json g;
    const int32_t rows = grid.RowCount();
    const int32_t cols = grid.ColCount();
    g["rows"] = rows;
    g["cols"] = cols;
    g["curRow"] = grid.CurRow();
    g["curCol"] = grid.CurCol();
    nlohmann::json columns = nlohmann::json::array();
    for (int32_t c = 1; c <= cols; ++c)
        columns.push_back({{"header", grid.ColHeaderText(c)},
                           {"width", grid.ColWidth(c)},
                           {"visible", grid.ColVisible(c)}});
    g["columns"] = std::move(columns);
    nlohmann::json text = nlohmann::json::array();
    for (int32_t r = 1; r <= rows; ++r) {
        nlohmann::json row = nlohmann::json::array();
        for (int32_t c = 1; c <= cols; ++c)
            row.push_back(grid.CellText(r, c));
        text.push_back(std::move(row));
    }
    g["text"] = std::move(text);
    return g;
}

nlohmann::json GridsDocument(const GridDriver& grid1, const GridDriver& grid2, const GridDriver& gridFlock,
                             const std::vector<std::string>& messages) {
    return {{"Grid1", GridSnapshot(grid1)},
            {"Grid2", GridSnapshot(grid2)},
            {"GridFlock", GridSnapshot(gridFlock)},
            {"messages", messages}};
}

} // namespace avigram

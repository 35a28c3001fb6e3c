// What a procedure would do to a grid, as an ordered list of operations on 1-based cells.
//
// Core computes; the forms layer replays the list on the real grid through its automation
// interface, in order (later operations win, and CurRow/CurCol end where the last one puts them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace avigram {

// The value put into a cell.
struct CellContent {
    enum class Kind {
        Text,   // text: the string
        Number, // number: value, shown as text (pattern is the format it was written with, or "")
        Empty,  // the cell is cleared
    };
    Kind kind = Kind::Empty;
    std::string text;    // the text the cell shows (for Number: the formatted value)
    double number = 0;   // Number only
    std::string pattern; // Number only: the Format pattern of text ("" when written unformatted)

    static CellContent Of(std::string t) { return {Kind::Text, std::move(t), 0, {}}; }
    static CellContent Num(double v, std::string shown, std::string fmt = {}) {
        return {Kind::Number, std::move(shown), v, std::move(fmt)};
    }
    static CellContent Clear() { return {}; }
};

enum class GridId { Grid1, Grid2, GridFlock };

struct GridOp {
    enum class Kind {
        SetCell,       // row, col, content
        CopyFromGrid1, // the content of Grid1 cell (srcRow, srcCol) into (row, col)
        AlignH,        // row, col, value (1 centre, 2 right)
        SetCurrent,    // CurRow = row, CurCol = col (0 leaves that one as it is)
        ColCount,      // value
        RowCount,      // value
        ColWidth,      // col, value (pixels)
        ColHeader,     // col, content.text
        ColVisible,    // col, value (0 or 1)
        HeaderHeight,  // value
    };
    Kind kind;
    int row = 0;
    int col = 0;
    int value = 0;
    CellContent content;
    int srcRow = 0;
    int srcCol = 0;
};

class GridOps {
public:
    void Cell(int row, int col, CellContent c) {
        ops_.push_back({GridOp::Kind::SetCell, row, col, 0, std::move(c)});
    }
    void Text(int row, int col, std::string t) { Cell(row, col, CellContent::Of(std::move(t))); }
    void Clear(int row, int col) { Cell(row, col, CellContent::Clear()); }
    void CopyFromGrid1(int srcRow, int srcCol, int row, int col) {
        ops_.push_back({GridOp::Kind::CopyFromGrid1, row, col, 0, {}, srcRow, srcCol});
    }
    void Align(int row, int col, int align) { ops_.push_back({GridOp::Kind::AlignH, row, col, align, {}}); }
    void Current(int row, int col) { ops_.push_back({GridOp::Kind::SetCurrent, row, col, 0, {}}); }
    void ColCount(int n) { ops_.push_back({GridOp::Kind::ColCount, 0, 0, n, {}}); }
    void RowCount(int n) { ops_.push_back({GridOp::Kind::RowCount, 0, 0, n, {}}); }
    void ColWidth(int col, int w) { ops_.push_back({GridOp::Kind::ColWidth, 0, col, w, {}}); }
    void ColHeader(int col, std::string t) {
        ops_.push_back({GridOp::Kind::ColHeader, 0, col, 0, CellContent::Of(std::move(t))});
    }
    void ColVisible(int col, bool visible) {
        ops_.push_back({GridOp::Kind::ColVisible, 0, col, visible ? 1 : 0, {}});
    }
    void HeaderHeight(int h) { ops_.push_back({GridOp::Kind::HeaderHeight, 0, 0, h, {}}); }

    const std::vector<GridOp>& ops() const { return ops_; }
    bool empty() const { return ops_.empty(); }

private:
    std::vector<GridOp> ops_;
};

} // namespace avigram

// How the windows talk to their Lattix grids: late-bound calls by dispatch identifier through the
// automation interface, with 1-based rows and columns, values crossing as variants. The members
// Avigram has fixed identifiers for are called by those numbers; the others are looked up by name
// once, when the driver is made.
#pragma once

#include <memory>
#include <string>

#include "app/core/grid_ops.h"
#include "grid/lattix.h"
#include "grid/model/property_bag.h"
#include "runtime/automation.h"

namespace avigram {

// The identifiers Avigram binds to by number.
namespace dispid {
inline constexpr lattix::DispId kBeginUpdate = static_cast<lattix::DispId>(0x600300D5u);
inline constexpr lattix::DispId kEndUpdate = static_cast<lattix::DispId>(0x600300D6u);
inline constexpr lattix::DispId kHeader = static_cast<lattix::DispId>(0x6803004Au);
inline constexpr lattix::DispId kCurCol = static_cast<lattix::DispId>(0x68030062u);
inline constexpr lattix::DispId kCurRow = static_cast<lattix::DispId>(0x68030063u);
inline constexpr lattix::DispId kRowCount = static_cast<lattix::DispId>(0x6803006Bu);
inline constexpr lattix::DispId kColCount = static_cast<lattix::DispId>(0x6803006Cu);
inline constexpr lattix::DispId kColVisible = static_cast<lattix::DispId>(0x6803006Du);
inline constexpr lattix::DispId kColHeaderText = static_cast<lattix::DispId>(0x6803006Fu);
inline constexpr lattix::DispId kColWidth = static_cast<lattix::DispId>(0x68030077u);
inline constexpr lattix::DispId kCellValue = static_cast<lattix::DispId>(0x680300ABu);
inline constexpr lattix::DispId kCellAlignH = static_cast<lattix::DispId>(0x680300B3u);
inline constexpr lattix::DispId kCellText = static_cast<lattix::DispId>(0x680300B6u);
} // namespace dispid

class GridDriver {
public:
    // Creates the control the way the container does: a new grid, then its stored design-time
    // properties read from the bag.
    static GridDriver Create(const lattix::PropertyBag& bag);
    explicit GridDriver(std::shared_ptr<lattix::Lattix> grid);

    lattix::Lattix& control() const { return *grid_; }
    const std::shared_ptr<lattix::Lattix>& shared() const { return grid_; }

    int32_t ColCount() const;
    void SetColCount(int32_t n);
    int32_t RowCount() const;
    void SetRowCount(int32_t n);
    int32_t ColWidth(int32_t col) const;
    void SetColWidth(int32_t col, int32_t pixels);
    std::string ColHeaderText(int32_t col) const;
    void SetColHeaderText(int32_t col, const std::string& text);
    bool ColVisible(int32_t col) const;
    void SetColVisible(int32_t col, bool visible);
    lattix::Variant CellValue(int32_t row, int32_t col) const;
    void SetCellValue(int32_t row, int32_t col, const lattix::Variant& value);
    std::string CellText(int32_t row, int32_t col) const;
    void SetCellAlignH(int32_t row, int32_t col, int32_t align);
    int32_t CurRow() const;
    void SetCurRow(int32_t row);
    int32_t CurCol() const;
    void SetCurCol(int32_t col);
    // Header (get), then the header object's Height.
    int32_t HeaderHeight() const;
    void SetHeaderHeight(int32_t height);
    void BeginUpdate();
    void EndUpdate();
    int32_t BeginUpdateCount() const;

    // The value of a cell as text, the way a Basic program turns it into a string (numbers in the
    // locale's format, an empty cell as "").
    std::string CellString(int32_t row, int32_t col) const;

    // Replays a procedure's grid operations in order. A cell beyond the grid's rows or columns
    // first grows the grid to hold it (clearing such a cell does nothing); copies from Grid1 read
    // grid1's cell.
    void Apply(const GridOps& ops, const GridDriver* grid1 = nullptr);

private:
    lattix::Variant get(lattix::DispId id, std::initializer_list<lattix::Variant> args = {}) const;
    void let(lattix::DispId id, std::initializer_list<lattix::Variant> args);
    void call(lattix::DispId id);
    void ensureCell(int32_t row, int32_t col);

    std::shared_ptr<lattix::Lattix> grid_;
    lattix::DispId beginUpdateCountId_ = 0;
    lattix::DispId headerHeightId_ = 0;
};

// A cell content as the variant the grid stores: texts (and numbers formatted with a pattern) as
// strings, other numbers as numbers, a cleared cell as Empty.
lattix::Variant CellVariant(const CellContent& content);

} // namespace avigram

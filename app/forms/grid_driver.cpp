// Late-bound calls into a grid.
#include "app/forms/grid_driver.h"

#include <cmath>
#include <limits>
#include <vector>

#include "runtime/conversions.h"

namespace avigram {

using lattix::DispId;
using lattix::InvokeKind;
using lattix::Variant;

GridDriver GridDriver::Create(const lattix::PropertyBag& bag) {
    std::shared_ptr<lattix::Lattix> grid = lattix::Lattix::Create();
    lattix::ReadProperties(*grid, bag);
    return GridDriver(std::move(grid));
}

GridDriver::GridDriver(std::shared_ptr<lattix::Lattix> grid) : grid_(std::move(grid)) {
    beginUpdateCountId_ = grid_->dispIdOf("BeginUpdateCount");
    Variant header = get(dispid::kHeader);
    headerHeightId_ = header.object()->dispIdOf("Height");
}

Variant GridDriver::get(DispId id, std::initializer_list<Variant> args) const {
    std::vector<Variant> a(args);
    return grid_->invoke(id, InvokeKind::Get, a);
}

void GridDriver::let(DispId id, std::initializer_list<Variant> args) {
    std::vector<Variant> a(args);
    grid_->invoke(id, InvokeKind::Let, a);
}

void GridDriver::call(DispId id) {
    grid_->invoke(id, InvokeKind::Method);
}

int32_t GridDriver::ColCount() const {
    return lattix::ToInt32(get(dispid::kColCount));
}
void GridDriver::SetColCount(int32_t n) {
    let(dispid::kColCount, {Variant(n)});
}
int32_t GridDriver::RowCount() const {
    return lattix::ToInt32(get(dispid::kRowCount));
}
void GridDriver::SetRowCount(int32_t n) {
    let(dispid::kRowCount, {Variant(n)});
}

int32_t GridDriver::ColWidth(int32_t col) const {
    return lattix::ToInt32(get(dispid::kColWidth, {Variant(col)}));
}
void GridDriver::SetColWidth(int32_t col, int32_t pixels) {
    let(dispid::kColWidth, {Variant(col), Variant(pixels)});
}

std::string GridDriver::ColHeaderText(int32_t col) const {
    return lattix::ToString(get(dispid::kColHeaderText, {Variant(col)}));
}
void GridDriver::SetColHeaderText(int32_t col, const std::string& text) {
    let(dispid::kColHeaderText, {Variant(col), Variant(text)});
}

bool GridDriver::ColVisible(int32_t col) const {
    return lattix::ToBool(get(dispid::kColVisible, {Variant(col)}));
}
void GridDriver::SetColVisible(int32_t col, bool visible) {
    let(dispid::kColVisible, {Variant(col), Variant(visible)});
}

Variant GridDriver::CellValue(int32_t row, int32_t col) const {
    return get(dispid::kCellValue, {Variant(row), Variant(col)});
}
void GridDriver::SetCellValue(int32_t row, int32_t col, const Variant& value) {
    let(dispid::kCellValue, {Variant(row), Variant(col), value});
}

std::string GridDriver::CellText(int32_t row, int32_t col) const {
    return lattix::ToString(get(dispid::kCellText, {Variant(row), Variant(col)}));
}

void GridDriver::SetCellAlignH(int32_t row, int32_t col, int32_t align) {
    let(dispid::kCellAlignH, {Variant(row), Variant(col), Variant(align)});
}

int32_t GridDriver::CurRow() const {
    return lattix::ToInt32(get(dispid::kCurRow));
}
void GridDriver::SetCurRow(int32_t row) {
    let(dispid::kCurRow, {Variant(row)});
}
int32_t GridDriver::CurCol() const {
    return lattix::ToInt32(get(dispid::kCurCol));
}
void GridDriver::SetCurCol(int32_t col) {
    let(dispid::kCurCol, {Variant(col)});
}

int32_t GridDriver::HeaderHeight() const {
    Variant header = get(dispid::kHeader);
    return lattix::ToInt32(header.object()->invoke(headerHeightId_, InvokeKind::Get));
}

void GridDriver::SetHeaderHeight(int32_t height) {
    Variant header = get(dispid::kHeader);
    std::vector<Variant> a{Variant(height)};
    header.object()->invoke(headerHeightId_, InvokeKind::Let, a);
}

void GridDriver::BeginUpdate() {
    call(dispid::kBeginUpdate);
}
void GridDriver::EndUpdate() {
    call(dispid::kEndUpdate);
}
int32_t GridDriver::BeginUpdateCount() const {
    return lattix::ToInt32(get(beginUpdateCountId_));
}

std::string GridDriver::CellString(int32_t row, int32_t col) const {
    return lattix::ToString(CellValue(row, col));
}

Variant CellVariant(const CellContent& content) {
    switch (content.kind) {
    case CellContent::Kind::Text:
        return Variant(content.text);
    case CellContent::Kind::Empty:
        return Variant();
    case CellContent::Kind::Number:
        break;
    }
    if (!content.pattern.empty()) return Variant(content.text);
    const double v = content.number;
    if (std::isfinite(v) && v == std::trunc(v) && v >= std::numeric_limits<int32_t>::min() &&
        v <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(v));
    return Variant(v);
}

void GridDriver::ensureCell(int32_t row, int32_t col) {
    if (col > ColCount()) SetColCount(col);
    if (row > RowCount()) SetRowCount(row);
}

void GridDriver::Apply(const GridOps& ops, const GridDriver* grid1) {
    for (const GridOp& op : ops.ops()) {
        switch (op.kind) {
        case GridOp::Kind::SetCell:
            if (op.content.kind == CellContent::Kind::Empty && (op.col > ColCount() || op.row > RowCount()))
                break;
            ensureCell(op.row, op.col);
            SetCellValue(op.row, op.col, CellVariant(op.content));
            break;
        case GridOp::Kind::CopyFromGrid1: {
            if (!grid1) break;
            Variant v = grid1->CellValue(op.srcRow, op.srcCol);
            ensureCell(op.row, op.col);
            SetCellValue(op.row, op.col, v);
            break;
        }
        case GridOp::Kind::AlignH:
            ensureCell(op.row, op.col);
            SetCellAlignH(op.row, op.col, op.value);
            break;
        case GridOp::Kind::SetCurrent:
            if (op.row > 0) SetCurRow(op.row);
            if (op.col > 0) SetCurCol(op.col);
            break;
        case GridOp::Kind::ColCount:
            SetColCount(op.value);
            break;
        case GridOp::Kind::RowCount:
            SetRowCount(op.value);
            break;
        case GridOp::Kind::ColWidth:
            ensureCell(0, op.col);
            SetColWidth(op.col, op.value);
            break;
        case GridOp::Kind::ColHeader:
            ensureCell(0, op.col);
            SetColHeaderText(op.col, op.content.text);
            break;
        case GridOp::Kind::ColVisible:
            ensureCell(0, op.col);
            SetColVisible(op.col, op.value != 0);
            break;
        case GridOp::Kind::HeaderHeight:
            SetHeaderHeight(op.value);
            break;
        }
    }
}

} // namespace avigram

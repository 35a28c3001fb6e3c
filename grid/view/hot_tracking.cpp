// The cell under the mouse: its check box and combo button are drawn hot, and the host may give it
// a tooltip. Also the pressed look of the current cell's combo button while its list is down.
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/painter.h"

namespace lattix {

namespace {
// Whether a cell shows a glyph with a hot look (a check box or a combo button).
bool hasHotGlyph(const CellRecord& cell) {
    return (cell.checkBits & cell_bits::kCheckVisible) || cell_type::IsComboType(cell.typeBits & cell_bits::kTypeMask);
}
} // namespace

void Lattix::hotTrackCell(int32_t row, int32_t col) {
    const int32_t oldRow = painter_->HotRow(), oldCol = painter_->HotCol();
    painter_->SetHotCell(row, col);
    bool repaint = false;
    if (validCell(oldRow, oldCol) && hasHotGlyph(Cell(oldRow, oldCol))) {
        Cell(oldRow, oldCol).markChanged();
        repaint = true;
    }
    if (validCell(row, col) && hasHotGlyph(Cell(row, col))) {
        Cell(row, col).markChanged();
        repaint = true;
    }
    if (repaint && beginUpdateCount_ == 0) painter_->Draw();
    if (validCell(row, col) && chrome_) chrome_->CellMouseEnter(row, col);
}

void Lattix::resetHotTracking() {
    if (chrome_) chrome_->CellMouseLeave();
    hotTrackCell(0, 0);
}

void Lattix::SetComboDroppedDown(bool droppedDown) {
    if (comboDroppedDown_ == droppedDown) return;
    comboDroppedDown_ = droppedDown;
    if (!validCell(curRow_, curCol_)) return;
    Cell(curRow_, curCol_).markChanged();
    RedrawRow(curRow_);
}

} // namespace lattix

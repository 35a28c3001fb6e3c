// The cells of every row, addressed by (column index, cell slot).
//
// Slots are grouped in fixed-size blocks so that growing the storage never moves existing cells; each
// slot holds the cells of one row for every column index in one run. Cells move only when the set of
// column indices changes (rebuildColumns).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "grid/model/cell_record.h"

namespace lattix {

// True when `bytes` could be held in the machine's physical memory.
bool FitsInMemory(uint64_t bytes);

class CellStorage {
public:
    static constexpr int32_t kSlotsPerBlock = 1024;

    int32_t columns() const { return columns_; }
    int32_t slots() const { return slots_; }
    // Bytes held by the cell blocks.
    size_t bytes() const { return blocks_.size() * static_cast<size_t>(kSlotsPerBlock) * columns_ * sizeof(CellRecord); }

    // Grows to at least `slots` slots of `columns` cells each (new cells are default records). The
    // column count may only change through rebuildColumns. Throws std::bad_alloc when memory runs out,
    // leaving the storage as it was.
    void reserveSlots(int32_t slots);

    // 1-based column index and slot.
    CellRecord& at(int32_t colIndex, int32_t slot) {
        size_t s = static_cast<size_t>(slot - 1);
        return blocks_[s / kSlotsPerBlock][(s % kSlotsPerBlock) * static_cast<size_t>(columns_) + static_cast<size_t>(colIndex - 1)];
    }
    const CellRecord& at(int32_t colIndex, int32_t slot) const { return const_cast<CellStorage*>(this)->at(colIndex, slot); }
    // All cells of a slot, column index 1 first.
    CellRecord* slotCells(int32_t slot) { return &at(1, slot); }

    // Rebuilds every slot for `newColumns` column indices. `source(newIndex)` gives the old column index
    // whose cells move to newIndex, or 0 for a new column, whose cells become copies of `fresh(newIndex)`.
    // Throws std::bad_alloc when memory runs out, leaving the storage as it was.
    void rebuildColumns(int32_t newColumns, const std::function<int32_t(int32_t)>& source,
                        const std::function<const CellRecord&(int32_t)>& fresh);

    // Frees everything; the storage keeps `columns` column indices and no slots.
    void clear(int32_t columns);

private:
    using Block = std::unique_ptr<CellRecord[]>;
    std::vector<Block> blocks_;
    int32_t columns_ = 1;
    int32_t slots_ = 0; // slots with room
};

} // namespace lattix

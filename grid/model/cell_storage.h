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

    CellStorage() = default;
    ~CellStorage() { destroyAll(); }
    CellStorage(const CellStorage&) = delete;
    CellStorage& operator=(const CellStorage&) = delete;

    int32_t columns() const { return columns_; }
    int32_t slots() const { return slots_; }
    // Slots 1..constructedSlots() hold cells; the room beyond is raw memory that the first fillSlot of
    // each slot writes once.
    int32_t constructedSlots() const { return constructed_; }
    // Bytes held by the cell blocks.
    size_t bytes() const { return blocks_.size() * static_cast<size_t>(kSlotsPerBlock) * columns_ * sizeof(CellRecord); }

    // Grows to room for at least `slots` slots of `columns` cells each; no cell is written. The column
    // count may only change through rebuildColumns. Throws std::bad_alloc when memory runs out, leaving
    // the storage as it was.
    void reserveSlots(int32_t slots);

    // 1-based column index and slot (a constructed one).
    CellRecord& at(int32_t colIndex, int32_t slot) {
        size_t s = static_cast<size_t>(slot - 1);
        return blocks_[s / kSlotsPerBlock][(s % kSlotsPerBlock) * static_cast<size_t>(columns_) + static_cast<size_t>(colIndex - 1)];
    }
    const CellRecord& at(int32_t colIndex, int32_t slot) const { return const_cast<CellStorage*>(this)->at(colIndex, slot); }
    // All cells of a slot, column index 1 first.
    CellRecord* slotCells(int32_t slot) { return &at(1, slot); }

    // Makes every cell of `slot` a copy of defaults[column index] (1..columns()). A slot never used
    // before is written once, copy-constructed in place. Never throws; the room must be reserved.
    void fillSlot(int32_t slot, const CellRecord* const* defaults);

    // Rebuilds every slot for `newColumns` column indices. `source(newIndex)` gives the old column index
    // whose cells move to newIndex, or 0 for a new column, whose cells become copies of `fresh(newIndex)`.
    // Throws std::bad_alloc when memory runs out, leaving the storage as it was.
    void rebuildColumns(int32_t newColumns, const std::function<int32_t(int32_t)>& source,
                        const std::function<const CellRecord&(int32_t)>& fresh);

    // Frees everything; the storage keeps `columns` column indices and no slots.
    void clear(int32_t columns);

private:
    // Raw memory for one or more blocks, allocated together.
    class Arena {
    public:
        explicit Arena(size_t bytes);
        ~Arena();
        Arena(Arena&& o) noexcept : base_(o.base_) { o.base_ = nullptr; }
        Arena& operator=(Arena&&) = delete;
        Arena(const Arena&) = delete;
        char* base() const { return base_; }

    private:
        char* base_ = nullptr;
    };
    // Raw memory for `count` blocks of `columns` cells a slot.
    static Arena newArena(size_t count, int32_t columns);
    static size_t blockBytes(int32_t columns) {
        return static_cast<size_t>(kSlotsPerBlock) * static_cast<size_t>(columns) * sizeof(CellRecord);
    }
    void destroyAll();

    using Block = CellRecord*;
    std::vector<Block> blocks_; // into arenas_
    std::vector<Arena> arenas_;
    int32_t columns_ = 1;
    int32_t slots_ = 0;       // slots with room
    int32_t constructed_ = 0; // slots whose cells are live records
};

} // namespace lattix

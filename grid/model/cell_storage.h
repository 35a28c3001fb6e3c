// The cells of every row, addressed by (column index, cell slot).
//
// Slots are grouped in fixed-size blocks so that growing the storage never moves existing cells; each
// slot holds the cells of one row for every column index in one run. Cells move only when the set of
// column indices changes (rebuildColumns).
//
// New slots cost nothing until they are written: a block whose live slots all still hold the same
// new-row cells (a fill pattern) keeps only a link to that pattern, and its memory stays untouched.
// Reading through a const reference sees the pattern; the first access through a mutable reference
// writes the pattern into every live slot of the block and from then on the block is ordinary.
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

    // The cells a new or reused slot gets, one per column index, prepared once for many slots.
    class FillPattern {
    public:
        const CellRecord& cell(int32_t colIndex) const { return cells_[static_cast<size_t>(colIndex - 1)]; }

    private:
        friend class CellStorage;
        std::vector<CellRecord> cells_;
    };

    // 1-based column index and slot (a constructed one). A block still holding a fill pattern is
    // written out first, so the reference stays valid until the storage is rebuilt or cleared.
    CellRecord& at(int32_t colIndex, int32_t slot) {
        const size_t s = static_cast<size_t>(slot - 1);
        Block& b = blocks_[s / kSlotsPerBlock];
        if (b.pattern) [[unlikely]] materialize(s / kSlotsPerBlock);
        return b.cells[(s % kSlotsPerBlock) * static_cast<size_t>(columns_) + static_cast<size_t>(colIndex - 1)];
    }
    // Reads without writing a pattern out. The reference stays valid until the storage is rebuilt,
    // cleared or prepares another fill pattern.
    const CellRecord& at(int32_t colIndex, int32_t slot) const {
        const size_t s = static_cast<size_t>(slot - 1);
        const Block& b = blocks_[s / kSlotsPerBlock];
        if (b.pattern) return b.pattern->cell(colIndex);
        return b.cells[(s % kSlotsPerBlock) * static_cast<size_t>(columns_) + static_cast<size_t>(colIndex - 1)];
    }
    // All cells of a slot, column index 1 first.
    CellRecord* slotCells(int32_t slot) { return &at(1, slot); }
    // True when the slot's block has not been written out (its cells are a fill pattern's).
    bool slotIsPattern(int32_t slot) const { return blocks_[static_cast<size_t>(slot - 1) / kSlotsPerBlock].pattern != nullptr; }

    // The fill pattern of copies of defaults[column index] (1..columns()); an equal one already held is
    // reused. Throws std::bad_alloc when memory runs out, changing nothing.
    const FillPattern& prepareFill(const CellRecord* const* defaults);
    // Makes every cell of `slot` a copy of the pattern's cell. A slot never used before is written
    // once, copy-constructed in place, or not at all while its block holds this same pattern. Never
    // throws; the room must be reserved.
    void fillSlot(int32_t slot, const FillPattern& pattern);

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
        Arena(Arena&& o) noexcept : base_(o.base_), huge_(o.huge_) { o.base_ = nullptr; }
        Arena& operator=(Arena&&) = delete;
        Arena(const Arena&) = delete;
        char* base() const { return base_; }

    private:
        char* base_ = nullptr;
        bool huge_ = false; // huge-page aligned, released with that alignment
    };
    // Raw memory for `count` blocks of `columns` cells a slot.
    static Arena newArena(size_t count, int32_t columns);
    static size_t blockBytes(int32_t columns) {
        return static_cast<size_t>(kSlotsPerBlock) * static_cast<size_t>(columns) * sizeof(CellRecord);
    }
    void destroyAll();
    // Forgets the patterns no block links to.
    void dropUnlinkedPatterns() noexcept;
    // Writes the block's pattern into each of its live slots; the block no longer holds a pattern.
    void materialize(size_t block) noexcept;
    // Live slots of a block.
    int32_t liveSlots(size_t block) const {
        const int64_t live = int64_t{constructed_} - static_cast<int64_t>(block) * kSlotsPerBlock;
        return static_cast<int32_t>(live < 0 ? 0 : (live > kSlotsPerBlock ? kSlotsPerBlock : live));
    }

    struct Block {
        CellRecord* cells;                  // into arenas_
        const FillPattern* pattern = nullptr; // set: every live slot holds this pattern, memory untouched
    };
    std::vector<Block> blocks_;
    std::vector<Arena> arenas_;
    // Patterns held; kept until the storage is rebuilt or cleared or a new one is prepared and the
    // pattern is no longer linked to a block, so that const references into a pattern stay valid.
    std::vector<std::unique_ptr<FillPattern>> patterns_;
    int32_t columns_ = 1;
    int32_t slots_ = 0;       // slots with room
    int32_t constructed_ = 0; // slots whose cells are live records
};

} // namespace lattix

#include "grid/model/cell_storage.h"

#include <algorithm>
#include <new>
#include <unistd.h>

namespace lattix {

bool FitsInMemory(uint64_t bytes) {
    static const uint64_t physical = [] {
        long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
        return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : uint64_t{1} << 34;
    }();
    return bytes <= physical;
}

CellStorage::Arena::Arena(size_t bytes) : base_(static_cast<char*>(::operator new(bytes))) {}

CellStorage::Arena::~Arena() { ::operator delete(base_); }

CellStorage::Arena CellStorage::newArena(size_t count, int32_t columns) { return Arena(count * blockBytes(columns)); }

void CellStorage::reserveSlots(int32_t slots) {
    if (slots <= slots_) return;
    size_t needBlocks = (static_cast<size_t>(slots) + kSlotsPerBlock - 1) / kSlotsPerBlock;
    // Refuse what the machine cannot hold before touching any memory.
    if (!FitsInMemory(static_cast<uint64_t>(needBlocks) * kSlotsPerBlock * static_cast<uint64_t>(columns_) * sizeof(CellRecord)))
        throw std::bad_alloc();
    const size_t addedBlocks = needBlocks - blocks_.size();
    blocks_.reserve(needBlocks);
    arenas_.reserve(arenas_.size() + 1);
    Arena arena = newArena(addedBlocks, columns_);
    // Nothing below throws.
    for (size_t b = 0; b < addedBlocks; ++b) blocks_.push_back(reinterpret_cast<CellRecord*>(arena.base() + b * blockBytes(columns_)));
    arenas_.push_back(std::move(arena));
    slots_ = static_cast<int32_t>(needBlocks * kSlotsPerBlock);
}

void CellStorage::fillSlot(int32_t slot, const CellRecord* const* defaults) {
    const size_t n = static_cast<size_t>(columns_);
    if (slot <= constructed_) {
        CellRecord* cells = slotCells(slot);
        for (size_t c = 0; c < n; ++c) cells[c] = *defaults[c + 1];
        return;
    }
    // Slots are taken in order, so this is the next one; a gap (never expected) gets default records
    // so that every slot up to constructed_ is live.
    while (constructed_ < slot - 1) {
        CellRecord* cells = &at(1, ++constructed_);
        for (size_t c = 0; c < n; ++c) new (&cells[c]) CellRecord();
    }
    CellRecord* cells = &at(1, slot);
    for (size_t c = 0; c < n; ++c) new (&cells[c]) CellRecord(*defaults[c + 1]);
    constructed_ = slot;
}

void CellStorage::rebuildColumns(int32_t newColumns, const std::function<int32_t(int32_t)>& source,
                                 const std::function<const CellRecord&(int32_t)>& fresh) {
    if (!FitsInMemory(static_cast<uint64_t>(blocks_.size()) * kSlotsPerBlock * static_cast<uint64_t>(newColumns) * sizeof(CellRecord)))
        throw std::bad_alloc();
    std::vector<int32_t> from(static_cast<size_t>(newColumns) + 1);
    for (int32_t c = 1; c <= newColumns; ++c) from[static_cast<size_t>(c)] = source(c);
    std::vector<Block> rebuilt;
    rebuilt.reserve(blocks_.size());
    std::vector<Arena> arenas;
    arenas.reserve(1);
    if (!blocks_.empty()) arenas.push_back(newArena(blocks_.size(), newColumns));
    for (size_t b = 0; b < blocks_.size(); ++b)
        rebuilt.push_back(reinterpret_cast<CellRecord*>(arenas.back().base() + b * blockBytes(newColumns)));
    // Nothing below allocates except boxed-value sharing, which cannot fail. Only live slots move.
    for (size_t b = 0; b < blocks_.size(); ++b) {
        CellRecord* oldCells = blocks_[b];
        CellRecord* newCells = rebuilt[b];
        const int64_t live = std::min<int64_t>(kSlotsPerBlock, int64_t{constructed_} - static_cast<int64_t>(b) * kSlotsPerBlock);
        for (int64_t s = 0; s < live; ++s) {
            CellRecord* dst = newCells + static_cast<size_t>(s) * static_cast<size_t>(newColumns);
            CellRecord* src = oldCells + static_cast<size_t>(s) * static_cast<size_t>(columns_);
            for (int32_t c = 1; c <= newColumns; ++c) {
                int32_t old = from[static_cast<size_t>(c)];
                if (old > 0) new (&dst[c - 1]) CellRecord(std::move(src[old - 1]));
                else new (&dst[c - 1]) CellRecord(fresh(c));
            }
            for (int32_t c = 0; c < columns_; ++c) src[c].~CellRecord();
        }
    }
    blocks_ = std::move(rebuilt);
    arenas_ = std::move(arenas);
    columns_ = newColumns;
}

void CellStorage::destroyAll() {
    for (int32_t s = 1; s <= constructed_; ++s) {
        CellRecord* cells = slotCells(s);
        for (int32_t c = 0; c < columns_; ++c) cells[c].~CellRecord();
    }
    constructed_ = 0;
}

void CellStorage::clear(int32_t columns) {
    destroyAll();
    blocks_.clear();
    blocks_.shrink_to_fit();
    arenas_.clear();
    arenas_.shrink_to_fit();
    columns_ = columns;
    slots_ = 0;
}

} // namespace lattix

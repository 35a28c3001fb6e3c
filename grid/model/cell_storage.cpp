#include "grid/model/cell_storage.h"

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

void CellStorage::reserveSlots(int32_t slots) {
    if (slots <= slots_) return;
    size_t needBlocks = (static_cast<size_t>(slots) + kSlotsPerBlock - 1) / kSlotsPerBlock;
    // Refuse what the machine cannot hold before touching any memory.
    if (!FitsInMemory(static_cast<uint64_t>(needBlocks) * kSlotsPerBlock * static_cast<uint64_t>(columns_) * sizeof(CellRecord)))
        throw std::bad_alloc();
    std::vector<Block> added;
    added.reserve(needBlocks - blocks_.size());
    for (size_t b = blocks_.size(); b < needBlocks; ++b)
        added.emplace_back(new CellRecord[static_cast<size_t>(kSlotsPerBlock) * static_cast<size_t>(columns_)]);
    blocks_.reserve(needBlocks);
    for (Block& b : added) blocks_.push_back(std::move(b));
    slots_ = static_cast<int32_t>(needBlocks * kSlotsPerBlock);
}

void CellStorage::rebuildColumns(int32_t newColumns, const std::function<int32_t(int32_t)>& source,
                                 const std::function<const CellRecord&(int32_t)>& fresh) {
    if (!FitsInMemory(static_cast<uint64_t>(blocks_.size()) * kSlotsPerBlock * static_cast<uint64_t>(newColumns) * sizeof(CellRecord)))
        throw std::bad_alloc();
    std::vector<int32_t> from(static_cast<size_t>(newColumns) + 1);
    for (int32_t c = 1; c <= newColumns; ++c) from[static_cast<size_t>(c)] = source(c);
    std::vector<Block> rebuilt;
    rebuilt.reserve(blocks_.size());
    for (size_t b = 0; b < blocks_.size(); ++b)
        rebuilt.emplace_back(new CellRecord[static_cast<size_t>(kSlotsPerBlock) * static_cast<size_t>(newColumns)]);
    // Nothing below allocates except boxed-value sharing, which cannot fail.
    for (size_t b = 0; b < blocks_.size(); ++b) {
        CellRecord* oldCells = blocks_[b].get();
        CellRecord* newCells = rebuilt[b].get();
        for (size_t s = 0; s < static_cast<size_t>(kSlotsPerBlock); ++s) {
            CellRecord* dst = newCells + s * static_cast<size_t>(newColumns);
            CellRecord* src = oldCells + s * static_cast<size_t>(columns_);
            for (int32_t c = 1; c <= newColumns; ++c) {
                int32_t old = from[static_cast<size_t>(c)];
                if (old > 0) dst[c - 1] = std::move(src[old - 1]);
                else dst[c - 1] = fresh(c);
            }
        }
    }
    blocks_ = std::move(rebuilt);
    columns_ = newColumns;
}

void CellStorage::clear(int32_t columns) {
    blocks_.clear();
    blocks_.shrink_to_fit();
    columns_ = columns;
    slots_ = 0;
}

} // namespace lattix

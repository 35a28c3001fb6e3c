#include "grid/model/cell_storage.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace lattix {

bool FitsInMemory(uint64_t bytes) {
    static const uint64_t physical = [] {
        long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGESIZE);
        return pages > 0 && size > 0 ? static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) : uint64_t{1} << 34;
    }();
    return bytes <= physical;
}

namespace {
// Arenas of many megabytes are placed on huge-page boundaries and offered to the kernel for huge
// pages: their first touch (a new block written out) then faults a few 2 MB pages instead of
// hundreds of 4 KB ones.
constexpr size_t kHugePage = size_t{2} << 20;
constexpr std::align_val_t kArenaAlignment{kHugePage};
} // namespace

CellStorage::Arena::Arena(size_t bytes) : huge_(bytes >= 2 * kHugePage) {
    if (!huge_) {
        base_ = static_cast<char*>(::operator new(bytes));
        return;
    }
    base_ = static_cast<char*>(::operator new(bytes, kArenaAlignment));
#ifdef MADV_HUGEPAGE
    (void)madvise(base_, bytes & ~(kHugePage - 1), MADV_HUGEPAGE);
#endif
}

CellStorage::Arena::~Arena() {
    if (huge_) ::operator delete(base_, kArenaAlignment);
    else ::operator delete(base_);
}

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
    for (size_t b = 0; b < addedBlocks; ++b)
        blocks_.push_back(Block{reinterpret_cast<CellRecord*>(arena.base() + b * blockBytes(columns_))});
    arenas_.push_back(std::move(arena));
    slots_ = static_cast<int32_t>(needBlocks * kSlotsPerBlock);
}

const CellStorage::FillPattern& CellStorage::prepareFill(const CellRecord* const* defaults) {
    const size_t n = static_cast<size_t>(columns_);
    auto same = [&](const FillPattern& p) {
        for (size_t c = 0; c < n; ++c)
            if (std::memcmp(static_cast<const void*>(&p.cells_[c]), static_cast<const void*>(defaults[c + 1]), sizeof(CellRecord)) != 0)
                return false;
        return true;
    };
    for (const auto& p : patterns_)
        if (same(*p)) return *p;
    auto made = std::make_unique<FillPattern>();
    made->cells_.reserve(n);
    for (size_t c = 0; c < n; ++c) made->cells_.push_back(*defaults[c + 1]);
    dropUnlinkedPatterns();
    patterns_.reserve(patterns_.size() + 1);
    patterns_.push_back(std::move(made));
    return *patterns_.back();
}

void CellStorage::dropUnlinkedPatterns() noexcept {
    std::erase_if(patterns_, [&](const std::unique_ptr<FillPattern>& p) {
        for (const Block& b : blocks_)
            if (b.pattern == p.get()) return false;
        return true;
    });
}

void CellStorage::materialize(size_t block) noexcept {
    Block& b = blocks_[block];
    const FillPattern* p = b.pattern;
    b.pattern = nullptr;
    const size_t n = static_cast<size_t>(columns_);
    const int32_t live = liveSlots(block);
    bool boxed = false;
    for (size_t c = 0; c < n; ++c) boxed = boxed || p->cells_[c].isBoxed();
    if (!boxed) {
        // Plain records: a copy is the bytes.
        for (int32_t s = 0; s < live; ++s)
            std::memcpy(static_cast<void*>(b.cells + static_cast<size_t>(s) * n), p->cells_.data(), n * sizeof(CellRecord));
        return;
    }
    for (int32_t s = 0; s < live; ++s) {
        CellRecord* cells = b.cells + static_cast<size_t>(s) * n;
        for (size_t c = 0; c < n; ++c) new (&cells[c]) CellRecord(p->cells_[c]);
    }
}

void CellStorage::fillSlot(int32_t slot, const FillPattern& pattern) {
    const size_t n = static_cast<size_t>(columns_);
    const size_t block = static_cast<size_t>(slot - 1) / kSlotsPerBlock;
    if (slot <= constructed_) {
        // A reused slot in a block that still holds this pattern already has its cells.
        if (blocks_[block].pattern == &pattern) return;
        CellRecord* cells = slotCells(slot);
        for (size_t c = 0; c < n; ++c) cells[c] = pattern.cells_[c];
        return;
    }
    // Slots are taken in order, so this is the next one; a gap (never expected) gets default records
    // so that every slot up to constructed_ is live.
    while (constructed_ < slot - 1) {
        const int32_t gap = constructed_ + 1;
        const size_t gapBlock = static_cast<size_t>(gap - 1) / kSlotsPerBlock;
        if (blocks_[gapBlock].pattern) materialize(gapBlock);
        CellRecord* cells = blocks_[gapBlock].cells + static_cast<size_t>((gap - 1) % kSlotsPerBlock) * n;
        for (size_t c = 0; c < n; ++c) new (&cells[c]) CellRecord();
        constructed_ = gap;
    }
    Block& b = blocks_[block];
    if (liveSlots(block) == 0) {
        // The first slot of a block: the block takes the pattern and its memory stays untouched.
        b.pattern = &pattern;
        constructed_ = slot;
        return;
    }
    if (b.pattern == &pattern) {
        constructed_ = slot;
        return;
    }
    if (b.pattern) materialize(block);
    CellRecord* cells = b.cells + static_cast<size_t>((slot - 1) % kSlotsPerBlock) * n;
    for (size_t c = 0; c < n; ++c) new (&cells[c]) CellRecord(pattern.cells_[c]);
    constructed_ = slot;
}

void CellStorage::rebuildColumns(int32_t newColumns, const std::function<int32_t(int32_t)>& source,
                                 const std::function<const CellRecord&(int32_t)>& fresh) {
    if (!FitsInMemory(static_cast<uint64_t>(blocks_.size()) * kSlotsPerBlock * static_cast<uint64_t>(newColumns) * sizeof(CellRecord)))
        throw std::bad_alloc();
    std::vector<int32_t> from(static_cast<size_t>(newColumns) + 1);
    for (int32_t c = 1; c <= newColumns; ++c) from[static_cast<size_t>(c)] = source(c);
    // Patterns still linked to a block, rebuilt for the new columns (index for index).
    dropUnlinkedPatterns();
    std::vector<std::unique_ptr<FillPattern>> patterns;
    patterns.reserve(patterns_.size());
    for (const auto& p : patterns_) {
        auto made = std::make_unique<FillPattern>();
        made->cells_.reserve(static_cast<size_t>(newColumns));
        for (int32_t c = 1; c <= newColumns; ++c) {
            const int32_t old = from[static_cast<size_t>(c)];
            made->cells_.push_back(old > 0 ? p->cells_[static_cast<size_t>(old - 1)] : fresh(c));
        }
        patterns.push_back(std::move(made));
    }
    auto rebuiltPattern = [&](const FillPattern* p) -> const FillPattern* {
        for (size_t i = 0; i < patterns_.size(); ++i)
            if (patterns_[i].get() == p) return patterns[i].get();
        return nullptr;
    };
    std::vector<Block> rebuilt;
    rebuilt.reserve(blocks_.size());
    std::vector<Arena> arenas;
    arenas.reserve(1);
    if (!blocks_.empty()) arenas.push_back(newArena(blocks_.size(), newColumns));
    for (size_t b = 0; b < blocks_.size(); ++b)
        rebuilt.push_back(Block{reinterpret_cast<CellRecord*>(arenas.back().base() + b * blockBytes(newColumns)),
                                blocks_[b].pattern ? rebuiltPattern(blocks_[b].pattern) : nullptr});
    // Nothing below allocates except boxed-value sharing, which cannot fail. Only live slots of
    // written-out blocks move; blocks holding a pattern stay untouched.
    for (size_t b = 0; b < blocks_.size(); ++b) {
        if (blocks_[b].pattern) continue;
        CellRecord* oldCells = blocks_[b].cells;
        CellRecord* newCells = rebuilt[b].cells;
        const int32_t live = liveSlots(b);
        for (int32_t s = 0; s < live; ++s) {
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
    patterns_ = std::move(patterns);
    columns_ = newColumns;
}

void CellStorage::destroyAll() {
    const size_t n = static_cast<size_t>(columns_);
    // Records without a box own nothing: with no box alive anywhere there is nothing to release.
    const bool anyBox = BoxedValue::Live() > 0;
    for (size_t b = 0; b < blocks_.size(); ++b) {
        if (blocks_[b].pattern || !anyBox) {
            blocks_[b].pattern = nullptr;
            continue;
        }
        const size_t cells = static_cast<size_t>(liveSlots(b)) * n;
        for (size_t i = 0; i < cells; ++i) blocks_[b].cells[i].~CellRecord();
    }
    constructed_ = 0;
}

void CellStorage::clear(int32_t columns) {
    destroyAll();
    blocks_.clear();
    blocks_.shrink_to_fit();
    arenas_.clear();
    arenas_.shrink_to_fit();
    patterns_.clear();
    columns_ = columns;
    slots_ = 0;
}

} // namespace lattix

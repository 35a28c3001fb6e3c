#include "grid/input/selection_store.h"

#include <algorithm>
#include <bit>

namespace lattix {

namespace {
// Rebuild the insertion log once this many stale entries exceed the live pairs.
constexpr int64_t kStaleSlack = 4096;

size_t pageOf(int32_t r, int32_t pageRows) { return static_cast<size_t>(r / pageRows); }
} // namespace

// ---- paged bits ----

const uint64_t* SelectionStore::PagedBits::row(int32_t r) const {
    const size_t p = pageOf(r, kPageRows);
    if (p >= pages.size() || !pages[p]) return nullptr;
    return pages[p].get() + static_cast<size_t>(r % kPageRows) * static_cast<size_t>(wordsPerRow);
}

uint64_t* SelectionStore::PagedBits::rowForWrite(int32_t r) {
    const size_t p = pageOf(r, kPageRows);
    if (p >= pages.size()) pages.resize(std::max(p + 1, pages.size() * 2));
    if (!pages[p]) pages[p] = std::make_unique<uint64_t[]>(static_cast<size_t>(kPageRows) * static_cast<size_t>(wordsPerRow));
    return pages[p].get() + static_cast<size_t>(r % kPageRows) * static_cast<size_t>(wordsPerRow);
}

bool SelectionStore::PagedBits::test(int32_t r, int32_t c) const {
    if (c / 64 >= wordsPerRow) return false;
    const uint64_t* w = row(r);
    return w && (w[c / 64] >> (c % 64) & 1u);
}

void SelectionStore::PagedBits::widenTo(int32_t words) {
    if (words <= wordsPerRow) return;
    for (auto& page : pages) {
        if (!page) continue;
        auto wider = std::make_unique<uint64_t[]>(static_cast<size_t>(kPageRows) * static_cast<size_t>(words));
        for (int32_t r = 0; r < kPageRows; ++r)
            std::copy_n(page.get() + static_cast<size_t>(r) * static_cast<size_t>(wordsPerRow), wordsPerRow,
                        wider.get() + static_cast<size_t>(r) * static_cast<size_t>(words));
        page = std::move(wider);
    }
    wordsPerRow = words;
}

// ---- membership ----

bool SelectionStore::contains(int32_t row, int32_t col) const {
    if (row < 1 || col < 1) return false;
    return bits_.test(row, col);
}

bool SelectionStore::add(int32_t row, int32_t col) {
    if (row < 1 || col < 1) return false;
    if (col / 64 >= bits_.wordsPerRow) bits_.widenTo(col / 64 + 1);
    uint64_t& word = bits_.rowForWrite(row)[col / 64];
    const uint64_t bit = uint64_t{1} << (col % 64);
    if (word & bit) return false;
    appendToLog(row, col); // may throw: the bit is set only afterwards
    word |= bit;
    ++count_;
    return true;
}

bool SelectionStore::remove(int32_t row, int32_t col) {
    if (!contains(row, col)) return false;
    uint64_t* w = bits_.rowForWrite(row);
    w[col / 64] &= ~(uint64_t{1} << (col % 64));
    --count_;
    ++stale_;
    compactIfStale();
    return true;
}

void SelectionStore::clear() {
    bits_ = PagedBits{};
    log_.clear();
    log_.shrink_to_fit();
    stale_ = 0;
    count_ = 0;
}

// ---- insertion log ----

void SelectionStore::appendToLog(int32_t row, int32_t col) {
    if (!log_.empty()) {
        Run& last = log_.back();
        if (last.row0 == last.row1 && last.row0 == row && col == last.col1 + 1 && last.col1 < INT32_MAX) {
            ++last.col1;
            // A finished row as wide as the block before it joins that block.
            if (log_.size() >= 2) {
                Run& prev = log_[log_.size() - 2];
                if (prev.col0 == last.col0 && prev.col1 == last.col1 && prev.row1 + 1 == row) {
                    prev.row1 = row;
                    log_.pop_back();
                }
            }
            return;
        }
        // Row mode and single-column selections: one more row of a one-column block.
        if (last.col0 == col && last.col1 == col && last.row1 + 1 == row) {
            ++last.row1;
            return;
        }
    }
    log_.push_back(Run{row, row, col, col});
}

void SelectionStore::forEachLogged(const std::function<void(SelItem)>& f) const {
    for (const Run& run : log_)
        for (int32_t r = run.row0; r <= run.row1; ++r)
            for (int32_t c = run.col0; c <= run.col1; ++c) {
                f(SelItem{r, c});
                if (c == INT32_MAX) break;
            }
}

void SelectionStore::forEachInInsertionOrder(const std::function<void(SelItem)>& f) const {
    if (count_ == 0) return;
    if (stale_ == 0) {
        forEachLogged(f);
        return;
    }
    // Walk from the newest entry: the first time a live pair is met is its latest addition.
    PagedBits seen;
    seen.widenTo(bits_.wordsPerRow);
    std::vector<SelItem> newestFirst;
    newestFirst.reserve(static_cast<size_t>(count_));
    for (auto it = log_.rbegin(); it != log_.rend(); ++it)
        for (int32_t r = it->row1; r >= it->row0; --r)
            for (int32_t c = it->col1; c >= it->col0; --c) {
                if (bits_.test(r, c) && !seen.test(r, c)) {
                    seen.rowForWrite(r)[c / 64] |= uint64_t{1} << (c % 64);
                    newestFirst.push_back({r, c});
                }
            }
    for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it) f(*it);
}

void SelectionStore::compactIfStale() {
    if (stale_ <= count_ + kStaleSlack) return;
    std::vector<SelItem> live;
    live.reserve(static_cast<size_t>(count_));
    forEachInInsertionOrder([&](SelItem s) { live.push_back(s); });
    log_.clear();
    stale_ = 0;
    for (SelItem s : live) appendToLog(s.row, s.col);
    log_.shrink_to_fit();
}

std::vector<SelItem> SelectionStore::items() const {
    std::vector<SelItem> ordered;
    if (count_ == 0) return ordered;
    std::vector<SelItem> byInsertion;
    byInsertion.reserve(static_cast<size_t>(count_));
    forEachInInsertionOrder([&](SelItem s) { byInsertion.push_back(s); });
    // Stable counting sort by bucket: each chain keeps its insertion order.
    std::vector<int32_t> start(kBuckets + 1, 0);
    for (SelItem s : byInsertion) ++start[static_cast<size_t>(BucketOf(s.row, s.col)) + 1];
    for (int32_t b = 0; b < kBuckets; ++b) start[static_cast<size_t>(b) + 1] += start[static_cast<size_t>(b)];
    ordered.resize(byInsertion.size());
    for (SelItem s : byInsertion) ordered[static_cast<size_t>(start[static_cast<size_t>(BucketOf(s.row, s.col))]++)] = s;
    return ordered;
}

// ---- ordered and bounded queries ----

void SelectionStore::forEachSorted(int32_t minRow, int32_t maxRow, int32_t minCol, int32_t maxCol,
                                   const std::function<void(SelItem)>& f) const {
    if (count_ == 0) return;
    minRow = std::max(minRow, 1);
    minCol = std::max(minCol, 1);
    maxCol = std::min<int64_t>(maxCol, int64_t{bits_.wordsPerRow} * 64 - 1);
    if (minCol > maxCol) return;
    const int64_t lastRow = std::min<int64_t>(maxRow, static_cast<int64_t>(bits_.pages.size()) * kPageRows - 1);
    for (int64_t r64 = minRow; r64 <= lastRow; ++r64) {
        const int32_t r = static_cast<int32_t>(r64);
        const uint64_t* w = bits_.row(r);
        if (!w) { // skip the rest of an absent page
            r64 = (r64 / kPageRows + 1) * kPageRows - 1;
            continue;
        }
        for (int32_t wi = minCol / 64; wi <= maxCol / 64; ++wi) {
            uint64_t word = w[wi];
            while (word) {
                const int32_t c = wi * 64 + std::countr_zero(word);
                word &= word - 1;
                if (c >= minCol && c <= maxCol) f(SelItem{r, c});
            }
        }
    }
}

bool SelectionStore::anyInRows(int32_t lo, int32_t hi) const {
    bool any = false;
    if (count_ == 0 || lo > hi) return false;
    const int64_t lastRow = std::min<int64_t>(hi, static_cast<int64_t>(bits_.pages.size()) * kPageRows - 1);
    for (int64_t r64 = std::max(lo, 1); r64 <= lastRow && !any; ++r64) {
        const uint64_t* w = bits_.row(static_cast<int32_t>(r64));
        if (!w) {
            r64 = (r64 / kPageRows + 1) * kPageRows - 1;
            continue;
        }
        for (int32_t wi = 0; wi < bits_.wordsPerRow; ++wi) any = any || w[wi] != 0;
    }
    return any;
}

bool SelectionStore::anyInCols(int32_t lo, int32_t hi) const {
    bool any = false;
    if (count_ == 0 || lo > hi) return false;
    forEachSorted(1, INT32_MAX, lo, hi, [&](SelItem) { any = true; });
    return any;
}

bool SelectionStore::bounds(int32_t& minRow, int32_t& maxRow, int32_t& minCol, int32_t& maxCol) const {
    if (count_ == 0) return false;
    minRow = minCol = INT32_MAX;
    maxRow = maxCol = 0;
    std::vector<uint64_t> cols(static_cast<size_t>(bits_.wordsPerRow), 0);
    for (size_t p = 0; p < bits_.pages.size(); ++p) {
        if (!bits_.pages[p]) continue;
        for (int32_t i = 0; i < kPageRows; ++i) {
            const uint64_t* w = bits_.pages[p].get() + static_cast<size_t>(i) * static_cast<size_t>(bits_.wordsPerRow);
            bool any = false;
            for (int32_t wi = 0; wi < bits_.wordsPerRow; ++wi) {
                cols[static_cast<size_t>(wi)] |= w[wi];
                any = any || w[wi];
            }
            if (!any) continue;
            const int32_t r = static_cast<int32_t>(p) * kPageRows + i;
            minRow = std::min(minRow, r);
            maxRow = std::max(maxRow, r);
        }
    }
    for (int32_t wi = 0; wi < bits_.wordsPerRow; ++wi) {
        const uint64_t word = cols[static_cast<size_t>(wi)];
        if (!word) continue;
        minCol = std::min(minCol, wi * 64 + std::countr_zero(word));
        maxCol = std::max(maxCol, wi * 64 + 63 - std::countl_zero(word));
    }
    return true;
}

int32_t SelectionStore::remap(const std::function<bool(SelItem&)>& map) {
    std::vector<SelItem> live;
    live.reserve(static_cast<size_t>(count_));
    forEachInInsertionOrder([&](SelItem s) { live.push_back(s); });
    clear();
    int32_t dropped = 0;
    for (SelItem it : live) {
        if (!map(it) || !add(it.row, it.col)) ++dropped;
    }
    return dropped;
}

size_t SelectionStore::bytes() const {
    size_t n = sizeof(*this) + bits_.pages.capacity() * sizeof(bits_.pages[0]) + log_.capacity() * sizeof(Run);
    for (const auto& page : bits_.pages)
        if (page) n += static_cast<size_t>(kPageRows) * static_cast<size_t>(bits_.wordsPerRow) * sizeof(uint64_t);
    return n;
}

} // namespace lattix

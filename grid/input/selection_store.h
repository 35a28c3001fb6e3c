// The set of selected items: (row, column) pairs, or (row, 1) for a whole row in row mode.
//
// How it is kept. The published enumeration order of the set is that of a hash table of 1009
// chains: buckets ascending by (row x column) mod 1009, each chain in the order its pairs were
// added (a pair removed and added again goes to the end of its chain). Storing one chained node per
// pair would cost 12+ bytes and a cache miss per selected cell, so the store keeps two compact
// structures that together give the same order:
//
// - Membership: a bitset per row (one bit per column), in pages of 1024 rows that are allocated
//   when a pair in them is first added. Testing, adding and removing a pair are O(1); a grid of
//   1,000,000 x 11 selected cells takes 8 MB (under one byte per cell), a sparse selection only
//   the pages it touches.
// - Insertion order: a log of runs. A run is a block of rows x a range of columns added in row-major
//   order, so selecting whole rows one after another, or every cell of the grid, appends to one run.
//   Removing a pair only clears its bit; the log entry goes stale. The enumerator walks the log from
//   its newest entry (the last addition of a pair is the one that counts), then groups the pairs by
//   bucket with a stable counting sort. When stale entries outnumber live pairs the log is rebuilt
//   from the live pairs.
//
// So add/remove/contains are constant time, a full enumeration is linear, and Count is O(1).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lattix {

struct SelItem {
    int32_t row;
    int32_t col;
    bool operator==(const SelItem&) const = default;
};

class SelectionStore {
public:
    static constexpr int32_t kBuckets = 1009;

    SelectionStore() = default;
    SelectionStore(const SelectionStore&) = delete;
    SelectionStore& operator=(const SelectionStore&) = delete;

    // The bucket of a pair, in unsigned 64-bit arithmetic: large row and column numbers never give a
    // negative bucket.
    static int32_t BucketOf(int32_t row, int32_t col) {
        return static_cast<int32_t>((static_cast<uint64_t>(static_cast<uint32_t>(row)) *
                                     static_cast<uint64_t>(static_cast<uint32_t>(col))) %
                                    static_cast<uint64_t>(kBuckets));
    }

    int32_t count() const { return count_; }
    // Pairs with a row or column below 1 are never members.
    bool contains(int32_t row, int32_t col) const;
    // True when the pair was added (false when it was there already or is not a valid pair).
    bool add(int32_t row, int32_t col);
    // True when the pair was removed.
    bool remove(int32_t row, int32_t col);
    void clear();

    // Every pair in the published enumeration order (buckets ascending, each chain oldest first).
    std::vector<SelItem> items() const;
    // Every pair in the order of its latest addition (cheaper than items(); no bucket grouping).
    void forEachInInsertionOrder(const std::function<void(SelItem)>& f) const;
    // Every pair in row-major order (ascending row, then column) within the given bounds.
    void forEachSorted(int32_t minRow, int32_t maxRow, int32_t minCol, int32_t maxCol,
                       const std::function<void(SelItem)>& f) const;
    // True when some pair lies in rows lo..hi / columns lo..hi.
    bool anyInRows(int32_t lo, int32_t hi) const;
    bool anyInCols(int32_t lo, int32_t hi) const;
    // Lowest and highest row and column of the pairs (false when empty).
    bool bounds(int32_t& minRow, int32_t& maxRow, int32_t& minCol, int32_t& maxCol) const;

    // Rewrites every pair (in insertion order, which is kept); pairs for which `map` returns false
    // are dropped. Returns how many were dropped.
    int32_t remap(const std::function<bool(SelItem&)>& map);

    // Bytes held by the store (for the memory figures of the benchmarks).
    size_t bytes() const;

private:
    static constexpr int32_t kPageRows = 1024;
    struct Run {
        int32_t row0, row1, col0, col1; // rows row0..row1 x columns col0..col1, row-major
        int64_t size() const { return int64_t{row1 - row0 + 1} * (col1 - col0 + 1); }
    };

    // One bit per (row, column), in lazily allocated pages of kPageRows rows.
    struct PagedBits {
        int32_t wordsPerRow = 1;
        std::vector<std::unique_ptr<uint64_t[]>> pages;
        const uint64_t* row(int32_t r) const; // nullptr when the row's page is absent
        uint64_t* rowForWrite(int32_t r);
        bool test(int32_t r, int32_t c) const;
        void widenTo(int32_t words);
    };

    void appendToLog(int32_t row, int32_t col);
    void forEachLogged(const std::function<void(SelItem)>& f) const;
    void compactIfStale();

    PagedBits bits_;
    std::vector<Run> log_;
    int64_t stale_ = 0; // log entries that no longer stand for a pair's latest addition
    int32_t count_ = 0;
};

} // namespace lattix

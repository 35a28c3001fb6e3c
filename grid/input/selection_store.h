// The set of selected items: (row, column) pairs, or (row, 1) for a whole row in row mode.
//
// A hash table of 1009 chains whose nodes live in one growable array (node 0 unused, 0 = no node).
// The enumeration order (buckets ascending, each chain from its head) is what GetArray and
// GetString return when the items are not sorted.
#pragma once

#include <cstdint>
#include <functional>
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
    static constexpr int32_t kInitialNodes = 2048;
    static constexpr int32_t kGrowNodes = 1024;

    SelectionStore() { clear(); }

    int32_t count() const { return count_; }
    bool contains(int32_t row, int32_t col) const;
    // True when the pair was added (false when it was there already).
    bool add(int32_t row, int32_t col);
    // True when the pair was removed.
    bool remove(int32_t row, int32_t col);
    void clear();
    // In enumeration order.
    std::vector<SelItem> items() const;
    // Rewrites every pair; pairs for which `map` returns false are dropped. Returns how many dropped.
    int32_t remap(const std::function<bool(SelItem&)>& map);

private:
    struct Node {
        int32_t row = 0, col = 0, next = 0;
    };
    static int32_t bucketOf(int32_t row, int32_t col) {
        int64_t h = (static_cast<int64_t>(row) * col) % kBuckets;
        return static_cast<int32_t>(h < 0 ? h + kBuckets : h);
    }
    int32_t takeNode();

    std::vector<int32_t> heads_;
    std::vector<Node> nodes_;
    int32_t freeHead_ = 0;
    int32_t count_ = 0;
};

} // namespace lattix

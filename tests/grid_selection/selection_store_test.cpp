// The selection store against a literal chained hash table of 1009 buckets (the published order).
#include <gtest/gtest.h>

#include <list>
#include <random>

#include "grid/input/selection_store.h"

using lattix::SelectionStore;
using lattix::SelItem;

namespace {

// One chain per bucket, new pairs at the tail: the enumeration order the host relies on.
class ReferenceChains {
public:
    bool add(int32_t r, int32_t c) {
        auto& chain = chains_[bucket(r, c)];
        for (const SelItem& s : chain)
            if (s.row == r && s.col == c) return false;
        chain.push_back({r, c});
        return true;
    }
    bool remove(int32_t r, int32_t c) {
        auto& chain = chains_[bucket(r, c)];
        for (auto it = chain.begin(); it != chain.end(); ++it)
            if (it->row == r && it->col == c) {
                chain.erase(it);
                return true;
            }
        return false;
    }
    std::vector<SelItem> items() const {
        std::vector<SelItem> out;
        for (const auto& chain : chains_) out.insert(out.end(), chain.begin(), chain.end());
        return out;
    }

private:
    static size_t bucket(int32_t r, int32_t c) { return static_cast<size_t>((uint64_t(r) * uint64_t(c)) % 1009); }
    std::array<std::list<SelItem>, 1009> chains_;
};

} // namespace

TEST(SelectionStore, EnumeratesBucketsAscendingAndEachChainInInsertionOrder) {
    SelectionStore s;
    // (1,1009), (1009,1) and (2,1009) all fall into bucket 0; (2,3) is bucket 6, (3,1) bucket 3.
    s.add(2, 3);
    s.add(1009, 1);
    s.add(3, 1);
    s.add(1, 1009);
    s.add(2, 1009);
    EXPECT_EQ(s.items(), (std::vector<SelItem>{{1009, 1}, {1, 1009}, {2, 1009}, {3, 1}, {2, 3}}));
    // A pair removed and added again goes to the tail of its chain.
    EXPECT_TRUE(s.remove(1009, 1));
    EXPECT_FALSE(s.remove(1009, 1));
    EXPECT_TRUE(s.add(1009, 1));
    EXPECT_FALSE(s.add(1009, 1));
    EXPECT_EQ(s.items(), (std::vector<SelItem>{{1, 1009}, {2, 1009}, {1009, 1}, {3, 1}, {2, 3}}));
    EXPECT_EQ(s.count(), 5);
}

TEST(SelectionStore, BucketOfLargeNumbersIsNeverNegative) {
    // 70000 x 70000 overflows 32 bits; the bucket must still be the true product modulo 1009.
    EXPECT_EQ(SelectionStore::BucketOf(70000, 70000), static_cast<int32_t>((70000ull * 70000ull) % 1009));
    EXPECT_EQ(SelectionStore::BucketOf(INT32_MAX, INT32_MAX), static_cast<int32_t>((2147483647ull * 2147483647ull) % 1009));
    SelectionStore s;
    EXPECT_TRUE(s.add(70000, 70000));
    EXPECT_TRUE(s.add(INT32_MAX - 1, 200));
    EXPECT_TRUE(s.contains(70000, 70000));
    EXPECT_EQ(s.items().size(), 2u);
    // Pairs that are no cell are never members.
    EXPECT_FALSE(s.add(0, 0));
    EXPECT_FALSE(s.add(-5, 2));
    EXPECT_EQ(s.count(), 2);
}

TEST(SelectionStore, RandomOperationsMatchTheChainedTable) {
    std::mt19937 rng(1234);
    SelectionStore s;
    ReferenceChains ref;
    int32_t count = 0;
    for (int step = 0; step < 60000; ++step) {
        const int32_t r = 1 + static_cast<int32_t>(rng() % 3000), c = 1 + static_cast<int32_t>(rng() % 70);
        const int op = static_cast<int>(rng() % 10);
        if (op < 6) {
            const bool added = ref.add(r, c);
            ASSERT_EQ(s.add(r, c), added);
            count += added;
        } else if (op < 9) {
            const bool removed = ref.remove(r, c);
            ASSERT_EQ(s.remove(r, c), removed);
            count -= removed;
        } else {
            // Whole rows in a row, as SelectAll does.
            for (int32_t k = 1; k <= 11; ++k) {
                const bool added = ref.add(r, k);
                ASSERT_EQ(s.add(r, k), added);
                count += added;
            }
        }
        if (step % 5000 == 0) ASSERT_EQ(s.items(), ref.items()) << "step " << step;
    }
    EXPECT_EQ(s.count(), count);
    EXPECT_EQ(s.items(), ref.items());
}

TEST(SelectionStore, SortedWalkBoundsAndRemap) {
    SelectionStore s;
    for (int32_t r : {40, 7, 2000}) s.add(r, 3);
    s.add(7, 130); // a column beyond the first word of bits
    s.add(7, 1);
    std::vector<SelItem> sorted;
    s.forEachSorted(1, INT32_MAX, 1, INT32_MAX, [&](SelItem i) { sorted.push_back(i); });
    EXPECT_EQ(sorted, (std::vector<SelItem>{{7, 1}, {7, 3}, {7, 130}, {40, 3}, {2000, 3}}));
    int32_t r0, r1, c0, c1;
    ASSERT_TRUE(s.bounds(r0, r1, c0, c1));
    EXPECT_EQ((std::array<int32_t, 4>{r0, r1, c0, c1}), (std::array<int32_t, 4>{7, 2000, 1, 130}));
    EXPECT_TRUE(s.anyInRows(41, 2000));
    EXPECT_FALSE(s.anyInRows(41, 1999));
    EXPECT_TRUE(s.anyInCols(100, 200));
    EXPECT_FALSE(s.anyInCols(4, 129));
    // Rows from 40 on move down by 5; row 7 column 130 is dropped.
    const int32_t dropped = s.remap([](SelItem& i) {
        if (i.col == 130) return false;
        if (i.row >= 40) i.row += 5;
        return true;
    });
    EXPECT_EQ(dropped, 1);
    EXPECT_TRUE(s.contains(45, 3));
    EXPECT_TRUE(s.contains(2005, 3));
    EXPECT_FALSE(s.contains(40, 3));
    EXPECT_EQ(s.count(), 4);
}

TEST(SelectionStore, ABlockAddedRowByRowTakesLittleMemory) {
    SelectionStore s;
    for (int32_t r = 1; r <= 100000; ++r)
        for (int32_t c = 1; c <= 11; ++c) s.add(r, c);
    EXPECT_EQ(s.count(), 1100000);
    EXPECT_LT(s.bytes(), 1100000u); // under one byte per selected cell
    s.clear();
    EXPECT_EQ(s.count(), 0);
    EXPECT_TRUE(s.items().empty());
}

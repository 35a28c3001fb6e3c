// Long random sequences of valid and invalid calls. After each call: a failed call changed nothing,
// and the storage invariants hold.
#include "test_support.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

namespace lattix {
namespace {

struct Snapshot {
    int32_t rows, cols, cur_row, cur_col, groups, displayed;
    std::vector<int32_t> slots;
    std::vector<std::string> keys;
    std::vector<std::string> colKeys;
    std::vector<Variant> values;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const Lattix& g) {
    Snapshot s{g.RowCount(), g.ColCount(), g.CurRow(), g.CurCol(), g.GroupRowCount(), g.DisplayedRowCount(), {}, {}, {}, {}};
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        s.slots.push_back(g.Row(r).cellSlot);
        s.keys.push_back(g.Row(r).keyText());
        for (int32_t c = 1; c <= g.ColCount() + 1; ++c) s.values.push_back(g.Cell(r, c).value());
    }
    for (int32_t p = 1; p <= g.ColCount() + 1; ++p) s.colKeys.push_back(g.Column(p).key);
    return s;
}

void CheckInvariants(const Lattix& g) {
    // Slots in use plus queued slots are exactly 1..RowCount + queue length.
    std::vector<int32_t> all;
    for (int32_t r = 1; r <= g.RowCount(); ++r) all.push_back(g.Row(r).cellSlot);
    for (int32_t s : g.FreeSlots()) all.push_back(s);
    std::sort(all.begin(), all.end());
    for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i], static_cast<int32_t>(i + 1));
    ASSERT_LE(static_cast<int32_t>(all.size()), std::max(g.AllocatedRows(), 0));
    // Every key finds its row, and the index holds exactly the keyed rows.
    size_t keyed = 0;
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        if (g.Row(r).keyText().empty()) continue;
        ++keyed;
        ASSERT_EQ(g.RowIndex(g.Row(r).keyText()), r);
    }
    ASSERT_EQ(g.KeyIndex().size(), keyed);
    // The row text column is at ColCount + 1, indices are a permutation of 1..ColCount + 1.
    ASSERT_EQ(g.Column(g.ColCount() + 1).index, g.ColCount() + 1);
    std::set<int32_t> indices;
    for (int32_t p = 1; p <= g.ColCount() + 1; ++p) indices.insert(g.Column(p).index);
    ASSERT_EQ(indices.size(), static_cast<size_t>(g.ColCount() + 1));
    ASSERT_EQ(*indices.rbegin(), g.ColCount() + 1);
    ASSERT_EQ(g.Cells().columns(), g.ColCount() + 1);
    // Counts.
    int32_t displayed = 0, groups = 0;
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        displayed += g.Row(r).displayed();
        groups += g.Row(r).isGroup();
    }
    ASSERT_EQ(g.DisplayedRowCount(), displayed);
    ASSERT_EQ(g.GroupRowCount(), groups);
    ASSERT_TRUE(g.CurRow() >= 0 && g.CurRow() <= g.RowCount());
    ASSERT_TRUE(g.CurCol() >= 0 && g.CurCol() <= g.ColCount() + 1);
}

TEST(StorageRandomized, FailedCallsChangeNothingAndInvariantsHold) {
    std::mt19937 rng(20261208);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto g = Lattix::Create();
    g->SetMemMngWantFreeRows(pick(0, 5));
    int failures = 0, successes = 0;
    for (int step = 0; step < 6000; ++step) {
        Snapshot before = Take(*g);
        bool failed = false;
        auto key = [&] { return pick(0, 3) == 0 ? std::string() : "k" + std::to_string(pick(0, 40)); };
        auto rowAddress = [&]() -> Variant {
            switch (pick(0, 4)) {
            case 0: return Variant(pick(-1, g->RowCount() + 1));
            case 1: return Variant(pick(0, 2 * g->RowCount() + 2) / 2.0);
            case 2: return Variant(key());
            case 3: return Variant(true);
            default: return Variant::missing();
            }
        };
        try {
            switch (pick(0, 11)) {
            case 0: g->SetRowCount(pick(-2, 30)); break;
            case 1: g->SetColCount(pick(-1, 6)); break;
            case 2: {
                AddRowArgs a;
                a.sKey = key();
                a.vRowBefore = rowAddress();
                a.vRowParent = pick(0, 3) == 0 ? rowAddress() : Variant::missing();
                a.lCount = pick(-1, 3);
                a.bVisible = pick(0, 4) != 0;
                a.bGroupRow = pick(0, 5) == 0;
                a.bExpanded = pick(0, 3) != 0;
                a.lHeight = pick(0, 8) == 0 ? pick(-1, 40000) : -1;
                a.eTreeButton = pick(-1, 3);
                g->AddRow(a);
                break;
            }
            case 3: {
                AddColArgs a;
                a.sKey = pick(0, 1) ? std::string() : "c" + std::to_string(pick(0, 8));
                a.lCount = pick(-1, 2);
                a.vColBefore = pick(0, 1) ? Variant::missing() : Variant(pick(0, g->ColCount() + 2));
                a.lMinWidth = pick(-1, 30);
                a.lMaxWidth = pick(-1, 30);
                g->AddCol(a);
                break;
            }
            case 4: g->SetCellValue(rowAddress(), Variant(pick(0, g->ColCount() + 2)), Variant(pick(0, 1000) / 8.0)); break;
            case 5: g->SetCellValue(rowAddress(), Variant(pick(0, g->ColCount() + 2)), Variant("s" + std::to_string(pick(0, 9)))); break;
            case 6: g->SetRowKey(pick(0, g->RowCount() + 1), key()); break;
            case 7: g->SetCurRow(pick(-1, g->RowCount() + 1)); break;
            case 8: g->SetCurCol(pick(-1, g->ColCount() + 2)); break;
            case 9: g->SetColKey(pick(0, g->ColCount() + 2), pick(0, 1) ? std::string() : "c" + std::to_string(pick(0, 8))); break;
            case 10: g->SetStoreInitRowNumbers(pick(0, 3)); break;
            default: g->SetRowTag(rowAddress(), Variant(pick(0, 9))); break;
            }
            ++successes;
        } catch (const AutomationError&) {
            failed = true;
            ++failures;
        }
        if (failed) {
            Snapshot after = Take(*g);
            ASSERT_TRUE(after == before) << "a failed call changed the grid at step " << step;
        }
        ASSERT_NO_FATAL_FAILURE(CheckInvariants(*g)) << "step " << step;
    }
    EXPECT_GT(failures, 500);
    EXPECT_GT(successes, 2000);
}

} // namespace
} // namespace lattix

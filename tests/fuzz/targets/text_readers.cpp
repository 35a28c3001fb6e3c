// The readers of texts a host or the clipboard hands to the grid: tab-separated text, the two layout
// strings and JSON property bags. Each either reads its text or raises a published error; what it
// reads and writes back reads again as the same thing.
#include <algorithm>
#include <string>

#include "grid/input/tab_text.h"
#include "grid/lattix.h"
#include "grid/automation/error_table.h"
#include "grid/model/layout_text.h"
#include "grid/model/property_bag_json.h"
#include "runtime/automation_error.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/targets/target_functions.h"

namespace lattix::fuzz {
namespace {

std::string WriteTabTable(const TabTable& table) {
    std::string out;
    for (const auto& row : table.rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i) out += '\t';
            AppendTabField(out, row[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string WithoutCarriageReturns(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

bool SameShape(const TabTable& a, const TabTable& b) {
    if (a.rows.size() != b.rows.size() || a.columns != b.columns) return false;
    for (size_t r = 0; r < a.rows.size(); ++r)
        if (a.rows[r].size() != b.rows[r].size()) return false;
    return true;
}

} // namespace

void FuzzTabText(std::span<const uint8_t> data) {
    TabTable first = ReadTabText(AsText(data));
    size_t widest = 0;
    for (const auto& row : first.rows) {
        FUZZ_REQUIRE(!row.empty());
        widest = std::max(widest, row.size());
    }
    FUZZ_REQUIRE(widest == first.columns);
    // Written and read again, a table keeps its rows, its fields and their texts; only a lone CR
    // right before a line break inside a cell merges into that line break.
    TabTable second = ReadTabText(WriteTabTable(first));
    FUZZ_REQUIRE(SameShape(first, second));
    for (size_t r = 0; r < first.rows.size(); ++r)
        for (size_t c = 0; c < first.rows[r].size(); ++c)
            FUZZ_REQUIRE(WithoutCarriageReturns(first.rows[r][c]) == WithoutCarriageReturns(second.rows[r][c]));
}

void FuzzLayoutText(std::span<const uint8_t> data) {
    FuzzInput in(data);
    const bool sortString = in.Flag();
    const std::string text = in.Rest();
    try {
        LayoutText read = ReadLayoutText(text);
        for (const auto& t : read.triples) FUZZ_REQUIRE(t.name.find('|') == std::string::npos);
    } catch (const AutomationError& e) {
        FUZZ_REQUIRE(e.number() == LattixErrorNumber(lattix_error::kInvalidArgument));
    }
    // Applied to a grid: a text that raises changes nothing; one that is taken reads back as a
    // string that, applied again, changes nothing more.
    auto grid = Lattix::Create();
    grid->SetColCount(5);
    grid->SetRowCount(4);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 5; ++c) grid->SetCellValue(Variant(r), Variant(c), Variant((r * 7 + c * 3) % 5));
    auto get = [&] { return sortString ? grid->LayoutSort() : grid->LayoutCol(); };
    auto set = [&](const std::string& s) { sortString ? grid->SetLayoutSort(s) : grid->SetLayoutCol(s); };
    const std::string before = get();
    const std::string colsBefore = grid->LayoutCol();
    bool raised = false;
    try {
        set(text);
    } catch (const AutomationError&) {
        raised = true;
    }
    if (raised) {
        FUZZ_REQUIRE(get() == before);
        FUZZ_REQUIRE(grid->LayoutCol() == colsBefore);
        return;
    }
    const std::string after = get();
    set(after);
    FUZZ_REQUIRE(get() == after);
}

void FuzzPropertyBagJson(std::span<const uint8_t> data) {
    PropertyBag bag;
    try {
        bag = PropertyBagFromJson(AsText(data));
    } catch (const AutomationError& e) {
        FUZZ_REQUIRE(e.number() == LattixErrorNumber(lattix_error::kInvalidArgument));
        return;
    }
    const std::string json = PropertyBagToJson(bag);
    const PropertyBag again = PropertyBagFromJson(json);
    FUZZ_REQUIRE(again.size() == bag.size());
    FUZZ_REQUIRE(PropertyBagToJson(again) == json);
}

} // namespace lattix::fuzz

// Comparison of two rows by a list of sort criteria.
//
// Before a sort the comparator reads, once per row of the range, what each criterion compares: a
// class and a number for values (Null, Empty, numbers, texts, errors, objects), the folded or exact
// text for text criteria, an integer for attribute criteria. Events that supply those values
// (CellDynamicText, CellDynamicIcons, CustomGroupValue) are raised then, once per row. Only the
// custom criterion asks the host at comparison time (CustomSort). Comparisons are three-way on the
// stored keys, never by subtraction, and define a total order, so any sorting algorithm sees a
// consistent answer (a host's CustomSort answers are taken as they come; the merge sort copes).
//
// Rows are addressed by their positions; the rows do not move while the comparator is in use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "grid/ops/sort_criteria.h"
#include "runtime/variant.h"

namespace lattix {

class Lattix;

class RowComparator {
public:
    // Keys are read for the positions first..last. groupValues: criteria of type
    // lxSortByValueCustomGroups use the host's group values; groupValueCols limits that to the given
    // number of leading criteria (the grouping ones).
    RowComparator(Lattix& grid, const SortCriteria& criteria, int32_t first, int32_t last, bool groupValues = false,
                  int32_t groupValueCriteria = 0);

    // Negative when row a sorts before row b, in the criteria's orders.
    int compare(int32_t a, int32_t b) { return compareFrom(0, a, b); }
    // The same, deciding by criteria k0, k0 + 1, ... only.
    int compareFrom(size_t k0, int32_t a, int32_t b);
    // Sorts positions of the range (a stable sort). Where the leading criteria have a 64-bit image
    // that orders like the criterion, the images travel with the positions, so most comparisons
    // read no key array at all.
    void sortPositions(std::vector<int32_t>& positions);
    // The comparison of criterion k (0-based) alone, without its order.
    int compareItem(size_t k, int32_t a, int32_t b);
    size_t size() const { return keys_.size(); }
    // The host's text for a group value (CustomGroupValue sGroupText), empty when none.
    const std::string& groupText(size_t k, int32_t row) const;
    bool hasGroupTexts(size_t k) const { return !keys_[k].groupText.empty(); }

private:
    enum class Kind : uint8_t { None, General, Text, Integer, Custom };
    struct Keys {
        int32_t col = 0;
        bool desc = false;
        Kind kind = Kind::None;
        std::vector<uint8_t> cls;
        std::vector<double> num;
        std::vector<int64_t> exact;   // currency (scaled) or error codes; empty when none occur
        std::vector<std::string> text;
        std::vector<std::string> groupText;
    };
    void readGeneral(Keys& k, int32_t row, size_t i, const Variant& v);
    void readGeneralCell(Keys& k, int32_t row, size_t i);
    int compareGeneral(const Keys& k, size_t i, size_t j) const;
    int compareCustom(const Keys& k, int32_t a, int32_t b);
    // The 64-bit images of criterion k for every row (order applied); false when it has none.
    // exact: equal images mean the rows are equal by the criterion.
    bool buildImages(size_t k, std::vector<uint64_t>& out, bool& exact) const;

    Lattix& grid_;
    int32_t first_;
    size_t rows_;
    std::vector<Keys> keys_;
    int images_ = 0; // leading criteria with images (0..2)
    std::vector<uint64_t> image0_, image1_;
    bool exact0_ = false, exact1_ = false;
};

} // namespace lattix

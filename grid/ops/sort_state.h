// What a grid keeps for sorting and grouping: the three criteria objects and the grouping record.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "grid/objects/sort_group_object.h"

namespace lattix {

struct SortGroupState {
    std::shared_ptr<SortGroupObject> sort;      // SortObject: the sort criteria
    std::shared_ptr<SortGroupObject> group;     // GroupObject: the grouping criteria the host edits
    std::shared_ptr<SortGroupObject> effective; // the grouping criteria in effect
    int32_t criteriaInEffect = 0;
    bool scrollToCurRow = true;
    bool prefixGroupValues = true;
    bool allowGrouping = true;
    int sorting = 0;          // > 0 while a sort run is in progress
    bool groupingSort = false; // the sort in progress is part of grouping

    // Grouping record (see grid/ops/grouping.cpp).
    int32_t groupDepth = 0;                 // levels the data rows were moved down by grouping
    std::vector<int32_t> orderBeforeGroup;  // cell slots of the rows, in order, before grouping
    std::vector<uint8_t> flagsBeforeGroup;  // by cell slot: 1 + the row's visible-as-child flag
    bool restoreOrder = false;              // no sort has reordered the data rows since grouping
};

} // namespace lattix

// Finds rows by key. Keys compare ordinally (row keys are case-sensitive).
//
// The index maps each key to the cell slot of its row; the slot travels with the row record, so
// inserting, removing, moving and sorting rows never rewrites the index. The position of a slot is
// looked up in a table that is rebuilt only after rows have changed places.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "grid/model/row_table.h"

namespace lattix {

class RowKeyIndex {
public:
    explicit RowKeyIndex(const RowTable& rows) : rows_(rows) {}

    size_t size() const { return slotByKey_.size(); }
    bool contains(const std::string& key) const { return slotByKey_.count(key) != 0; }
    // Position of the row with that key, 0 when none (also for the empty key).
    int32_t find(const std::string& key) const;

    void insert(const std::string& key, int32_t slot) { slotByKey_.emplace(key, slot); }
    void remove(const std::string& key) { slotByKey_.erase(key); }
    void clear() {
        slotByKey_.clear();
        positionsValid_ = false;
    }
    // Empties the index and enters every row that has a key.
    void rebuild();

    // Rows have changed places (inserted in the middle, removed, moved, sorted).
    void positionsChanged() { positionsValid_ = false; }
    // A row was appended at position pos: the position table stays valid.
    void appended(int32_t slot, int32_t pos) {
        if (!positionsValid_) return;
        if (static_cast<size_t>(slot) >= positionOfSlot_.size()) positionOfSlot_.resize(static_cast<size_t>(slot) + 1, 0);
        positionOfSlot_[static_cast<size_t>(slot)] = pos;
    }

private:
    void refreshPositions() const;

    const RowTable& rows_;
    std::unordered_map<std::string, int32_t> slotByKey_;
    mutable std::vector<int32_t> positionOfSlot_;
    mutable bool positionsValid_ = false;
};

} // namespace lattix

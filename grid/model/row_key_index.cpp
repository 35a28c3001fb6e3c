#include "grid/model/row_key_index.h"

namespace lattix {

int32_t RowKeyIndex::find(const std::string& key) const {
    if (key.empty()) return 0;
    auto it = slotByKey_.find(key);
    if (it == slotByKey_.end()) return 0;
    refreshPositions();
    size_t slot = static_cast<size_t>(it->second);
    return slot < positionOfSlot_.size() ? positionOfSlot_[slot] : 0;
}

void RowKeyIndex::refreshPositions() const {
    if (positionsValid_) return;
    int32_t maxSlot = 0;
    for (int32_t r = 1; r <= rows_.count(); ++r) maxSlot = std::max(maxSlot, rows_[r].cellSlot);
    positionOfSlot_.assign(static_cast<size_t>(maxSlot) + 1, 0);
    for (int32_t r = 1; r <= rows_.count(); ++r) positionOfSlot_[static_cast<size_t>(rows_[r].cellSlot)] = r;
    positionsValid_ = true;
}

void RowKeyIndex::rebuild() {
    slotByKey_.clear();
    for (int32_t r = 1; r <= rows_.count(); ++r)
        if (rows_[r].key) slotByKey_.emplace(*rows_[r].key, rows_[r].cellSlot);
    positionsValid_ = false;
}

} // namespace lattix

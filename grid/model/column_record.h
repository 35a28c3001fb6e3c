// One column: a record in display order. Its index addresses its cells and does not change when the
// columns are reordered.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "grid/model/cell_record.h"
#include "runtime/variant.h"

namespace lattix {

class CellObject;

struct ColumnRecord {
    int32_t width = 64;
    int32_t left = 0;
    int32_t index = 0;
    int32_t visibleIndex = 0;
    std::string key;
    std::string keyLower;
    Variant tag;
    std::string headerText;
    int16_t headerIcon = 0;
    bool allowSizing = true;
    int32_t headerAlignH = 0;
    int32_t headerAlignV = 0;
    int32_t headerTextFlags = 32768;
    int32_t sortType = 0;
    std::shared_ptr<CellObject> defaultCellObject;
    CellRecord defaultCell;
    int32_t minWidth = -1;
    int32_t maxWidth = -1;
    int32_t sortKey = 0;
    int32_t sortOrder = 0;
    int32_t sortOrderDefault = 0;
    int32_t headerBackColor = -1;
    int32_t headerForeColor = -1;
    bool visible = true;
    bool inHeader = true;
    // Occupies horizontal space in the view (shown, and not scrolled off while columns are frozen).
    bool laidOut = true;
};

} // namespace lattix

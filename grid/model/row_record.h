// One row: a fixed-size record in display order. Its cells stay in CellStorage at its cell slot.
//
// The record is trivially copyable so that inserting, removing and moving rows moves records as
// blocks. The key and the tag are owned through pointers that the row table releases.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/variant.h"

namespace lattix {

namespace row_flags {
inline constexpr uint8_t kTreeButtonMask = 0x03; // ERowTreeButton
inline constexpr uint8_t kVisible = 0x04;
inline constexpr uint8_t kGroup = 0x08;
inline constexpr uint8_t kExpanded = 0x10;
inline constexpr uint8_t kVisibleAsChild = 0x20;
inline constexpr uint8_t kFirstDrawn = 0x40; // painted at least once (BeforeRowFirstDraw raised)
} // namespace row_flags

struct RowRecord {
    int16_t height = 0;
    int16_t normalCellHeight = 0;
    int32_t top = 0;
    int32_t visibleIndex = 0;
    int32_t cellSlot = 0;
    std::string* key = nullptr; // nullptr: no key
    Variant* tag = nullptr;     // nullptr: Empty
    uint8_t flags = 0;
    uint8_t level = 0;

    bool displayed() const {
        return height > 0 && (flags & row_flags::kVisible) && (flags & row_flags::kVisibleAsChild);
    }
    bool isGroup() const { return flags & row_flags::kGroup; }
    const std::string& keyText() const {
        static const std::string none;
        return key ? *key : none;
    }
};

static_assert(std::is_trivially_copyable_v<RowRecord>);

} // namespace lattix

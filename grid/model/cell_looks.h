// The attributes a cell seldom sets (colours, icons, alignment, indents, font and format), kept once per
// distinct combination in a process-wide table; a cell holds the 4-byte number of its combination.
//
// Most cells of a grid look alike, so a few entries serve millions of cells and a cell record stays
// small. Entries are never changed or removed: a cell that changes its looks takes the number of the
// new combination, which is found or added. Equal looks always have the same number, so two cells look
// alike exactly when their numbers are equal. Number 0 is the look of a new cell.
//
// The table may be used from any thread: adding takes a lock, reading an entry does not (entries never
// move once written).
#pragma once

#include <cstdint>

namespace lattix {

struct CellLooks {
    int32_t backColor = -1;
    int32_t foreColor = -1;
    int32_t textFlags = 0;
    int16_t icon = 0;
    int16_t extraIcon = 0;
    uint16_t fontIndex = 0;
    int16_t comboIndex = 0;
    uint8_t imageLists = 0; // low nibble: image list, high nibble: extra image list
    uint8_t alignment = 0;  // see cell_bits
    uint8_t indentLeft = 0;
    uint8_t indentRight = 0;
    uint8_t indentTop = 0;
    uint8_t indentBottom = 0;
    uint8_t checkPos = 0;
    uint8_t fmtIndex = 0;

    bool operator==(const CellLooks&) const = default;
};
static_assert(sizeof(CellLooks) == 28, "no padding, so that equal looks hash alike");

namespace looks_table {

inline constexpr int kChunkBits = 12;
inline constexpr uint32_t kChunkSize = 1u << kChunkBits;

// Chunks of entries; a chunk is written before any number in it is handed out.
extern const CellLooks* const* chunks;

// The looks numbered `id` (a number Intern returned, or 0).
inline const CellLooks& At(uint32_t id) { return chunks[id >> kChunkBits][id & (kChunkSize - 1)]; }

// The number of `looks`, added when new. Throws std::bad_alloc when the table cannot grow.
uint32_t Intern(const CellLooks& looks);

} // namespace looks_table

} // namespace lattix

// Identifiers of the events raised by sorting and grouping (position in the published event list + 1).
#pragma once

#include "grid/lattix.h"

namespace lattix::event_id {
// kCellDynamicIcons (7) comes with grid/lattix.h.
inline constexpr DispId kBeforeContentsSorted = 22;
inline constexpr DispId kAfterContentsSorted = 23;
inline constexpr DispId kBeforeContentsGrouped = 24;
inline constexpr DispId kAfterContentsGrouped = 25;
inline constexpr DispId kCustomSort = 37;
inline constexpr DispId kAfterAutoGroupRowCreated = 86;
inline constexpr DispId kCustomGroupValue = 87;
} // namespace lattix::event_id

// The enumerations packed into a cell record, with the checks their setters apply: a value outside
// its enumeration would spill into the neighbouring bits, so it is rejected with error 514.
#pragma once

#include <cstdint>

#include "runtime/variant.h"

namespace lattix {

namespace cell_type {
inline constexpr int32_t kText = 0;      // lxCellText
inline constexpr int32_t kCombo = 1;     // lxCellCombo
inline constexpr int32_t kTextCombo = 2; // lxCellTextCombo
inline constexpr int32_t kCustomDraw = 3;
inline bool IsComboType(int32_t t) { return t == kCombo || t == kTextCombo; }
} // namespace cell_type

namespace dynamic_events {
inline constexpr int32_t kCellFormatting = 1;
inline constexpr int32_t kCellIcons = 2;
inline constexpr int32_t kCellText = 4;
inline constexpr int32_t kRowFormatting = 8;
} // namespace dynamic_events

inline constexpr int32_t kHatchNone = 7;
inline constexpr int32_t kTextEndEllipsis = 32768;

// Each raises error 514 for a value outside its enumeration.
void CheckCellType(int32_t v);      // 0..3
void CheckAlignH(int32_t v);        // 0..2
void CheckAlignV(int32_t v);        // 0..2
void CheckIconToText(int32_t v);    // 0..3
void CheckHatch(int32_t v);         // 0..5, 7
void CheckTypeFlags(int32_t v);     // any combination of 16, 32, 64
void CheckCheckState(int32_t v);    // 0..2
void CheckCheckPos(int32_t v);      // 0..4
void CheckImageListNumber(int32_t v); // 0..15

// The initial value of a cell type: the empty string for text and text-combo cells, Empty for combo
// and custom-drawn cells; error 514 for any other number.
Variant InitValueOf(int32_t cellType);

} // namespace lattix

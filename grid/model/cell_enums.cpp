#include "grid/model/cell_enums.h"

#include "grid/automation/error_table.h"

namespace lattix {

namespace {
void checkRange(int32_t v, int32_t lo, int32_t hi) {
    if (v < lo || v > hi) RaiseLattixError(lattix_error::kInvalidArgument);
}
} // namespace

void CheckCellType(int32_t v) { checkRange(v, 0, 3); }
void CheckAlignH(int32_t v) { checkRange(v, 0, 2); }
void CheckAlignV(int32_t v) { checkRange(v, 0, 2); }
void CheckIconToText(int32_t v) { checkRange(v, 0, 3); }
void CheckCheckState(int32_t v) { checkRange(v, 0, 2); }
void CheckCheckPos(int32_t v) { checkRange(v, 0, 4); }
void CheckImageListNumber(int32_t v) { checkRange(v, 0, 15); }

void CheckHatch(int32_t v) {
    if (v == 6) RaiseLattixError(lattix_error::kInvalidArgument);
    checkRange(v, 0, 7);
}

void CheckTypeFlags(int32_t v) {
    if ((v & ~(16 | 32 | 64)) != 0) RaiseLattixError(lattix_error::kInvalidArgument);
}

Variant InitValueOf(int32_t cellType) {
    CheckCellType(cellType);
    if (cellType == cell_type::kText || cellType == cell_type::kTextCombo) return Variant(std::string());
    return Variant();
}

} // namespace lattix

#include "grid/automation/error_table.h"

#include "runtime/automation_error.h"

namespace lattix {

std::string LattixErrorMessage(int code) {
    switch (code) {
    case 513: return "Subscript out of range.";
    case 514: return "Invalid procedure call or argument.";
    case 515: return "This key is already associated with an element of this collection.";
    case 516: return "Attempt to use more than 255 format strings.";
    case 518: return "This method expects an ImageList object or a long hImageList handle.";
    case 519: return "Column maximum width can not be less than its minimum width.";
    case 520: return "Column width can not be less than its minimum width or greater than its maximum width.";
    case 522: return "Illegal operation.";
    case 523: return "Out of memory.";
    case 524: return "Invalid hierarchy structure.";
    case 526: return "Cannot create system timer.";
    case 527: return "The limit of timers exceeded.";
    case 528: return runtime_error_number::kWrongThreadMessage;
    default: return {};
    }
}

static_assert(0x80040000u + lattix_error::kWrongThread == static_cast<uint32_t>(runtime_error_number::kWrongThread));

int32_t LattixErrorNumber(int code) { return static_cast<int32_t>(0x80040000u + static_cast<uint32_t>(code)); }

void RaiseLattixError(int code) { throw AutomationError(LattixErrorNumber(code), "Lattix", LattixErrorMessage(code)); }

} // namespace lattix

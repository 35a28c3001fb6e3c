#include "grid/objects/owned_object.h"

#include "grid/automation/error_table.h"

namespace lattix {

Lattix& OwnedObject::requireGrid() const {
    if (!grid_) RaiseLattixError(lattix_error::kIllegalOperation);
    return *grid_;
}

} // namespace lattix

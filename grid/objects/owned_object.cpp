#include "grid/owned_object.h"

#include "grid/lattix_error.h"

namespace lattix {

Lattix& OwnedObject::requireGrid() const {
    if (!grid_) RaiseLattixError(lattix_error::kIllegalOperation);
    return *grid_;
}

} // namespace lattix

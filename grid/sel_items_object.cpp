#include "grid/sel_items_object.h"

#include "grid/lattix.h"

namespace lattix {

int32_t SelItemsObject::Count() const { return requireGrid().Selection().count(); }

} // namespace lattix

#include "grid/header_object.h"

#include "grid/lattix.h"

namespace lattix {

int32_t HeaderObject::Height() const { return requireGrid().HeaderHeight(); }
void HeaderObject::SetHeight(int32_t h) { requireGrid().SetHeaderHeight(h); }

} // namespace lattix

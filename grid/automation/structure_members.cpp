// Published members that remove, clear and move rows and columns.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void BindStructureMembers(ClassBinder& b) {
    using L = Lattix;
    b.bind<L>("RemoveCol", [](L& g, InvokeKind, Args& a) {
        const int32_t count = ArgI32(a[1]);
        g.RemoveCol(a[0], count);
        return Variant();
    });
    b.bind<L>("RemoveRow", [](L& g, InvokeKind, Args& a) {
        const int32_t count = ArgI32(a[1]);
        g.RemoveRow(a[0], count);
        return Variant();
    });
    b.bind<L>("Clear", [](L& g, InvokeKind, Args& a) {
        g.Clear(ArgBool(a[0]));
        return Variant();
    });
    b.bind<L>("MoveRow", [](L& g, InvokeKind, Args& a) {
        const int32_t count = ArgI32(a[2]);
        const int32_t mode = ArgI32(a[3]);
        g.MoveRow(a[0], a[1], count, mode);
        return Variant();
    });
}

} // namespace lattix

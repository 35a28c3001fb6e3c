// Published members that exchange cell values with host arrays.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void BindArrayMembers(ClassBinder& b) {
    using L = Lattix;
    b.bind<L>("LoadFromArray", [](L& g, InvokeKind, Args& a) {
        const bool colMajor = ArgBool(a[3]);
        g.LoadFromArray(a[0], a[1], a[2], colMajor);
        return Variant();
    });
    b.bind<L>("LoadIntoArray", [](L& g, InvokeKind, Args& a) {
        const bool colMajor = ArgBool(a[3]);
        g.LoadIntoArray(a[0], a[1], a[2], colMajor);
        return Variant();
    });
}

} // namespace lattix

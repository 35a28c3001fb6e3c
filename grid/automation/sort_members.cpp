// Published members of sorting and grouping.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/sort_group_object.h"

namespace lattix {

void BindSortMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("SortObject", [](L& g, Args&) { return ObjectResult(g.SortObject()); });
    b.property<L>("GroupObject", [](L& g, Args&) { return ObjectResult(g.GroupObject()); });
    b.property<L>("AllowSorting", [](L& g, Args&) { return Variant(g.AllowSorting()); },
                  [](L& g, Args&, const Variant& v) { g.SetAllowSorting(ArgBool(v)); });
    b.property<L>("SortScrollToCurRow", [](L& g, Args&) { return Variant(g.SortScrollToCurRow()); },
                  [](L& g, Args&, const Variant& v) { g.SetSortScrollToCurRow(ArgBool(v)); });
    b.property<L>("PrefixGroupValues", [](L& g, Args&) { return Variant(g.PrefixGroupValues()); },
                  [](L& g, Args&, const Variant& v) { g.SetPrefixGroupValues(ArgBool(v)); });
    b.property<L>("AllowGrouping", [](L& g, Args&) { return Variant(g.AllowGrouping()); },
                  [](L& g, Args&, const Variant& v) { g.SetAllowGrouping(ArgBool(v)); });
    b.bind<L>("Sort", [](L& g, InvokeKind, Args& a) {
        g.Sort(a[0].deref(), a[1].deref(), a[2].deref());
        return Variant();
    });
    b.bind<L>("DoDefaultSort", [](L& g, InvokeKind, Args& a) {
        const int32_t shift = ArgI32(a[1]);
        const int32_t order = ArgI32(a[2]);
        g.DoDefaultSort(a[0].deref(), shift, order, a[3].deref(), a[4].deref());
        return Variant();
    });
    b.bind<L>("SortRowChildNodes", [](L& g, InvokeKind, Args& a) {
        g.SortRowChildNodes(a[0].deref());
        return Variant();
    });
    b.bind<L>("Group", [](L& g, InvokeKind, Args&) {
        g.Group();
        return Variant();
    });
    b.bind<L>("Ungroup", [](L& g, InvokeKind, Args&) {
        g.Ungroup();
        return Variant();
    });
    b.bind<L>("ResetEffectiveGroupObject", [](L& g, InvokeKind, Args&) {
        g.ResetEffectiveGroupObject();
        return Variant();
    });
}

} // namespace lattix

#include "grid/objects/sort_group_object.h"

#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void SortGroupObject::AddItem(const Variant& vCol, int32_t eSortOrder, int32_t eSortType) {
    const int32_t col = requireGrid().ResolveColIndex(vCol);
    criteria_.add(col, eSortOrder, eSortType);
}

int32_t SortGroupObject::FindCol(const Variant& vCol) const {
    return criteria_.find(requireGrid().ResolveColIndex(vCol));
}

const TypeInfo& SortGroupObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("SortGroupObject", "_SortGroupObject");
        ClassBinder b(ti, "SortGroupObject");
        using S = SortGroupObject;
        b.property<S>("ColCount", [](S& o, Args&) { return Variant(o.ColCount()); },
                      [](S& o, Args&, const Variant& v) { o.SetColCount(ArgI32(v)); });
        b.property<S>("SortCol", [](S& o, Args& a) { return Variant(o.SortCol(ArgI32(a[0]))); },
                      [](S& o, Args& a, const Variant& v) { o.SetSortCol(ArgI32(a[0]), ArgI32(v)); });
        b.property<S>("SortOrder", [](S& o, Args& a) { return Variant(o.SortOrder(ArgI32(a[0]))); },
                      [](S& o, Args& a, const Variant& v) { o.SetSortOrder(ArgI32(a[0]), ArgI32(v)); });
        b.property<S>("SortType", [](S& o, Args& a) { return Variant(o.SortType(ArgI32(a[0]))); },
                      [](S& o, Args& a, const Variant& v) { o.SetSortType(ArgI32(a[0]), ArgI32(v)); });
        b.bind<S>("Clear", [](S& o, InvokeKind, Args&) {
            o.Clear();
            return Variant();
        });
        b.bind<S>("AddItem", [](S& o, InvokeKind, Args& a) {
            const int32_t order = ArgI32(a[1]);
            const int32_t type = ArgI32(a[2]);
            o.AddItem(a[0].deref(), order, type);
            return Variant();
        });
        b.bind<S>("FindCol", [](S& o, InvokeKind, Args& a) { return Variant(o.FindCol(a[0].deref())); });
        b.bind<S>("RemoveItem", [](S& o, InvokeKind, Args& a) {
            o.RemoveItem(ArgI32(a[0]));
            return Variant();
        });
        return ti;
    }();
    return info;
}

} // namespace lattix

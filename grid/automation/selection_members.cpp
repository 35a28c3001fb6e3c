// Published members of the current cell and selection family, and the SelItemsObject class.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/sel_items_object.h"

namespace lattix {

namespace {
using L = Lattix;

template <class Get, class Set> void gridBool(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args&) { return Variant((g.*get)()); },
                  [set](L& g, Args&, const Variant& v) { (g.*set)(ArgBool(v)); });
}

template <class F> void method(ClassBinder& b, const char* name, F f) {
    b.bind<L>(name, [f](L& g, InvokeKind, Args& a) {
        f(g, a);
        return Variant();
    });
}

// The four optional in-out limits of GetArray and GetString: read, then written back through the
// caller's slots after the call.
struct Limits {
    std::array<int32_t, 4> v{-1, -1, -1, -1};
    explicit Limits(Args& a) {
        for (size_t i = 0; i < 4 && i < a.size(); ++i)
            if (!a[i].deref().isOmitted()) v[i] = ArgI32(a[i].deref());
    }
    void writeBack(Args& a) const {
        for (size_t i = 0; i < 4 && i < a.size(); ++i)
            if (a[i].isByRef() && a[i].slot()) *a[i].slot() = Variant(v[i]);
    }
};
} // namespace

void BindSelectionMembers(ClassBinder& b) {
    method(b, "SetCurCell", [](L& g, Args& a) { g.SetCurCell(a[0].deref(), a[1].deref()); });
    b.property<L>("CellSelected", [](L& g, Args& a) { return Variant(g.CellSelected(a[0], a[1])); },
                  [](L& g, Args& a, const Variant& v) { g.SetCellSelected(a[0], a[1], ArgBool(v)); });
    gridBool(b, "MultiSelect", &L::MultiSelect, &L::SetMultiSelect);
    gridBool(b, "RowMode", &L::RowMode, &L::SetRowMode);
    gridBool(b, "FullRowSelect", &L::FullRowSelect, &L::SetFullRowSelect);
    gridBool(b, "DragSelect", &L::DragSelect, &L::SetDragSelect);
    method(b, "ClearSelection", [](L& g, Args&) { g.ClearSelection(); });
    method(b, "SelectAll", [](L& g, Args&) { g.SelectAll(); });
    method(b, "InvertSelection", [](L& g, Args&) { g.InvertSelection(); });
}

const TypeInfo& SelItemsObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("SelItemsObject", "_SelItemsObject");
        ClassBinder b(ti, "SelItemsObject");
        using S = SelItemsObject;
        b.property<S>("Count", [](S& o, Args&) { return Variant(o.Count()); });
        b.property<S>("Sorted", [](S& o, Args&) { return Variant(o.Sorted()); },
                      [](S& o, Args&, const Variant& v) { o.SetSorted(ArgBool(v)); });
        // An array of TSelItemInfo crosses as a two-dimensional array (1..Count, 1..2): Row, then Col.
        b.bind<S>("GetArray", [](S& o, InvokeKind, Args& a) {
            Limits l(a);
            const std::vector<TSelItemInfo> items = o.GetArray(l.v[0], l.v[1], l.v[2], l.v[3]);
            l.writeBack(a);
            if (items.empty()) return Variant(SafeArray::make2D(1, 0, 1, 2));
            ArrayRef arr = SafeArray::make2D(1, static_cast<int32_t>(items.size()), 1, 2);
            for (size_t i = 0; i < items.size(); ++i) {
                arr->at(static_cast<int32_t>(i) + 1, 1) = Variant(items[i].Row);
                arr->at(static_cast<int32_t>(i) + 1, 2) = Variant(items[i].Col);
            }
            return Variant(arr);
        });
        b.bind<S>("GetString", [](S& o, InvokeKind, Args& a) {
            Limits l(a);
            std::string s = o.GetString(l.v[0], l.v[1], l.v[2], l.v[3]);
            l.writeBack(a);
            return Variant(std::move(s));
        });
        return ti;
    }();
    return info;
}

} // namespace lattix

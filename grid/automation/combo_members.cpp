// Published members of the drop-down lists: Combos on the grid, and the CombosObject and ComboObject
// classes.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/combo_objects.h"
#include "grid/objects/font_object.h"

namespace lattix {

void BindComboMembers(ClassBinder& b) {
    b.property<Lattix>("Combos", [](Lattix& g, Args&) { return ObjectResult(g.Combos()); });
}

const TypeInfo& CombosObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("CombosObject", "_CombosObject");
        ClassBinder b(ti, "CombosObject");
        using C = CombosObject;
        b.property<C>("Count", [](C& o, Args&) { return Variant(o.Count()); });
        b.property<C>("Items", [](C& o, Args& a) { return ObjectResult(o.Items(a[0])); });
        b.bind<C>("Add", [](C& o, InvokeKind, Args& a) { return ObjectResult(o.Add(ArgStr(a[0]))); });
        b.bind<C>("Remove", [](C& o, InvokeKind, Args& a) {
            o.Remove(a[0]);
            return Variant();
        });
        b.bind<C>("Clear", [](C& o, InvokeKind, Args&) {
            o.Clear();
            return Variant();
        });
        return ti;
    }();
    return info;
}

const TypeInfo& ComboObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("ComboObject", "_ComboObject");
        ClassBinder b(ti, "ComboObject");
        using C = ComboObject;
        b.property<C>("MaxHeightInItems", [](C& o, Args&) { return Variant(o.MaxHeightInItems()); },
                      [](C& o, Args&, const Variant& v) { o.SetMaxHeightInItems(ArgI32(v)); });
        b.property<C>("Width", [](C& o, Args&) { return Variant(o.Width()); },
                      [](C& o, Args&, const Variant& v) { o.SetWidth(ArgI32(v)); });
        b.property<C>("AutoExpand", [](C& o, Args&) { return Variant(o.AutoExpand()); },
                      [](C& o, Args&, const Variant& v) { o.SetAutoExpand(ArgBool(v)); });
        b.property<C>("ListCount", [](C& o, Args&) { return Variant(o.ListCount()); });
        b.property<C>("Font", [](C& o, Args&) { return ObjectResult(o.Font()); },
                      [](C& o, Args&, const Variant& v) { o.SetFont(FontFromVariant(v)); });
        b.property<C>("ItemIcon", [](C& o, Args& a) { return Variant(o.ItemIcon(ArgI32(a[0]))); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemIcon(ArgI32(a[0]), ArgI16(v)); });
        b.property<C>("ItemText", [](C& o, Args& a) { return Variant(o.ItemText(ArgI32(a[0]))); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemText(ArgI32(a[0]), ArgStr(v)); });
        b.property<C>("ItemValue", [](C& o, Args& a) { return o.ItemValue(ArgI32(a[0])); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemValue(ArgI32(a[0]), v); });
        b.property<C>("ValueIndex", [](C& o, Args& a) { return Variant(o.ValueIndex(a[0])); });
        b.bind<C>("FillFromRS", [](C& o, InvokeKind, Args& a) {
            o.FillFromRS(RecordSetArg(a[0]), a[1].deref(), a[2].deref());
            return Variant();
        });
        b.bind<C>("Clear", [](C& o, InvokeKind, Args&) {
            o.Clear();
            return Variant();
        });
        b.bind<C>("AddItem", [](C& o, InvokeKind, Args& a) {
            const Variant& icon = a[2].deref();
            o.AddItem(ArgStr(a[0]), a[1].deref(), icon.isOmitted() ? int16_t{0} : ArgI16(icon), ArgI32(a[3]));
            return Variant();
        });
        b.bind<C>("RemoveItem", [](C& o, InvokeKind, Args& a) {
            o.RemoveItem(ArgI32(a[0]));
            return Variant();
        });
        b.bind<C>("AutoAdjustWidth", [](C& o, InvokeKind, Args&) {
            o.AutoAdjustWidth();
            return Variant();
        });
        b.bind<C>("SetImageList", [](C& o, InvokeKind, Args& a) {
            o.SetImageList(a[0]);
            return Variant();
        });
        return ti;
    }();
    return info;
}

} // namespace lattix

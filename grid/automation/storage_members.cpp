// Published members of the storage, addressing and frame families.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/aggr_funcs_object.h"
#include "grid/objects/cell_object.h"
#include "grid/objects/context_menu_items_object.h"
#include "grid/objects/header_object.h"
#include "grid/objects/sel_items_object.h"
#include "runtime/automation_error.h"

namespace lattix {

void BindStorageMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("ColCount", [](L& g, Args&) { return Variant(g.ColCount()); },
                  [](L& g, Args&, const Variant& v) { g.SetColCount(ArgI32(v)); });
    b.property<L>("RowCount", [](L& g, Args&) { return Variant(g.RowCount()); },
                  [](L& g, Args&, const Variant& v) { g.SetRowCount(ArgI32(v)); });
    b.property<L>("RowTextCol", [](L& g, Args&) { return Variant(g.RowTextCol()); });
    b.property<L>("MemMngWantFreeRows", [](L& g, Args&) { return Variant(g.MemMngWantFreeRows()); },
                  [](L& g, Args&, const Variant& v) { g.SetMemMngWantFreeRows(ArgI32(v)); });
    b.property<L>("StoreInitRowNumbers", [](L& g, Args&) { return Variant(g.StoreInitRowNumbers()); },
                  [](L& g, Args&, const Variant& v) { g.SetStoreInitRowNumbers(ArgI32(v)); });
    b.bind<L>("AddCol", [](L& g, InvokeKind, Args& a) {
        AddColArgs x;
        // Convert every argument before the call, so a conversion error changes nothing.
        x.sKey = a[0].isMissing() ? std::string() : ArgStr(a[0]);
        x.sHeader = a[1].isMissing() ? std::string() : ArgStr(a[1]);
        x.lWidth = ArgI32(a[2]);
        x.eHeaderAlignH = ArgI32(a[3]);
        x.eHeaderAlignV = ArgI32(a[4]);
        x.eHeaderTextFlags = ArgI32(a[5]);
        x.iHeaderIcon = ArgI16(a[6]);
        x.bVisible = ArgBool(a[7]);
        x.vColBefore = a[8].deref();
        x.eSortType = ArgI32(a[9]);
        x.eSortOrderDefault = ArgI32(a[10]);
        x.lMinWidth = ArgI16(a[11]);
        x.lMaxWidth = ArgI16(a[12]);
        x.bAllowSizing = ArgBool(a[13]);
        x.vTag = a[14].deref();
        x.lCount = ArgI32(a[15]);
        return ObjectResult(g.AddCol(x));
    });
    b.bind<L>("AddRow", [](L& g, InvokeKind, Args& a) {
        AddRowArgs x;
        x.sKey = a[0].isMissing() ? std::string() : ArgStr(a[0]);
        x.vRowBefore = a[1].deref();
        x.bVisible = ArgBool(a[2]);
        x.lHeight = ArgI32(a[3]);
        x.bGroupRow = ArgBool(a[4]);
        x.vRowParent = a[5].deref();
        x.bExpanded = ArgBool(a[6]);
        x.btLevel = ArgI32(a[7]);
        if (x.btLevel < 0 || x.btLevel > 255) RaiseOverflow();
        x.eTreeButton = ArgI32(a[8]);
        x.bVisibleAsChild = ArgBool(a[9]);
        x.vTag = a[10].deref();
        x.lCount = ArgI32(a[11]);
        return Variant(g.AddRow(x));
    });
    b.bind<L>("RowIndex", [](L& g, InvokeKind, Args& a) { return Variant(g.RowIndex(ArgStr(a[0]))); });
    b.property<L>("ColIndex", [](L& g, Args& a) { return Variant(g.ColIndex(ArgStr(a[0]))); });
    b.property<L>("RowKey", [](L& g, Args& a) { return Variant(g.RowKey(ArgI32(a[0]))); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowKey(ArgI32(a[0]), ArgStr(v)); });
    b.property<L>("ColKey", [](L& g, Args& a) { return Variant(g.ColKey(ArgI32(a[0]))); },
                  [](L& g, Args& a, const Variant& v) { g.SetColKey(ArgI32(a[0]), ArgStr(v)); });
    b.property<L>("RowTag", [](L& g, Args& a) { return g.RowTag(a[0]); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowTag(a[0], v); });
    b.property<L>("ColTag", [](L& g, Args& a) { return g.ColTag(a[0]); },
                  [](L& g, Args& a, const Variant& v) { g.SetColTag(a[0], v); });
    b.property<L>("CellValue", [](L& g, Args& a) { return g.CellValue(a[0], a[1]); },
                  [](L& g, Args& a, const Variant& v) { g.SetCellValue(a[0], a[1], v); });
    b.property<L>("ColDefaultCell", [](L& g, Args& a) { return ObjectResult(g.ColDefaultCell(a[0])); });
    b.property<L>("CurRow", [](L& g, Args&) { return Variant(g.CurRow()); },
                  [](L& g, Args&, const Variant& v) { g.SetCurRow(ArgI32(v)); });
    b.property<L>("CurCol", [](L& g, Args&) { return Variant(g.CurCol()); },
                  [](L& g, Args&, const Variant& v) { g.SetCurCol(ArgI32(v)); });
    b.property<L>("UIStrings", [](L& g, Args& a) { return Variant(g.UIStrings(ArgI32(a[0]))); },
                  [](L& g, Args& a, const Variant& v) { g.SetUIStrings(ArgI32(a[0]), ArgStr(v)); });
    b.bind<L>("Supports", [](L& g, InvokeKind, Args& a) { return Variant(g.Supports(ArgI32(a[0]))); });
    b.property<L>("IsUnicode", [](L& g, Args&) { return Variant(g.IsUnicode()); });
    b.bind<L>("Sys", [](L& g, InvokeKind, Args& a) { return g.Sys(ArgI32(a[0])); });
    b.property<L>("Header", [](L& g, Args&) { return ObjectResult(g.Header()); });
    b.property<L>("AggrFuncs", [](L& g, Args&) { return ObjectResult(g.AggrFuncs()); });
    b.property<L>("SelItems", [](L& g, Args&) { return ObjectResult(g.SelItems()); });
    b.property<L>("ContextMenuCustomItems",
                  [](L& g, Args& a) { return ObjectResult(g.ContextMenuCustomItems(ArgI32(a[0]))); });
    b.bind<L>("BeginUpdate", [](L& g, InvokeKind, Args&) {
        g.BeginUpdate();
        return Variant();
    });
    b.bind<L>("EndUpdate", [](L& g, InvokeKind, Args&) {
        g.EndUpdate();
        return Variant();
    });
    b.property<L>("BeginUpdateCount", [](L& g, Args&) { return Variant(g.BeginUpdateCount()); });
}

const TypeInfo& AggrFuncsObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("AggrFuncsObject", "_AggrFuncsObject");
        ClassBinder b(ti, "AggrFuncsObject");
        using A = AggrFuncsObject;
        b.property<A>("ItemCount", [](A& o, Args&) { return Variant(o.ItemCount()); },
                      [](A& o, Args&, const Variant& v) { o.SetItemCount(ArgI32(v)); });
        b.property<A>("AggrCol", [](A& o, Args& a) { return Variant(o.AggrCol(ArgI32(a[0]))); },
                      [](A& o, Args& a, const Variant& v) { o.SetAggrCol(ArgI32(a[0]), ArgI32(v)); });
        b.property<A>("AggrFunc", [](A& o, Args& a) { return Variant(o.AggrFunc(ArgI32(a[0]))); },
                      [](A& o, Args& a, const Variant& v) { o.SetAggrFunc(ArgI32(a[0]), ArgI32(v)); });
        b.bind<A>("Clear", [](A& o, InvokeKind, Args&) {
            o.Clear();
            return Variant();
        });
        b.bind<A>("AddItem", [](A& o, InvokeKind, Args& a) {
            o.AddItem(a[0], ArgI32(a[1]));
            return Variant();
        });
        b.bind<A>("RemoveItem", [](A& o, InvokeKind, Args& a) {
            o.RemoveItem(ArgI32(a[0]));
            return Variant();
        });
        return ti;
    }();
    return info;
}

const TypeInfo& ContextMenuItemsObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("ContextMenuItemsObject", "_ContextMenuItemsObject");
        ClassBinder b(ti, "ContextMenuItemsObject");
        using C = ContextMenuItemsObject;
        b.property<C>("Count", [](C& o, Args&) { return Variant(o.Count()); });
        b.property<C>("ItemCaption", [](C& o, Args& a) { return Variant(o.ItemCaption(ArgI32(a[0]))); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemCaption(ArgI32(a[0]), ArgStr(v)); });
        b.property<C>("ItemEnabled", [](C& o, Args& a) { return Variant(o.ItemEnabled(ArgI32(a[0]))); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemEnabled(ArgI32(a[0]), ArgBool(v)); });
        b.property<C>("ItemChecked", [](C& o, Args& a) { return Variant(o.ItemChecked(ArgI32(a[0]))); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemChecked(ArgI32(a[0]), ArgBool(v)); });
        b.property<C>("ItemTag", [](C& o, Args& a) { return o.ItemTag(ArgI32(a[0])); },
                      [](C& o, Args& a, const Variant& v) { o.SetItemTag(ArgI32(a[0]), v); });
        b.bind<C>("Add", [](C& o, InvokeKind, Args& a) {
            o.Add(ArgStr(a[0]), ArgBool(a[1]), ArgBool(a[2]), a[3].deref());
            return Variant();
        });
        b.bind<C>("Remove", [](C& o, InvokeKind, Args& a) {
            o.Remove(ArgI32(a[0]));
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

const TypeInfo& CellObject::typeInfo() const { return ClassTypeInfo(); }

const TypeInfo& CellObject::ClassTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo ti("CellObject", "_CellObject");
        ClassBinder b(ti, "CellObject");
        BindCellObjectMembers(b);
        return ti;
    }();
    return info;
}

} // namespace lattix

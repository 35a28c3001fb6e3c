// Published members of the column family.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void BindColumnMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("ColWidth", [](L& g, Args& a) { return Variant(g.ColWidth(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColWidth(a[0], ArgI32(v)); });
    b.property<L>("ColMinWidth", [](L& g, Args& a) { return Variant(g.ColMinWidth(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColMinWidth(a[0], ArgI32(v)); });
    b.property<L>("ColMaxWidth", [](L& g, Args& a) { return Variant(g.ColMaxWidth(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColMaxWidth(a[0], ArgI32(v)); });
    b.property<L>("ColAllowSizing", [](L& g, Args& a) { return Variant(g.ColAllowSizing(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColAllowSizing(a[0], ArgBool(v)); });
    b.property<L>("ColHeaderText", [](L& g, Args& a) { return Variant(g.ColHeaderText(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderText(a[0], ArgStr(v)); });
    b.property<L>("ColHeaderIcon", [](L& g, Args& a) { return Variant(g.ColHeaderIcon(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderIcon(a[0], ArgI16(v)); });
    b.property<L>("ColHeaderTextFlags", [](L& g, Args& a) { return Variant(g.ColHeaderTextFlags(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderTextFlags(a[0], ArgI32(v)); });
    b.property<L>("ColHeaderAlignH", [](L& g, Args& a) { return Variant(g.ColHeaderAlignH(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderAlignH(a[0], ArgI32(v)); });
    b.property<L>("ColHeaderAlignV", [](L& g, Args& a) { return Variant(g.ColHeaderAlignV(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderAlignV(a[0], ArgI32(v)); });
    b.property<L>("ColHeaderBackColor", [](L& g, Args& a) { return Variant(g.ColHeaderBackColor(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderBackColor(a[0], ArgColor(v)); });
    b.property<L>("ColHeaderForeColor", [](L& g, Args& a) { return Variant(g.ColHeaderForeColor(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColHeaderForeColor(a[0], ArgColor(v)); });
    b.property<L>("ColSortType", [](L& g, Args& a) { return Variant(g.ColSortType(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColSortType(a[0], ArgI32(v)); });
    b.property<L>("ColSortOrderDefault", [](L& g, Args& a) { return Variant(g.ColSortOrderDefault(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColSortOrderDefault(a[0], ArgI32(v)); });
    b.property<L>("ColSortOrder", [](L& g, Args& a) { return Variant(g.ColSortOrder(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColSortOrder(a[0], ArgI32(v)); });
    b.property<L>("LayoutCol", [](L& g, Args&) { return Variant(g.LayoutCol()); },
                  [](L& g, Args&, const Variant& v) { g.SetLayoutCol(ArgStr(v)); });
    b.property<L>("LayoutSort", [](L& g, Args&) { return Variant(g.LayoutSort()); },
                  [](L& g, Args&, const Variant& v) { g.SetLayoutSort(ArgStr(v)); });
    b.property<L>("ColSortKey", [](L& g, Args& a) { return Variant(g.ColSortKey(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColSortKey(a[0], ArgI32(v)); });
    b.property<L>("ColVisible", [](L& g, Args& a) { return Variant(g.ColVisible(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColVisible(a[0], ArgBool(v)); });
    b.property<L>("ColVisibleIndex", [](L& g, Args& a) { return Variant(g.ColVisibleIndex(a[0])); });
    b.property<L>("ColPos", [](L& g, Args& a) { return Variant(g.ColPos(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetColPos(a[0], ArgI32(v)); });
    b.bind<L>("ColFromPos", [](L& g, InvokeKind, Args& a) { return Variant(g.ColFromPos(ArgI32(a[0]))); });
    b.bind<L>("SetColWidths", [](L& g, InvokeKind, Args& a) {
        const int32_t width = ArgI16(a[0]);
        g.SetColWidths(width, a[1].deref(), a[2].deref());
        return Variant();
    });
    b.bind<L>("ResizeColToFillSpace", [](L& g, InvokeKind, Args& a) {
        g.ResizeColToFillSpace(a[0]);
        return Variant();
    });
    b.property<L>("FrozenCols", [](L& g, Args&) { return Variant(g.FrozenCols()); },
                  [](L& g, Args&, const Variant& v) { g.SetFrozenCols(ArgI32(v)); });
    b.property<L>("FrozenColsEdgeWidth", [](L& g, Args&) { return Variant(g.FrozenColsEdgeWidth()); },
                  [](L& g, Args&, const Variant& v) { g.SetFrozenColsEdgeWidth(ArgI32(v)); });
    b.property<L>("FrozenColsEdgeColor", [](L& g, Args&) { return Variant(g.FrozenColsEdgeColor()); },
                  [](L& g, Args&, const Variant& v) { g.SetFrozenColsEdgeColor(ArgColor(v)); });
    b.property<L>("FrozenColsEdgeDrawAlways", [](L& g, Args&) { return Variant(g.FrozenColsEdgeDrawAlways()); },
                  [](L& g, Args&, const Variant& v) { g.SetFrozenColsEdgeDrawAlways(ArgBool(v)); });
    b.property<L>("AutoColHeaderTextTemplate", [](L& g, Args&) { return Variant(g.AutoColHeaderTextTemplate()); },
                  [](L& g, Args&, const Variant& v) { g.SetAutoColHeaderTextTemplate(ArgStr(v)); });
}

} // namespace lattix

// Published members of the row hierarchy family: levels, expansion, visibility, heights and the
// tree settings.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void BindHierarchyMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("RowLevel", [](L& g, Args& a) { return Variant(static_cast<uint8_t>(g.RowLevel(a[0]))); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowLevel(a[0], ToByte(v)); });
    b.property<L>("RowParent", [](L& g, Args& a) { return Variant(g.RowParent(a[0])); });
    b.property<L>("RowLastNested", [](L& g, Args& a) { return Variant(g.RowLastNested(a[0])); });
    b.property<L>("RowChildCount", [](L& g, Args& a) { return Variant(g.RowChildCount(a[0])); });
    b.property<L>("RowHasChildren", [](L& g, Args& a) { return Variant(g.RowHasChildren(a[0])); });
    b.property<L>("RowExpanded", [](L& g, Args& a) { return Variant(g.RowExpanded(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowExpanded(a[0], ArgBool(v)); });
    b.property<L>("RowVisible", [](L& g, Args& a) { return Variant(g.RowVisible(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowVisible(a[0], ArgBool(v)); });
    b.property<L>("RowVisibleAsChild", [](L& g, Args& a) { return Variant(g.RowVisibleAsChild(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowVisibleAsChild(a[0], ArgBool(v)); });
    b.property<L>("RowTreeButton", [](L& g, Args& a) { return Variant(g.RowTreeButton(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowTreeButton(a[0], ArgI32(v)); });
    b.property<L>("RowIsGroup", [](L& g, Args& a) { return Variant(g.RowIsGroup(a[0])); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowIsGroup(a[0], ArgBool(v)); });
    b.property<L>("RowVisibleIndex", [](L& g, Args& a) { return Variant(g.RowVisibleIndex(a[0])); });
    b.property<L>("RowHeight", [](L& g, Args& a) { return Variant(static_cast<int16_t>(g.RowHeight(a[0]))); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowHeight(a[0], ArgI16(v)); });
    b.property<L>("RowNormalCellHeight",
                  [](L& g, Args& a) { return Variant(static_cast<int16_t>(g.RowNormalCellHeight(a[0]))); },
                  [](L& g, Args& a, const Variant& v) { g.SetRowNormalCellHeight(a[0], ArgI16(v)); });
    b.bind<L>("SetRowHeights", [](L& g, InvokeKind, Args& a) {
        const int16_t h = ArgI16(a[0]);
        g.SetRowHeights(h, a[1].deref(), a[2].deref());
        return Variant();
    });
    b.bind<L>("CollapseAllChildRows", [](L& g, InvokeKind, Args& a) {
        g.CollapseAllChildRows(a[0]);
        return Variant();
    });
    b.bind<L>("ExpandAllChildRows", [](L& g, InvokeKind, Args& a) {
        g.ExpandAllChildRows(a[0]);
        return Variant();
    });
    b.bind<L>("CollapseAllRows", [](L& g, InvokeKind, Args&) {
        g.CollapseAllRows();
        return Variant();
    });
    b.bind<L>("ExpandAllRows", [](L& g, InvokeKind, Args&) {
        g.ExpandAllRows();
        return Variant();
    });
    b.property<L>("TreeCol", [](L& g, Args&) { return Variant(g.TreeCol()); },
                  [](L& g, Args&, const Variant& v) { g.SetTreeCol(ArgI32(v)); });
    b.property<L>("LevelIndent", [](L& g, Args&) { return Variant(g.LevelIndent()); },
                  [](L& g, Args&, const Variant& v) { g.SetLevelIndent(ArgI32(v)); });
    b.property<L>("TreeButtonSize", [](L& g, Args&) { return Variant(g.TreeButtonSize()); },
                  [](L& g, Args&, const Variant& v) { g.SetTreeButtonSize(ArgI32(v)); });
    b.property<L>("AddRowAutoTreeButton", [](L& g, Args&) { return Variant(g.AddRowAutoTreeButton()); },
                  [](L& g, Args&, const Variant& v) { g.SetAddRowAutoTreeButton(ArgBool(v)); });
    b.property<L>("DefaultRowHeight",
                  [](L& g, Args&) { return Variant(static_cast<int16_t>(g.DefaultRowHeight())); },
                  [](L& g, Args&, const Variant& v) { g.SetDefaultRowHeight(ArgI16(v)); });
    b.property<L>("DefaultRowNormalCellHeight",
                  [](L& g, Args&) { return Variant(static_cast<int16_t>(g.DefaultRowNormalCellHeight())); },
                  [](L& g, Args&, const Variant& v) { g.SetDefaultRowNormalCellHeight(ArgI16(v)); });
    b.property<L>("DefaultAutoGroupRowExpanded", [](L& g, Args&) { return Variant(g.DefaultAutoGroupRowExpanded()); },
                  [](L& g, Args&, const Variant& v) { g.SetDefaultAutoGroupRowExpanded(ArgBool(v)); });
}

} // namespace lattix

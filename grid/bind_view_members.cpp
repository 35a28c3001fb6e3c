// Published members of the geometry family: positions, hit testing, ensure-visible, automatic
// sizing, text measuring and the view settings they depend on.
#include "grid/dispatch_binder.h"
#include "grid/lattix.h"
#include "grid/lattix_bindings.h"

namespace lattix {

namespace {
// Writes a result through an argument passed by reference; a by-value argument is left alone.
void SetOut(Variant& arg, Variant value) {
    if (arg.isByRef() && arg.slot()) *arg.slot() = std::move(value);
}
} // namespace

void BindViewMembers(ClassBinder& b) {
    using L = Lattix;
    b.bind<L>("CellFromPoint", [](L& g, InvokeKind, Args& a) {
        const int32_t x = ArgI32(a[0]), y = ArgI32(a[1]);
        int32_t row = 0, col = 0;
        g.CellFromPoint(x, y, row, col);
        SetOut(a[2], Variant(row));
        SetOut(a[3], Variant(col));
        return Variant();
    });
    b.property<L>("RowStartY", [](L& g, Args& a) { return Variant(g.RowStartY(a[0])); });
    b.property<L>("ColStartX", [](L& g, Args& a) { return Variant(g.ColStartX(a[0])); });

    b.property<L>("GridLines", [](L& g, Args&) { return Variant(g.GridLines()); },
                  [](L& g, Args&, const Variant& v) { g.SetGridLines(ArgI32(v)); });
    b.property<L>("GridLinesExtend", [](L& g, Args&) { return Variant(g.GridLinesExtend()); },
                  [](L& g, Args&, const Variant& v) { g.SetGridLinesExtend(ArgI32(v)); });
    b.property<L>("GridLineThicknessH", [](L& g, Args&) { return Variant(g.GridLineThicknessH()); },
                  [](L& g, Args&, const Variant& v) { g.SetGridLineThicknessH(ArgI32(v)); });
    b.property<L>("GridLineThicknessV", [](L& g, Args&) { return Variant(g.GridLineThicknessV()); },
                  [](L& g, Args&, const Variant& v) { g.SetGridLineThicknessV(ArgI32(v)); });
    b.property<L>("FocusRect", [](L& g, Args&) { return Variant(g.FocusRect()); },
                  [](L& g, Args&, const Variant& v) { g.SetFocusRect(ArgBool(v)); });
    b.property<L>("DrawRowText", [](L& g, Args&) { return Variant(g.DrawRowText()); },
                  [](L& g, Args&, const Variant& v) { g.SetDrawRowText(ArgBool(v)); });
    b.property<L>("RowTextStartCol", [](L& g, Args&) { return Variant(g.RowTextStartCol()); },
                  [](L& g, Args&, const Variant& v) { g.SetRowTextStartCol(ArgI32(v)); });
    b.property<L>("BorderType", [](L& g, Args&) { return Variant(g.BorderType()); },
                  [](L& g, Args&, const Variant& v) { g.SetBorderType(ArgI32(v)); });
    b.property<L>("Editable", [](L& g, Args&) { return Variant(g.Editable()); },
                  [](L& g, Args&, const Variant& v) { g.SetEditable(ArgBool(v)); });
    b.property<L>("ShowControlsInAllCells", [](L& g, Args&) { return Variant(g.ShowControlsInAllCells()); },
                  [](L& g, Args&, const Variant& v) { g.SetShowControlsInAllCells(ArgBool(v)); });
    b.property<L>("AutoWidthColWithHeader", [](L& g, Args&) { return Variant(g.AutoWidthColWithHeader()); },
                  [](L& g, Args&, const Variant& v) { g.SetAutoWidthColWithHeader(ArgBool(v)); });
    b.property<L>("EnsureVisibleAutoHScroll", [](L& g, Args&) { return Variant(g.EnsureVisibleAutoHScroll()); },
                  [](L& g, Args&, const Variant& v) { g.SetEnsureVisibleAutoHScroll(ArgBool(v)); });
    b.property<L>("EnsureVisibleAutoVScroll", [](L& g, Args&) { return Variant(g.EnsureVisibleAutoVScroll()); },
                  [](L& g, Args&, const Variant& v) { g.SetEnsureVisibleAutoVScroll(ArgBool(v)); });
}

} // namespace lattix

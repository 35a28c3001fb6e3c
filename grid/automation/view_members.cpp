// Published members of the geometry family: positions, hit testing, ensure-visible, automatic
// sizing, text measuring and the view settings they depend on.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/font_object.h"
#include "runtime/automation_error.h"

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
    b.bind<L>("HitTest", [](L& g, InvokeKind, Args& a) {
        const int32_t x = ArgI32(a[0]), y = ArgI32(a[1]), row = ArgI32(a[2]), col = ArgI32(a[3]);
        return Variant(g.HitTest(x, y, row, col));
    });
    for (const char* name : {"CellBoundary", "CellTextBoundary"}) {
        const bool text = name[4] == 'T';
        b.bind<L>(name, [text](L& g, InvokeKind, Args& a) {
            const gfx::Rect r = text ? g.CellTextBoundary(a[0], a[1]) : g.CellBoundary(a[0], a[1]);
            SetOut(a[2], Variant(int32_t{r.left}));
            SetOut(a[3], Variant(int32_t{r.top}));
            SetOut(a[4], Variant(int32_t{r.width()}));
            SetOut(a[5], Variant(int32_t{r.height()}));
            return Variant();
        });
    }
    b.bind<L>("EnsureVisibleRow", [](L& g, InvokeKind, Args& a) {
        const int32_t mode = ArgI32(a[1]), gap = ArgI32(a[2]);
        g.EnsureVisibleRow(a[0], mode, gap);
        return Variant();
    });
    b.bind<L>("EnsureVisibleCol", [](L& g, InvokeKind, Args& a) {
        const int32_t mode = ArgI32(a[1]), gap = ArgI32(a[2]);
        g.EnsureVisibleCol(a[0], mode, gap);
        return Variant();
    });
    b.bind<L>("EnsureVisibleCell", [](L& g, InvokeKind, Args& a) {
        g.EnsureVisibleCell(a[0], a[1]);
        return Variant();
    });
    b.bind<L>("AutoWidthCol", [](L& g, InvokeKind, Args& a) {
        const int32_t lo = ArgI32(a[1]), hi = ArgI32(a[2]), filter = ArgI32(a[3]);
        g.AutoWidthCol(a[0], lo, hi, filter);
        return Variant();
    });
    b.bind<L>("AutoWidthCols", [](L& g, InvokeKind, Args& a) {
        const bool all = ArgBool(a[2]);
        const int32_t lo = ArgI32(a[3]), hi = ArgI32(a[4]), filter = ArgI32(a[5]);
        g.AutoWidthCols(a[0].deref(), a[1].deref(), all, lo, hi, filter);
        return Variant();
    });
    b.bind<L>("AutoHeightRow", [](L& g, InvokeKind, Args& a) {
        const int32_t lo = ArgI32(a[1]), hi = ArgI32(a[2]), filter = ArgI32(a[3]);
        g.AutoHeightRow(a[0], lo, hi, filter);
        return Variant();
    });
    b.bind<L>("AutoHeightRows", [](L& g, InvokeKind, Args& a) {
        const bool all = ArgBool(a[2]);
        const int32_t lo = ArgI32(a[3]), hi = ArgI32(a[4]), filter = ArgI32(a[5]);
        g.AutoHeightRows(a[0].deref(), a[1].deref(), all, lo, hi, filter);
        return Variant();
    });
    b.bind<L>("GetOptimalCellHeight", [](L& g, InvokeKind, Args& a) {
        const int32_t lines = ArgI32(a[0]), list = ArgI32(a[1]), extraList = ArgI32(a[2]), iconToText = ArgI32(a[3]);
        const bool check = ArgBool(a[4]);
        const int32_t checkPos = ArgI32(a[5]);
        const bool combo = ArgBool(a[6]);
        const int32_t top = ArgI32(a[7]), bottom = ArgI32(a[8]);
        // The font: an object, or 0 / Nothing for the grid's font.
        const Variant& f = a[9].deref();
        std::shared_ptr<FontObject> font = f.type() == VarType::Object ? FontFromVariant(f) : nullptr;
        if (!font && f.type() != VarType::Object && ArgI32(f) != 0) RaiseTypeMismatch();
        const bool line = ArgBool(a[10]);
        return Variant(g.GetOptimalCellHeight(lines, list, extraList, iconToText, check, checkPos, combo, top, bottom,
                                              font, line));
    });
    b.property<L>("EvaluateTextWidth", [](L& g, Args& a) { return Variant(g.EvaluateTextWidth(a[0], a[1])); });
    b.property<L>("EvaluateTextHeight", [](L& g, Args& a) { return Variant(g.EvaluateTextHeight(a[0], a[1])); });
    b.bind<L>("IsCellTextClipped", [](L& g, InvokeKind, Args& a) {
        const bool partly = ArgBool(a[2]);
        return Variant(g.IsCellTextClipped(a[0], a[1], partly));
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

// Published members of the keyboard and in-place editing families.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void BindEditMembers(ClassBinder& b) {
    using L = Lattix;
    b.bind<L>("RequestEditCurCell", [](L& g, InvokeKind, Args& a) {
        g.RequestEditCurCell(ArgI32(a[0]), ArgBool(a[1]));
        return Variant();
    });
    b.bind<L>("CommitEditCurCell", [](L& g, InvokeKind, Args&) {
        g.CommitEditCurCell();
        return Variant();
    });
    b.bind<L>("CancelEditCurCell", [](L& g, InvokeKind, Args&) {
        g.CancelEditCurCell();
        return Variant();
    });
    b.property<L>("IsEditing", [](L& g, Args&) { return Variant(g.IsEditing()); });
    b.property<L>("TextEditHwnd", [](L& g, Args&) { return Variant(static_cast<int32_t>(g.TextEditHwnd())); });
    b.property<L>("TextEditText", [](L& g, Args&) { return Variant(g.TextEditText()); },
                  [](L& g, Args&, const Variant& v) { g.SetTextEditText(ArgStr(v)); });
    b.property<L>("TextEditSelStart", [](L& g, Args&) { return Variant(g.TextEditSelStart()); },
                  [](L& g, Args&, const Variant& v) { g.SetTextEditSelStart(ArgI32(v)); });
    b.property<L>("TextEditSelLength", [](L& g, Args&) { return Variant(g.TextEditSelLength()); },
                  [](L& g, Args&, const Variant& v) { g.SetTextEditSelLength(ArgI32(v)); });
    b.property<L>("TextEditSelText", [](L& g, Args&) { return Variant(g.TextEditSelText()); },
                  [](L& g, Args&, const Variant& v) { g.SetTextEditSelText(ArgStr(v)); });
    b.property<L>("SilentValidation", [](L& g, Args&) { return Variant(g.SilentValidation()); },
                  [](L& g, Args&, const Variant& v) { g.SetSilentValidation(ArgBool(v)); });
    b.property<L>("AllowGroupRowEditing", [](L& g, Args&) { return Variant(g.AllowGroupRowEditing()); },
                  [](L& g, Args&, const Variant& v) { g.SetAllowGroupRowEditing(ArgBool(v)); });
}

void BindKeyboardMembers(ClassBinder& b) {
    using L = Lattix;
    b.bind<L>("DoKeyboardCommand", [](L& g, InvokeKind, Args& a) {
        const int16_t key = ArgI16(a[0]);
        const int16_t shift = a.size() > 1 && !a[1].deref().isMissing() ? ArgI16(a[1]) : int16_t{0};
        g.DoKeyboardCommand(key, shift);
        return Variant();
    });
    b.bind<L>("FindSearchMatchRow", [](L& g, InvokeKind, Args& a) {
        const std::string text = ArgStr(a[1]);
        const bool loop = ArgBool(a[3]), matchCase = ArgBool(a[5]);
        const int32_t mode = ArgI32(a[4]), visibility = ArgI32(a[6]);
        return Variant(g.FindSearchMatchRow(a[0].deref(), text, a[2].deref(), loop, mode, matchCase, visibility));
    });
    b.property<L>("UseTabKey", [](L& g, Args&) { return Variant(g.UseTabKey()); },
                  [](L& g, Args&, const Variant& v) { g.SetUseTabKey(ArgBool(v)); });
    b.property<L>("KeyPressBehaviour", [](L& g, Args&) { return Variant(g.KeyPressBehaviour()); },
                  [](L& g, Args&, const Variant& v) { g.SetKeyPressBehaviour(ArgI32(v)); });
    b.property<L>("KeySearchCol", [](L& g, Args&) { return Variant(g.KeySearchCol()); },
                  [](L& g, Args&, const Variant& v) { g.SetKeySearchCol(ArgI32(v)); });
    b.property<L>("KeySearchFromCurRow", [](L& g, Args&) { return Variant(g.KeySearchFromCurRow()); },
                  [](L& g, Args&, const Variant& v) { g.SetKeySearchFromCurRow(ArgBool(v)); });
    b.property<L>("KeySearchLoop", [](L& g, Args&) { return Variant(g.KeySearchLoop()); },
                  [](L& g, Args&, const Variant& v) { g.SetKeySearchLoop(ArgBool(v)); });
    b.property<L>("SearchString", [](L& g, Args&) { return Variant(g.SearchString()); },
                  [](L& g, Args&, const Variant& v) { g.SetSearchString(ArgStr(v)); });
    b.property<L>("SkipNonSelectableCells", [](L& g, Args&) { return Variant(g.SkipNonSelectableCells()); },
                  [](L& g, Args&, const Variant& v) { g.SetSkipNonSelectableCells(ArgBool(v)); });
    b.property<L>("BrowseAllNonFrozenCols", [](L& g, Args&) { return Variant(g.BrowseAllNonFrozenCols()); },
                  [](L& g, Args&, const Variant& v) { g.SetBrowseAllNonFrozenCols(ArgBool(v)); });
    b.property<L>("CopyPasteEnabled", [](L& g, Args&) { return Variant(g.CopyPasteEnabled()); },
                  [](L& g, Args&, const Variant& v) { g.SetCopyPasteEnabled(ArgBool(v)); });
}

} // namespace lattix

// Published members of the control frame: record sets, focus, the About box, diagnostics and drag
// and drop.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/error_table.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/model/record_set.h"

namespace lattix {

// The record set an RS argument holds; error 514 for anything else.
RecordSet& RecordSetArg(const Variant& v) {
    const Variant& d = v.deref();
    RecordSet* rs = d.isObject() ? dynamic_cast<RecordSet*>(d.object().get()) : nullptr;
    if (!rs) RaiseLattixError(lattix_error::kInvalidArgument);
    return *rs;
}

void BindFrameMembers(ClassBinder& b) {
    using L = Lattix;
    b.bind<L>("FillFromRS", [](L& g, InvokeKind, Args& a) {
        RecordSet& rs = RecordSetArg(a[0]);
        g.FillFromRS(rs, ArgI32(a[1]), a[2].deref());
        return Variant();
    });
    b.property<L>(
        "OLEDropMode", [](L& g, Args&) { return Variant(g.OLEDropMode()); },
        [](L& g, Args&, const Variant& v) { g.SetOLEDropMode(ArgI32(v)); });
    b.bind<L>("OLEDrag", [](L& g, InvokeKind, Args&) {
        g.OLEDrag();
        return Variant();
    });
    b.property<L>("hWnd", [](L& g, Args&) { return Variant(g.hWnd()); });
    b.property<L>("IsFocused", [](L& g, Args&) { return Variant(g.IsFocused()); });
    b.bind<L>("ShowAboutBox", [](L& g, InvokeKind, Args&) {
        g.ShowAboutBox();
        return Variant();
    });
    b.bind<L>("DevDbg", [](L& g, InvokeKind, Args& a) {
        Variant result = g.DevDbg(ArgI32(a[0]), a[1].deref());
        // A value passed by reference receives the result as well.
        if (a[1].isByRef() && a[1].slot()) *a[1].slot() = result;
        return result;
    });
}

} // namespace lattix

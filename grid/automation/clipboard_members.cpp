// Published members of the built-in context menus (CopyPasteEnabled is published with the keyboard's).
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

void BindClipboardMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("BuiltinContextMenus", [](L& g, Args&) { return Variant(g.BuiltinContextMenus()); },
                  [](L& g, Args&, const Variant& v) { g.SetBuiltinContextMenus(ArgBool(v)); });
}

} // namespace lattix

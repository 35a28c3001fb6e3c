// Published members of the clipboard commands and the built-in context menus.
#include "grid/dispatch_binder.h"
#include "grid/lattix.h"
#include "grid/lattix_bindings.h"

namespace lattix {

void BindClipboardMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("CopyPasteEnabled", [](L& g, Args&) { return Variant(g.CopyPasteEnabled()); },
                  [](L& g, Args&, const Variant& v) { g.SetCopyPasteEnabled(ArgBool(v)); });
    b.property<L>("BuiltinContextMenus", [](L& g, Args&) { return Variant(g.BuiltinContextMenus()); },
                  [](L& g, Args&, const Variant& v) { g.SetBuiltinContextMenus(ArgBool(v)); });
}

} // namespace lattix

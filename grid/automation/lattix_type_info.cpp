#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"

namespace lattix {

const TypeInfo& Lattix::ClassTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo ti("Lattix", "_Lattix", "__Lattix");
        ClassBinder b(ti, "Lattix");
        b.addEvents();
        BindStorageMembers(b);
        BindCellMembers(b);
        BindColumnMembers(b);
        BindHierarchyMembers(b);
        BindStructureMembers(b);
        BindArrayMembers(b);
        BindSortMembers(b);
        BindSelectionMembers(b);
        BindViewMembers(b);
        BindChromeMembers(b);
        BindPaintMembers(b);
        BindComboMembers(b);
        BindClipboardMembers(b);
        BindEditMembers(b);
        BindKeyboardMembers(b);
        BindFrameMembers(b);
        return ti;
    }();
    return info;
}

const TypeInfo& Lattix::typeInfo() const { return ClassTypeInfo(); }

} // namespace lattix

// The families of published members. Each family binds its members in its own file; the type
// information of a class calls them all once.
#pragma once

namespace lattix {

class ClassBinder;

void BindStorageMembers(ClassBinder& b);
void BindCellObjectMembers(ClassBinder& b);
void BindCellMembers(ClassBinder& b);
void BindColumnMembers(ClassBinder& b);
void BindHierarchyMembers(ClassBinder& b);
void BindStructureMembers(ClassBinder& b);
void BindArrayMembers(ClassBinder& b);
void BindSortMembers(ClassBinder& b);
void BindSelectionMembers(ClassBinder& b);
void BindViewMembers(ClassBinder& b);
void BindChromeMembers(ClassBinder& b);
void BindPaintMembers(ClassBinder& b);
void BindComboMembers(ClassBinder& b);
void BindClipboardMembers(ClassBinder& b);
void BindEditMembers(ClassBinder& b);
void BindKeyboardMembers(ClassBinder& b);
void BindFrameMembers(ClassBinder& b);
// The record set an RS argument holds (error 514 for anything else).
class RecordSet;
class Variant;
RecordSet& RecordSetArg(const Variant& v);

} // namespace lattix

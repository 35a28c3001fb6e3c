// Published members of CellObject, in their published order.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/objects/cell_object.h"

namespace lattix {

namespace {
using C = CellObject;

template <class Get, class Set> void i32(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<C>(name, [get](C& o, Args&) { return Variant(static_cast<int32_t>((o.*get)())); },
                  [set](C& o, Args&, const Variant& v) { (o.*set)(ArgI32(v)); });
}
template <class Get, class Set> void color(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<C>(name, [get](C& c, Args&) { return Variant(static_cast<int32_t>((c.*get)())); },
                  [set](C& c, Args&, const Variant& v) { (c.*set)(ArgColor(v)); });
}
template <class Get, class Set> void i16(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<C>(name, [get](C& o, Args&) { return Variant((o.*get)()); },
                  [set](C& o, Args&, const Variant& v) { (o.*set)(ArgI16(v)); });
}
template <class Get, class Set> void byte(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<C>(name, [get](C& o, Args&) { return Variant((o.*get)()); },
                  [set](C& o, Args&, const Variant& v) { (o.*set)(ToByte(v)); });
}
template <class Get, class Set> void boolean(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<C>(name, [get](C& o, Args&) { return Variant((o.*get)()); },
                  [set](C& o, Args&, const Variant& v) { (o.*set)(ArgBool(v)); });
}
} // namespace

void BindCellObjectMembers(ClassBinder& b) {
    i32(b, "lComboListIndex", &C::lComboListIndex, &C::SetlComboListIndex);
    color(b, "oBackColor", &C::oBackColor, &C::SetoBackColor);
    color(b, "oForeColor", &C::oForeColor, &C::SetoForeColor);
    b.property<C>("oFont", [](C& o, Args&) { return ObjectResult(o.oFont()); },
                  [](C& o, Args&, const Variant& v) { o.SetoFont(FontFromVariant(v)); });
    i32(b, "eAlignH", &C::eAlignH, &C::SeteAlignH);
    i32(b, "eAlignV", &C::eAlignV, &C::SeteAlignV);
    i32(b, "eIconToText", &C::eIconToText, &C::SeteIconToText);
    i32(b, "eTextFlags", &C::eTextFlags, &C::SeteTextFlags);
    byte(b, "btImageList", &C::btImageList, &C::SetbtImageList);
    byte(b, "btExtraImageList", &C::btExtraImageList, &C::SetbtExtraImageList);
    i16(b, "iIcon", &C::iIcon, &C::SetiIcon);
    i16(b, "iExtraIcon", &C::iExtraIcon, &C::SetiExtraIcon);
    boolean(b, "bSelectable", &C::bSelectable, &C::SetbSelectable);
    boolean(b, "bSelected", &C::bSelected, &C::SetbSelected);
    byte(b, "btIndentLeft", &C::btIndentLeft, &C::SetbtIndentLeft);
    byte(b, "btIndentRight", &C::btIndentRight, &C::SetbtIndentRight);
    byte(b, "btIndentTop", &C::btIndentTop, &C::SetbtIndentTop);
    byte(b, "btIndentBottom", &C::btIndentBottom, &C::SetbtIndentBottom);
    i32(b, "eTypeFlags", &C::eTypeFlags, &C::SeteTypeFlags);
    i32(b, "eHatch", &C::eHatch, &C::SeteHatch);
    b.property<C>("sFmtString", [](C& o, Args&) { return Variant(o.sFmtString()); },
                  [](C& o, Args&, const Variant& v) { o.SetsFmtString(ArgStr(v)); });
    b.property<C>("sCtrlKey", [](C& o, Args&) { return Variant(o.sCtrlKey()); },
                  [](C& o, Args&, const Variant& v) { o.SetsCtrlKey(ArgStr(v)); });
    b.property<C>("vValue", [](C& o, Args&) { return o.vValue(); },
                  [](C& o, Args&, const Variant& v) { o.SetvValue(v); });
    i32(b, "eType", &C::eType, &C::SeteType);
    i32(b, "eCheckState", &C::eCheckState, &C::SeteCheckState);
    boolean(b, "bCheckVisible", &C::bCheckVisible, &C::SetbCheckVisible);
    i32(b, "eCheckPos", &C::eCheckPos, &C::SeteCheckPos);
}

} // namespace lattix

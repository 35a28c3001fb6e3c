// Published members of the cell family: cell attributes, displayed text, fonts, colours and the
// dynamic content setting.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/font_object.h"

namespace lattix {

namespace {
using L = Lattix;

// An indexed cell property of 32-bit values.
template <class Get, class Set> void cellI32(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args& a) { return Variant(static_cast<int32_t>((g.*get)(a[0], a[1]))); },
                  [set](L& g, Args& a, const Variant& v) { (g.*set)(a[0], a[1], ArgI32(v)); });
}
template <class Get, class Set> void cellI16(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args& a) { return Variant((g.*get)(a[0], a[1])); },
                  [set](L& g, Args& a, const Variant& v) { (g.*set)(a[0], a[1], ArgI16(v)); });
}
template <class Get, class Set> void cellByte(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args& a) { return Variant((g.*get)(a[0], a[1])); },
                  [set](L& g, Args& a, const Variant& v) { (g.*set)(a[0], a[1], ToByte(v)); });
}
template <class Get, class Set> void cellBool(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args& a) { return Variant((g.*get)(a[0], a[1])); },
                  [set](L& g, Args& a, const Variant& v) { (g.*set)(a[0], a[1], ArgBool(v)); });
}
template <class Get, class Set> void cellColor(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args& a) { return Variant(static_cast<int32_t>((g.*get)(a[0], a[1]))); },
                  [set](L& g, Args& a, const Variant& v) { (g.*set)(a[0], a[1], ArgColor(v)); });
}
template <class Get, class Set> void gridColor(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args&) { return Variant((g.*get)()); },
                  [set](L& g, Args&, const Variant& v) { (g.*set)(ArgColor(v)); });
}
template <class Get, class Set> void gridI32(ClassBinder& b, const char* name, Get get, Set set) {
    b.property<L>(name, [get](L& g, Args&) { return Variant((g.*get)()); },
                  [set](L& g, Args&, const Variant& v) { (g.*set)(ArgI32(v)); });
}
} // namespace

void BindCellMembers(ClassBinder& b) {
    b.property<L>("CellText", [](L& g, Args& a) { return Variant(g.CellText(a[0], a[1])); });
    cellI32(b, "CellType", &L::CellType, &L::SetCellType);
    cellI32(b, "CellTypeFlags", &L::CellTypeFlags, &L::SetCellTypeFlags);
    cellI32(b, "CellTextFlags", &L::CellTextFlags, &L::SetCellTextFlags);
    cellI32(b, "CellAlignH", &L::CellAlignH, &L::SetCellAlignH);
    cellI32(b, "CellAlignV", &L::CellAlignV, &L::SetCellAlignV);
    cellI32(b, "CellIconToText", &L::CellIconToText, &L::SetCellIconToText);
    cellByte(b, "CellIndentLeft", &L::CellIndentLeft, &L::SetCellIndentLeft);
    cellByte(b, "CellIndentRight", &L::CellIndentRight, &L::SetCellIndentRight);
    cellByte(b, "CellIndentTop", &L::CellIndentTop, &L::SetCellIndentTop);
    cellByte(b, "CellIndentBottom", &L::CellIndentBottom, &L::SetCellIndentBottom);
    cellColor(b, "CellBackColor", &L::CellBackColor, &L::SetCellBackColor);
    cellColor(b, "CellForeColor", &L::CellForeColor, &L::SetCellForeColor);
    cellByte(b, "CellImageList", &L::CellImageList, &L::SetCellImageList);
    cellByte(b, "CellExtraImageList", &L::CellExtraImageList, &L::SetCellExtraImageList);
    cellI16(b, "CellIcon", &L::CellIcon, &L::SetCellIcon);
    cellI16(b, "CellExtraIcon", &L::CellExtraIcon, &L::SetCellExtraIcon);
    cellI32(b, "CellHatch", &L::CellHatch, &L::SetCellHatch);
    b.property<L>("CellFmtString", [](L& g, Args& a) { return Variant(g.CellFmtString(a[0], a[1])); },
                  [](L& g, Args& a, const Variant& v) { g.SetCellFmtString(a[0], a[1], ArgStr(v)); });
    b.property<L>("CellFont", [](L& g, Args& a) { return ObjectResult(g.CellFont(a[0], a[1])); },
                  [](L& g, Args& a, const Variant& v) { g.SetCellFont(a[0], a[1], FontFromVariant(v)); });
    cellBool(b, "CellCheckVisible", &L::CellCheckVisible, &L::SetCellCheckVisible);
    cellI32(b, "CellCheckState", &L::CellCheckState, &L::SetCellCheckState);
    cellI32(b, "CellCheckPos", &L::CellCheckPos, &L::SetCellCheckPos);
    cellBool(b, "CellSelectable", &L::CellSelectable, &L::SetCellSelectable);
    cellI32(b, "CellExtraData", &L::CellExtraData, &L::SetCellExtraData);
    cellI32(b, "CellComboListIndex", &L::CellComboListIndex, &L::SetCellComboListIndex);
    b.property<L>("CellCtrlKey", [](L& g, Args& a) { return Variant(g.CellCtrlKey(a[0], a[1])); },
                  [](L& g, Args& a, const Variant& v) { g.SetCellCtrlKey(a[0], a[1], ArgStr(v)); });
    b.property<L>("CellEffectiveForeColor", [](L& g, Args& a) { return Variant(g.CellEffectiveForeColor(a[0], a[1])); });
    b.property<L>("CellEffectiveBackColor", [](L& g, Args& a) { return Variant(g.CellEffectiveBackColor(a[0], a[1])); });
    b.bind<L>("CellDefaultForeColor", [](L& g, InvokeKind, Args& a) {
        g.CellDefaultForeColor(a[0], a[1]);
        return Variant();
    });
    b.bind<L>("CellDefaultBackColor", [](L& g, InvokeKind, Args& a) {
        g.CellDefaultBackColor(ArgI32(a[0]), a[1]);
        return Variant();
    });
    b.bind<L>("CellDefaultFont", [](L& g, InvokeKind, Args& a) {
        g.CellDefaultFont(a[0], a[1]);
        return Variant();
    });
    b.property<L>("InitValue", [](L& g, Args& a) { return g.InitValue(ArgI32(a[0])); });
    b.bind<L>("FontClone", [](L& g, InvokeKind, Args& a) {
        FontCloneArgs x{a[0].deref(), a[1].deref(), a[2].deref(), a[3].deref(), a[4].deref(), a[5].deref()};
        return ObjectResult(g.FontClone(x));
    });
    b.property<L>("Textmatrix", [](L& g, Args& a) { return g.Textmatrix(a[0], a[1]); });
    gridI32(b, "CellCheckGap", &L::CellCheckGap, &L::SetCellCheckGap);
    gridI32(b, "CellIconGap", &L::CellIconGap, &L::SetCellIconGap);
    gridI32(b, "DynamicContentEvents", &L::DynamicContentEvents, &L::SetDynamicContentEvents);
    gridColor(b, "ForeColor", &L::ForeColor, &L::SetForeColor);
    gridColor(b, "BackColor", &L::BackColor, &L::SetBackColor);
    gridColor(b, "BackColorOddRows", &L::BackColorOddRows, &L::SetBackColorOddRows);
    gridColor(b, "BackColorEvenRows", &L::BackColorEvenRows, &L::SetBackColorEvenRows);
    b.property<L>("Font", [](L& g, Args&) { return ObjectResult(g.Font()); },
                  [](L& g, Args&, const Variant& v) { g.SetFont(FontFromVariant(v)); });
}

} // namespace lattix

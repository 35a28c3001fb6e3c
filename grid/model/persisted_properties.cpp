// The persisted property table and the container's entry points. Each entry goes through the
// property's published let (or set), so its checks and side effects apply; a property whose let is not
// published on the grid yet is kept in the grid's stored properties under its entry name, checked for
// its kind, and reported changed to the container like any other.
#include "grid/model/persisted_properties.h"

#include <algorithm>
#include <array>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/objects/font_object.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {

using K = PersistedKind;

Variant Sys(uint32_t c) { return Variant(static_cast<int32_t>(c)); }
Variant I(int32_t n) { return Variant(n); }
Variant B(bool b) { return Variant(b); }

const std::vector<PersistedProperty>& Table() {
    static const std::vector<PersistedProperty> table = {
        {"AddRowAutoTreeButton", K::Boolean, B(true)},
        {"AllowGrouping", K::Boolean, B(true)},
        {"AllowGroupRowEditing", K::Boolean, B(false)},
        {"AllowSorting", K::Boolean, B(true)},
        {"AutoColHeaderTextTemplate", K::String, Variant("Col #")},
        {"AutoWidthColWithHeader", K::Boolean, B(true)},
        {"BackColor", K::Colour, Sys(0x80000005u)},
        {"BackColorOddRows", K::Number, I(-1)},
        {"BackColorEvenRows", K::Number, I(-1)},
        {"BorderType", K::Number, I(3)},
        {"BrowseAllNonFrozenCols", K::Boolean, B(false)},
        {"BuiltinContextMenus", K::Boolean, B(true)},
        {"CellCheckGap", K::Number, I(2)},
        {"CellIconGap", K::Number, I(2)},
        {"ChangeColorsWhenDisabled", K::Boolean, B(true)},
        {"CopyPasteEnabled", K::Boolean, B(true)},
        {"DefaultAutoGroupRowExpanded", K::Boolean, B(true)},
        {"DisableIcons", K::Boolean, B(true)},
        {"DragSelect", K::Boolean, B(true)},
        {"DrawRowText", K::Boolean, B(false)},
        {"Editable", K::Boolean, B(true)},
        {"Enabled", K::Boolean, B(true)},
        {"EnsureVisibleAutoHScroll", K::Boolean, B(true)},
        {"EnsureVisibleAutoVScroll", K::Boolean, B(true)},
        {"FlatCellControls", K::Boolean, B(false)},
        {"FocusRect", K::Boolean, B(true)},
        {"FocusRectColor1", K::Colour, Sys(0x80000005u)},
        {"FocusRectColor2", K::Colour, Sys(0x80000008u)},
        {"FocusRectNoFocus", K::Boolean, B(false)},
        {"FocusRectNoFocusColor1", K::Colour, Sys(0x80000005u)},
        {"FocusRectNoFocusColor2", K::Colour, Sys(0x80000011u)},
        {"ForeColor", K::Colour, Sys(0x80000008u)},
        {"FrozenCols", K::Number, I(0)},
        {"FrozenColsEdgeColor", K::Colour, Sys(0x80000010u)},
        {"FrozenColsEdgeDrawAlways", K::Boolean, B(false)},
        {"FrozenColsEdgeWidth", K::Number, I(2)},
        {"FullRowSelect", K::Boolean, B(false)},
        {"GridLineColor", K::Colour, Sys(0x8000000Fu)},
        {"GridLines", K::Number, I(3)},
        {"GridLinesExtend", K::Number, I(0)},
        {"GridLineThicknessH", K::Number, I(1)},
        {"GridLineThicknessV", K::Number, I(1)},
        {"HideSelection", K::Boolean, B(false)},
        {"HighlightBackColor", K::Colour, Sys(0x8000000Du)},
        {"HighlightBackColorNoFocus", K::Colour, Sys(0x8000000Fu)},
        {"HighlightForeColor", K::Colour, Sys(0x8000000Eu)},
        {"HighlightForeColorNoFocus", K::Colour, Sys(0x80000008u)},
        {"HighlightSelIcons", K::Boolean, B(false)},
        {"HighlightSelCells", K::Boolean, B(true)},
        {"KeyPressBehaviour", K::Number, I(2)},
        {"KeySearchFromCurRow", K::Boolean, B(false)},
        {"KeySearchLoop", K::Boolean, B(false)},
        {"LevelIndent", K::Number, I(16)},
        {"MemMngWantFreeRows", K::Number, I(100)},
        {"MultiSelect", K::Boolean, B(false)},
        {"OLEDropMode", K::Number, I(0)},
        {"OpaqueTextInHatchedCells", K::Boolean, B(true)},
        {"PrefixGroupValues", K::Boolean, B(true)},
        {"RowMode", K::Boolean, B(false)},
        {"ScrollBarStyle", K::Number, I(0)},
        {"SelectionAlphaBlend", K::Byte, I(255)},
        {"ShowControlsInAllCells", K::Boolean, B(false)},
        {"SilentValidation", K::Boolean, B(false)},
        {"SkipNonSelectableCells", K::Boolean, B(true)},
        {"SortScrollToCurRow", K::Boolean, B(true)},
        {"StoreInitRowNumbers", K::Number, I(0)},
        {"TreeButtonBackColor", K::Colour, Sys(0x8000000Fu)},
        {"TreeButtonBorderColor", K::Colour, Sys(0x80000010u)},
        {"TreeButtonForeColor", K::Colour, Sys(0x80000012u)},
        {"TreeButtonSize", K::Number, I(9)},
        {"TreeCol", K::Number, I(0)},
        {"TreeLines", K::Number, I(0)},
        {"TreeLinesColor", K::Colour, Sys(0x80000010u)},
        {"ToolTipDelayTime", K::Number, I(-1)},
        {"ToolTipVisibleTime", K::Number, I(20000)},
        {"UseTabKey", K::Boolean, B(true)},
        {"UseXPStyles", K::Boolean, B(true)},
        {"Virtual", K::Boolean, B(false)},
        {"Font", K::Font, Variant()},
        {"BackgroundPicture", K::Picture, Variant()},
    };
    return table;
}

// The value as the property's kind stores it; raises when it cannot be one.
Variant AsKind(PersistedKind kind, const Variant& v) {
    switch (kind) {
    case K::Boolean: return Variant(ToBool(v));
    case K::Number:
    case K::Colour: return Variant(ToInt32(v));
    case K::Byte: {
        const int32_t n = ToInt32(v);
        if (n < 0 || n > 255) RaiseLattixError(lattix_error::kInvalidArgument);
        return Variant(n);
    }
    case K::String: return Variant(ToString(v));
    case K::Font: {
        const std::shared_ptr<FontObject> font = FontFromVariant(v);
        if (!font) RaiseLattixError(lattix_error::kInvalidArgument);
        return Variant(std::static_pointer_cast<AutomationObject>(font->Clone()));
    }
    case K::Picture: return v;
    }
    return v;
}

// Persisted properties the grid has C++ members for but does not publish yet.
struct DirectMember {
    const char* name;
    void (*let)(Lattix&, const Variant&);
    Variant (*get)(const Lattix&);
};
constexpr DirectMember kDirectMembers[] = {
    {"AllowSorting", [](Lattix& g, const Variant& v) { g.SetAllowSorting(ToBool(v)); },
     [](const Lattix& g) { return Variant(g.AllowSorting()); }},
    {"MultiSelect", [](Lattix& g, const Variant& v) { g.SetMultiSelect(ToBool(v)); },
     [](const Lattix& g) { return Variant(g.MultiSelect()); }},
};

const DirectMember* FindDirect(const char* name) {
    for (const DirectMember& d : kDirectMembers)
        if (std::string_view(d.name) == name) return &d;
    return nullptr;
}

// Passes one value to the property: its published let (set for an object), or the stored properties.
void Apply(Lattix& grid, const PersistedProperty& p, const Variant& value) {
    const MemberInfo* m = grid.typeInfo().findMember(p.name);
    const InvokeKind kind = p.kind == K::Font || p.kind == K::Picture ? InvokeKind::Set : InvokeKind::Let;
    if (m && m->supports(kind)) {
        const Variant args[] = {value};
        grid.invoke(m->id, kind, args);
        return;
    }
    if (const DirectMember* d = FindDirect(p.name)) return d->let(grid, value);
    grid.SetStoredProperty(p.name, AsKind(p.kind, value));
}

Variant Current(Lattix& grid, const PersistedProperty& p) {
    const MemberInfo* m = grid.typeInfo().findMember(p.name);
    if (m && m->supports(InvokeKind::Get) && m->params.empty()) {
        Variant v = grid.invoke(m->id, InvokeKind::Get);
        // The bag keeps its own copy of an object, not the grid's live font.
        if (p.kind == K::Font) return AsKind(K::Font, v);
        return v;
    }
    if (const DirectMember* d = FindDirect(p.name)) return d->get(grid);
    return grid.StoredProperty(p.name, p.defaultValue);
}

} // namespace

std::span<const PersistedProperty> PersistedProperties() { return Table(); }

void InitialiseProperties(Lattix& grid, const std::shared_ptr<FontObject>& ambientFont) {
    std::vector<const PersistedProperty*> byName;
    for (const PersistedProperty& p : Table()) byName.push_back(&p);
    std::sort(byName.begin(), byName.end(), [](const PersistedProperty* a, const PersistedProperty* b) {
        return AsciiLower(a->name) < AsciiLower(b->name);
    });
    Lattix::UpdateSuspension suspended(grid);
    for (const PersistedProperty* p : byName) {
        if (std::string_view(p->name) == "AddRowAutoTreeButton") continue;
        if (p->kind == K::Font) {
            // A container without an ambient font leaves the grid's own.
            if (ambientFont) Apply(grid, *p, Variant(std::static_pointer_cast<AutomationObject>(ambientFont->Clone())));
            continue;
        }
        Apply(grid, *p, p->defaultValue);
    }
}

void ReadProperties(Lattix& grid, const PropertyBag& bag, std::vector<PropertyLoadFailure>& failures) {
    Lattix::UpdateSuspension suspended(grid);
    for (const PersistedProperty& p : Table()) {
        const Variant* stored = bag.Find(p.name);
        // A bag without a font keeps the grid's font (the container's ambient one).
        if (!stored && p.kind == K::Font) continue;
        try {
            Apply(grid, p, stored ? *stored : p.defaultValue);
        } catch (const AutomationError& e) {
            failures.push_back({p.name, e.unsignedNumber(), e.description()});
        }
    }
}

PropertyBag WriteProperties(Lattix& grid) {
    PropertyBag bag;
    for (const PersistedProperty& p : Table()) bag.Write(p.name, Current(grid, p));
    return bag;
}

} // namespace lattix

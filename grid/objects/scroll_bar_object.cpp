#include "grid/objects/scroll_bar_object.h"

#include "grid/automation/dispatch_binder.h"
#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"

namespace lattix {

int32_t ScrollBarObject::Value() const { return requireGrid().Chrome().Bar(bar_).value; }
void ScrollBarObject::SetValue(int32_t v) { requireGrid().Chrome().SetBarValue(bar_, v); }
int32_t ScrollBarObject::Thickness() const {
    requireGrid();
    return ui::Wm().ScrollBarThickness(bar_ == kBarH ? ui::SB_HORZ : ui::SB_VERT);
}
bool ScrollBarObject::Visible() const { return requireGrid().Chrome().Bar(bar_).visible; }
int32_t ScrollBarObject::LargeChange() const { return requireGrid().Chrome().Bar(bar_).largeChange; }
int32_t ScrollBarObject::SmallChange() const { return requireGrid().Chrome().Bar(bar_).smallChange; }
int32_t ScrollBarObject::SmallChangeDesiredValue() const { return requireGrid().Chrome().Bar(bar_).smallChangeDesired; }
int32_t ScrollBarObject::Max() const { return requireGrid().Chrome().Bar(bar_).max; }
bool ScrollBarObject::Enabled() const { return requireGrid().Chrome().Bar(bar_).objectEnabled; }
int32_t ScrollBarObject::DisplayMode() const { return requireGrid().Chrome().Bar(bar_).displayMode; }
bool ScrollBarObject::MouseWheelScrollsWhenHidden() const { return requireGrid().Chrome().Bar(bar_).wheelWhenHidden; }

void ScrollBarObject::SetSmallChangeDesiredValue(int32_t v) {
    Lattix& g = requireGrid();
    if (v < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    g.Chrome().Bar(bar_).smallChangeDesired = v;
    g.Chrome().AdjustScrollBars(true);
}

void ScrollBarObject::SetEnabled(bool b) {
    Lattix& g = requireGrid();
    if (g.Chrome().Bar(bar_).objectEnabled == b) return;
    g.Chrome().Bar(bar_).objectEnabled = b;
    g.Chrome().AdjustScrollBars(true);
}

void ScrollBarObject::SetDisplayMode(int32_t mode) {
    Lattix& g = requireGrid();
    if (mode < lxScrollBarDisplayNever || mode > lxScrollBarDisplayAlways) RaiseLattixError(lattix_error::kInvalidArgument);
    GridChrome& c = g.Chrome();
    int32_t old = c.Bar(bar_).displayMode;
    if (old == mode) return;
    c.Bar(bar_).displayMode = mode;
    if (mode == lxScrollBarDisplayNever) {
        // The other bar's value is brought within its range.
        int other = 1 - bar_;
        c.SetBarValue(other, std::min(c.Bar(other).value, c.Bar(other).max));
    }
    c.AdjustScrollBars(true);
    if (old == lxScrollBarDisplayNever && c.Bars()) {
        // The window bar shows the value again.
        ui::Wm().SetScrollPos(c.Bars()->hwnd(), bar_ == kBarH ? ui::SB_HORZ : ui::SB_VERT, c.Bar(bar_).value, true);
    }
}

void ScrollBarObject::SetMouseWheelScrollsWhenHidden(bool b) { requireGrid().Chrome().Bar(bar_).wheelWhenHidden = b; }

const TypeInfo& ScrollBarObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("ScrollBarObject", "_ScrollBarObject");
        ClassBinder b(ti, "ScrollBarObject");
        using S = ScrollBarObject;
        b.property<S>("Value", [](S& s, Args&) { return Variant(s.Value()); },
                      [](S& s, Args&, const Variant& v) { s.SetValue(ArgI32(v)); });
        b.property<S>("Thickness", [](S& s, Args&) { return Variant(s.Thickness()); });
        b.property<S>("Visible", [](S& s, Args&) { return Variant(s.Visible()); });
        b.property<S>("LargeChange", [](S& s, Args&) { return Variant(s.LargeChange()); });
        b.property<S>("SmallChange", [](S& s, Args&) { return Variant(s.SmallChange()); });
        b.property<S>("SmallChangeDesiredValue", [](S& s, Args&) { return Variant(s.SmallChangeDesiredValue()); },
                      [](S& s, Args&, const Variant& v) { s.SetSmallChangeDesiredValue(ArgI32(v)); });
        b.property<S>("Min", [](S& s, Args&) { return Variant(s.Min()); });
        b.property<S>("Max", [](S& s, Args&) { return Variant(s.Max()); });
        b.property<S>("Enabled", [](S& s, Args&) { return Variant(s.Enabled()); },
                      [](S& s, Args&, const Variant& v) { s.SetEnabled(ArgBool(v)); });
        b.property<S>("DisplayMode", [](S& s, Args&) { return Variant(s.DisplayMode()); },
                      [](S& s, Args&, const Variant& v) { s.SetDisplayMode(ArgI32(v)); });
        b.property<S>("MouseWheelScrollsWhenHidden", [](S& s, Args&) { return Variant(s.MouseWheelScrollsWhenHidden()); },
                      [](S& s, Args&, const Variant& v) { s.SetMouseWheelScrollsWhenHidden(ArgBool(v)); });
        return ti;
    }();
    return info;
}

} // namespace lattix

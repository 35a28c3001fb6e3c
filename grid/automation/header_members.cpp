// Published members of HeaderObject, ScrollBarObject's siblings on the grid (HScrollBar, VScrollBar,
// ScrollBarStyle), the visual-styles choice and the tooltip times.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/objects/font_object.h"
#include "grid/objects/header_object.h"
#include "grid/objects/scroll_bar_object.h"
#include "grid/view/grid_chrome.h"

namespace lattix {

const TypeInfo& HeaderObject::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("HeaderObject", "_HeaderObject");
        ClassBinder b(ti, "HeaderObject");
        using H = HeaderObject;
        using F = HeaderObject::Field;
        auto field = [&b](const char* name, F f, bool boolean) {
            b.property<H>(name,
                          [f, boolean](H& h, Args&) { return boolean ? Variant(h.Get(f) != 0) : Variant(h.Get(f)); },
                          [f, boolean](H& h, Args&, const Variant& v) { h.Set(f, boolean ? (ArgBool(v) ? 1 : 0) : ArgI32(v)); });
        };
        field("ForeColor", F::ForeColor, false);
        field("BackColor", F::BackColor, false);
        field("DragCols", F::DragCols, true);
        field("UseXPStyles", F::UseXPStyles, true);
        field("Flat", F::Flat, true);
        field("ButtonEdgeColorInnerLeftTop", F::EdgeInnerLeftTop, false);
        field("ButtonEdgeColorInnerRightBottom", F::EdgeInnerRightBottom, false);
        field("ButtonEdgeColorOuterLeftTop", F::EdgeOuterLeftTop, false);
        field("ButtonEdgeColorOuterRightBottom", F::EdgeOuterRightBottom, false);
        field("ButtonEdgeColorPressed", F::EdgePressed, false);
        field("Buttons", F::Buttons, true);
        field("SortInfoStyle", F::SortInfoStyle, false);
        field("SolidSortIconColor", F::SolidSortIconColor, false);
        field("AutoHeightFlags", F::AutoHeightFlags, false);
        field("HotTrack", F::HotTrack, true);
        field("HotTrackForeColor", F::HotTrackForeColor, false);
        field("HotTrackFlags", F::HotTrackFlags, false);
        field("MinHeight", F::MinHeight, false);
        field("BottomLineVisibility", F::BottomLineVisibility, false);
        field("BottomLineColor", F::BottomLineColor, false);
        b.property<H>("Height", [](H& h, Args&) { return Variant(h.Height()); },
                      [](H& h, Args&, const Variant& v) { h.SetHeight(ArgI32(v)); });
        b.property<H>("Visible", [](H& h, Args&) { return Variant(h.Visible()); },
                      [](H& h, Args&, const Variant& v) { h.SetVisible(ArgBool(v)); });
        b.property<H>("hWnd", [](H& h, Args&) { return Variant(static_cast<int32_t>(h.hWnd())); });
        b.property<H>("Font", [](H& h, Args&) { return ObjectResult(h.Font()); },
                      [](H& h, Args&, const Variant& v) { h.SetFont(FontFromVariant(v)); });
        b.property<H>("SortInfoFont", [](H& h, Args&) { return ObjectResult(h.SortInfoFont()); },
                      [](H& h, Args&, const Variant& v) { h.SetSortInfoFont(FontFromVariant(v)); });
        b.bind<H>("SetImageList", [](H& h, InvokeKind, Args& a) {
            h.SetImageList(a[0]);
            return Variant();
        });
        b.bind<H>("AutoHeight", [](H& h, InvokeKind, Args&) {
            h.AutoHeight();
            return Variant();
        });
        return ti;
    }();
    return info;
}

void BindChromeMembers(ClassBinder& b) {
    using L = Lattix;
    b.property<L>("HScrollBar", [](L& g, Args&) { return ObjectResult(g.HScrollBar()); });
    b.property<L>("VScrollBar", [](L& g, Args&) { return ObjectResult(g.VScrollBar()); });
    b.property<L>("ScrollBarStyle", [](L& g, Args&) { return Variant(g.ScrollBarStyle()); },
                  [](L& g, Args&, const Variant& v) { g.SetScrollBarStyle(ArgI32(v)); });
    b.property<L>("UseXPStyles", [](L& g, Args&) { return Variant(g.UseXPStyles()); },
                  [](L& g, Args&, const Variant& v) { g.SetUseXPStyles(ArgBool(v)); });
    b.property<L>("ToolTipDelayTime", [](L& g, Args&) { return Variant(g.ToolTipDelayTime()); },
                  [](L& g, Args&, const Variant& v) { g.SetToolTipDelayTime(ArgI32(v)); });
    b.property<L>("ToolTipVisibleTime", [](L& g, Args&) { return Variant(g.ToolTipVisibleTime()); },
                  [](L& g, Args&, const Variant& v) { g.SetToolTipVisibleTime(ArgI32(v)); });
    b.bind<L>("IsColHeaderTextClipped", [](L& g, InvokeKind, Args& a) {
        return Variant(g.IsColHeaderTextClipped(a[0], a[1].isOmitted() ? true : ArgBool(a[1])));
    });
}

} // namespace lattix

// Published members of the painter: the appearance properties it reads, the background picture,
// virtual grids, the image lists of the cells, and Draw, DrawCell and Refresh.
#include "grid/automation/dispatch_binder.h"
#include "grid/automation/member_families.h"
#include "grid/lattix.h"
#include "grid/view/picture_object.h"

namespace lattix {

namespace {
using L = Lattix;

void boolProp(ClassBinder& b, const char* name, bool (L::*get)() const, void (L::*let)(bool)) {
    b.property<L>(name, [get](L& g, Args&) { return Variant((g.*get)()); },
                  [let](L& g, Args&, const Variant& v) { (g.*let)(ArgBool(v)); });
}
void colourProp(ClassBinder& b, const char* name, int32_t (L::*get)() const, void (L::*let)(int32_t)) {
    b.property<L>(name, [get](L& g, Args&) { return Variant((g.*get)()); },
                  [let](L& g, Args&, const Variant& v) { (g.*let)(ArgColor(v)); });
}
} // namespace

void BindPaintMembers(ClassBinder& b) {
    colourProp(b, "GridLineColor", &L::GridLineColor, &L::SetGridLineColor);
    colourProp(b, "HighlightBackColor", &L::HighlightBackColor, &L::SetHighlightBackColor);
    colourProp(b, "HighlightForeColor", &L::HighlightForeColor, &L::SetHighlightForeColor);
    colourProp(b, "HighlightBackColorNoFocus", &L::HighlightBackColorNoFocus, &L::SetHighlightBackColorNoFocus);
    colourProp(b, "HighlightForeColorNoFocus", &L::HighlightForeColorNoFocus, &L::SetHighlightForeColorNoFocus);
    boolProp(b, "HighlightSelCells", &L::HighlightSelCells, &L::SetHighlightSelCells);
    boolProp(b, "HideSelection", &L::HideSelection, &L::SetHideSelection);
    boolProp(b, "HighlightSelIcons", &L::HighlightSelIcons, &L::SetHighlightSelIcons);
    b.property<L>("SelectionAlphaBlend", [](L& g, Args&) { return Variant(g.SelectionAlphaBlend()); },
                  [](L& g, Args&, const Variant& v) { g.SetSelectionAlphaBlend(ArgI32(v)); });
    boolProp(b, "FocusRectNoFocus", &L::FocusRectNoFocus, &L::SetFocusRectNoFocus);
    colourProp(b, "FocusRectColor1", &L::FocusRectColor1, &L::SetFocusRectColor1);
    colourProp(b, "FocusRectColor2", &L::FocusRectColor2, &L::SetFocusRectColor2);
    colourProp(b, "FocusRectNoFocusColor1", &L::FocusRectNoFocusColor1, &L::SetFocusRectNoFocusColor1);
    colourProp(b, "FocusRectNoFocusColor2", &L::FocusRectNoFocusColor2, &L::SetFocusRectNoFocusColor2);
    boolProp(b, "OpaqueTextInHatchedCells", &L::OpaqueTextInHatchedCells, &L::SetOpaqueTextInHatchedCells);
    boolProp(b, "DisableIcons", &L::DisableIcons, &L::SetDisableIcons);
    boolProp(b, "Enabled", &L::Enabled, &L::SetEnabled);
    boolProp(b, "ChangeColorsWhenDisabled", &L::ChangeColorsWhenDisabled, &L::SetChangeColorsWhenDisabled);
    b.property<L>("TreeLines", [](L& g, Args&) { return Variant(g.TreeLines()); },
                  [](L& g, Args&, const Variant& v) { g.SetTreeLines(ArgI32(v)); });
    colourProp(b, "TreeLinesColor", &L::TreeLinesColor, &L::SetTreeLinesColor);
    colourProp(b, "TreeButtonBackColor", &L::TreeButtonBackColor, &L::SetTreeButtonBackColor);
    colourProp(b, "TreeButtonForeColor", &L::TreeButtonForeColor, &L::SetTreeButtonForeColor);
    colourProp(b, "TreeButtonBorderColor", &L::TreeButtonBorderColor, &L::SetTreeButtonBorderColor);
    boolProp(b, "FlatCellControls", &L::FlatCellControls, &L::SetFlatCellControls);
    boolProp(b, "Virtual", &L::Virtual, &L::SetVirtual);
    b.property<L>("BackgroundPicture", [](L& g, Args&) { return ObjectResult(g.BackgroundPicture()); },
                  [](L& g, Args&, const Variant& v) { g.SetBackgroundPicture(PictureFromVariant(v)); });
    b.bind<L>("SetImageList", [](L& g, InvokeKind, Args& a) {
        g.SetImageList(a[0]);
        return Variant();
    });
    b.bind<L>("Draw", [](L& g, InvokeKind, Args&) {
        g.Draw();
        return Variant();
    });
    b.bind<L>("DrawCell", [](L& g, InvokeKind, Args& a) {
        g.DrawCell(a[0].deref(), a[1].deref());
        return Variant();
    });
    b.bind<L>("Refresh", [](L& g, InvokeKind, Args&) {
        g.Refresh();
        return Variant();
    });
}

} // namespace lattix

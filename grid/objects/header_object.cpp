#include "grid/objects/header_object.h"

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/image_list_object.h"
#include "platform/gfx/system_colors.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
bool IsColor(int32_t c) { return gfx::systemColors().translate(static_cast<std::uint32_t>(c)).has_value(); }
} // namespace

HeaderSettings& HeaderObject::settings() const { return requireGrid().Chrome().Header(); }

int32_t HeaderObject::Height() const { return requireGrid().HeaderHeight(); }
void HeaderObject::SetHeight(int32_t h) { requireGrid().SetHeaderHeight(h); }
bool HeaderObject::Visible() const { return settings().visible; }
void HeaderObject::SetVisible(bool b) { requireGrid().Chrome().SetHeaderVisible(b); }

int64_t HeaderObject::hWnd() const {
    cHeaderControl* h = requireGrid().Chrome().HeaderBar();
    return h ? static_cast<int64_t>(h->hWnd()) : 0;
}

std::shared_ptr<FontObject> HeaderObject::Font() const { return requireGrid().Chrome().HeaderFont(); }
void HeaderObject::SetFont(const std::shared_ptr<FontObject>& f) {
    Lattix& g = requireGrid();
    if (!f) RaiseLattixError(lattix_error::kInvalidArgument);
    g.Chrome().SetHeaderFont(f);
}
std::shared_ptr<FontObject> HeaderObject::SortInfoFont() const { return requireGrid().Chrome().SortInfoFont(); }
void HeaderObject::SetSortInfoFont(const std::shared_ptr<FontObject>& f) {
    Lattix& g = requireGrid();
    if (!f) RaiseLattixError(lattix_error::kInvalidArgument);
    g.Chrome().SetSortInfoFont(f);
}

// An image list object or handle; Nothing, Empty or 0 removes the list.
void HeaderObject::SetImageList(const Variant& v) {
    Lattix& g = requireGrid();
    g.Chrome().SetHeaderImageList(ImageListFromVariant(v));
}

void HeaderObject::AutoHeight() { requireGrid().Chrome().AutoHeight(); }

int32_t HeaderObject::Get(Field f) const {
    const HeaderSettings& s = settings();
    switch (f) {
    case Field::ForeColor: return s.foreColor;
    case Field::BackColor: return s.backColor;
    case Field::DragCols: return s.dragCols;
    case Field::UseXPStyles: return s.useXPStyles;
    case Field::Flat: return s.flat;
    case Field::EdgeInnerLeftTop: return s.edgeInnerLeftTop;
    case Field::EdgeInnerRightBottom: return s.edgeInnerRightBottom;
    case Field::EdgeOuterLeftTop: return s.edgeOuterLeftTop;
    case Field::EdgeOuterRightBottom: return s.edgeOuterRightBottom;
    case Field::EdgePressed: return s.edgePressed;
    case Field::Buttons: return s.buttons;
    case Field::SortInfoStyle: return s.sortInfoStyle;
    case Field::SolidSortIconColor: return s.solidSortIconColor;
    case Field::AutoHeightFlags: return s.autoHeightFlags;
    case Field::HotTrack: return s.hotTrack;
    case Field::HotTrackForeColor: return s.hotTrackForeColor;
    case Field::HotTrackFlags: return s.hotTrackFlags;
    case Field::MinHeight: return s.minHeight;
    case Field::BottomLineVisibility: return s.bottomLineVisibility;
    case Field::BottomLineColor: return s.bottomLineColor;
    }
    return 0;
}

void HeaderObject::Set(Field f, int32_t v) {
    Lattix& g = requireGrid();
    HeaderSettings& s = g.Chrome().Header();
    auto check = [](bool ok) {
        if (!ok) RaiseLattixError(lattix_error::kInvalidArgument);
    };
    switch (f) {
    case Field::ForeColor: check(IsColor(v)); s.foreColor = v; break;
    case Field::BackColor: check(IsColor(v)); s.backColor = v; break;
    case Field::DragCols: s.dragCols = v != 0; break;
    case Field::UseXPStyles: s.useXPStyles = v != 0; break;
    case Field::Flat: s.flat = v != 0; break;
    case Field::EdgeInnerLeftTop: check(IsColor(v)); s.edgeInnerLeftTop = v; break;
    case Field::EdgeInnerRightBottom: check(IsColor(v)); s.edgeInnerRightBottom = v; break;
    case Field::EdgeOuterLeftTop: check(IsColor(v)); s.edgeOuterLeftTop = v; break;
    case Field::EdgeOuterRightBottom: check(IsColor(v)); s.edgeOuterRightBottom = v; break;
    case Field::EdgePressed: check(IsColor(v)); s.edgePressed = v; break;
    case Field::Buttons: s.buttons = v != 0; break;
    case Field::SortInfoStyle: check(v >= lxSortInfoNone && v <= lxSortInfoNumIcons); s.sortInfoStyle = v; break;
    case Field::SolidSortIconColor: check(IsColor(v)); s.solidSortIconColor = v; break;
    case Field::AutoHeightFlags: check(v >= 0 && v <= 127); s.autoHeightFlags = v; break;
    case Field::HotTrack: s.hotTrack = v != 0; break;
    case Field::HotTrackForeColor: check(IsColor(v)); s.hotTrackForeColor = v; break;
    case Field::HotTrackFlags: check(v >= 0 && v <= 7); s.hotTrackFlags = v; break;
    case Field::MinHeight:
        check(v >= 0);
        s.minHeight = v;
        if (g.HeaderHeight() < v) g.SetHeaderHeight(v);
        break;
    case Field::BottomLineVisibility: check(v >= lxHdrBottomLineAuto && v <= lxHdrBottomLineOff); s.bottomLineVisibility = v; break;
    case Field::BottomLineColor: check(IsColor(v)); s.bottomLineColor = v; break;
    }
    g.Chrome().HeaderSettingsChanged();
}

} // namespace lattix

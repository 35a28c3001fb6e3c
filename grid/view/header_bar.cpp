#include "grid/view/header_bar.h"

#include <algorithm>

#include "grid/view/font_request.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"
#include "platform/theme/shapes.h"
#include "platform/theme/theme_data.h"
#include "platform/theme/theme_parts.h"

namespace lattix {

using controls::HeaderItemState;
using controls::HeaderNotify;
using ui::Rect;
using ui::Size;

namespace {

constexpr std::uintptr_t kParentSubclassId = 0x4EAD;
// Spacing inside an item, shared by drawing and measuring.
constexpr int kInset = 3;
constexpr int kIconGap = 4;
constexpr int kSortGap = 4;
constexpr int kArrowWidth = 9;
constexpr int kArrowHeight = 5;
constexpr int kNumberGap = 2;
constexpr std::uint32_t kKnownTextFlags = gfx::DT_WORDBREAK | gfx::DT_SINGLELINE | gfx::DT_EXPANDTABS | gfx::DT_TABSTOP |
                                          gfx::DT_EDITCONTROL | gfx::DT_PATH_ELLIPSIS | gfx::DT_END_ELLIPSIS |
                                          gfx::DT_RTLREADING | gfx::DT_WORD_ELLIPSIS;

gfx::Color Translate(int32_t c, gfx::Color fallback) {
    auto t = gfx::systemColors().translate(static_cast<std::uint32_t>(c));
    return t ? *t : fallback;
}

std::uint32_t TextFlags(const HeaderItemInfo& it) {
    std::uint32_t f = (static_cast<std::uint32_t>(it.textFlags) & kKnownTextFlags) | gfx::DT_NOPREFIX;
    f |= it.alignH == 1 ? gfx::DT_CENTER : it.alignH == 2 ? gfx::DT_RIGHT : gfx::DT_LEFT | gfx::DT_ALIGN_BY_READING;
    f |= it.alignV == 1 ? gfx::DT_VCENTER : it.alignV == 2 ? gfx::DT_BOTTOM : gfx::DT_TOP;
    return f;
}

bool ShowsSort(const HeaderSettings& s, const HeaderItemInfo& it) {
    return s.sortInfoStyle != lxSortInfoNone && it.sortKey >= 1;
}
bool ShowsNumber(const HeaderSettings& s, const HeaderItemInfo& it) {
    return ShowsSort(s, it) && s.sortInfoStyle == lxSortInfoNumIcons && it.sortCount > 1;
}

} // namespace

cHeaderControl::cHeaderControl(ui::Hwnd parent, HeaderSettings& settings, HeaderItemSource* source,
                               HeaderBarListener* listener)
    : parent_(parent), source_(source), listener_(listener), s_(settings) {
    ui::WindowManager& wm = ui::Wm();
    int width = wm.GetClientRect(parent).width() + 1;
    hwnd_ = controls::HeaderControl::Create(parent, {0, 0, width, s_.height},
                                            ui::WS_VISIBLE | controls::HDS_BUTTONS | controls::HDS_HOTTRACK |
                                                controls::HDS_DRAGDROP);
    wm.SetProp(hwnd_, "Header", static_cast<std::intptr_t>(hwnd_));
    wm.SetProp(parent_, "HeaderParent", static_cast<std::intptr_t>(hwnd_));
    wm.SetWindowSubclass(parent_, &cHeaderControl::ParentSubclass, kParentSubclassId, reinterpret_cast<std::uintptr_t>(this));
    font_ = FontObject::Create();
    sortInfoFont_ = FontObject::Create();
    ApplyStyle();
}

cHeaderControl::~cHeaderControl() {
    ui::WindowManager& wm = ui::Wm();
    if (wm.IsWindow(parent_)) {
        wm.RemoveWindowSubclass(parent_, &cHeaderControl::ParentSubclass, kParentSubclassId);
        wm.RemoveProp(parent_, "HeaderParent");
    }
    if (wm.IsWindow(hwnd_)) wm.DestroyWindow(hwnd_);
}

bool cHeaderControl::Themed() const { return s_.useXPStyles && systemThemed_; }

void cHeaderControl::SetSystemThemed(bool themed) {
    systemThemed_ = themed;
    ApplyStyle();
}

void cHeaderControl::ChangeTheme() {
    systemThemed_ = ui::Wm().GetSystemInfo().visualStylesInUse;
    ApplyStyle();
    if (s_.autoHeightFlags & lxHAHOnThemeChange) AutoHeightAndRefresh();
}

void cHeaderControl::ApplyStyle() {
    ui::WindowManager& wm = ui::Wm();
    if (!wm.IsWindow(hwnd_)) return;
    std::uint32_t style = wm.GetStyle(hwnd_) & ~(controls::HDS_BUTTONS | controls::HDS_HOTTRACK | controls::HDS_DRAGDROP |
                                                 controls::HDS_FLAT);
    if (s_.buttons) style |= controls::HDS_BUTTONS;
    if (s_.hotTrack) style |= controls::HDS_HOTTRACK;
    if (s_.dragCols) style |= controls::HDS_DRAGDROP;
    if (s_.flat) style |= controls::HDS_FLAT;
    wm.SetStyle(hwnd_, style);
    wm.SetWindowTheme(hwnd_, Themed());
    RefreshEntireHeader();
}

gfx::FontPtr cHeaderControl::GfxFont(const std::shared_ptr<FontObject>& f) const {
    return CreateFontOf(f ? f->description() : FontDescription{}, ui::Wm().GetSystemInfo().dpiY);
}

void cHeaderControl::SetFont(std::shared_ptr<FontObject> f) {
    font_ = f ? std::move(f) : FontObject::Create();
    if (s_.autoHeightFlags & lxHAHOnFontsChange) AutoHeightAndRefresh();
    RefreshEntireHeader();
}

void cHeaderControl::SetSortInfoFont(std::shared_ptr<FontObject> f) {
    sortInfoFont_ = f ? std::move(f) : FontObject::Create();
    if (s_.autoHeightFlags & lxHAHOnFontsChange) AutoHeightAndRefresh();
    RefreshEntireHeader();
}

void cHeaderControl::SetImageList(std::shared_ptr<const gfx::ImageList> images) {
    images_ = std::move(images);
    RefreshEntireHeader();
}

// ---- items and window --------------------------------------------------------------------------

void cHeaderControl::SetItems(int count) {
    controls::HeaderControl* c = Control();
    if (c == nullptr) return;
    c->DeleteAllItems();
    for (int i = 0; i < count; ++i) c->InsertItem(i, {source_ ? source_->HeaderItem(i).width : 0, {}});
}

int cHeaderControl::ItemCount() const {
    controls::HeaderControl* c = Control();
    return c == nullptr ? 0 : c->ItemCount();
}

void cHeaderControl::SetItemWidth(int item, int32_t width) {
    if (controls::HeaderControl* c = Control()) c->SetItemWidth(item, width);
}

void cHeaderControl::Move(int x, int y, int width, int height) {
    ui::WindowManager& wm = ui::Wm();
    Rect r = wm.GetWindowRect(hwnd_);
    ui::Point origin{r.left, r.top};
    wm.ScreenToClient(parent_, origin);
    int nx = x == -1 ? origin.x : x, ny = y == -1 ? origin.y : y;
    int nw = width == -1 ? r.width() : width, nh = height == -1 ? r.height() : height;
    if (nx == origin.x && ny == origin.y && nw == r.width() && nh == r.height()) return;
    wm.MoveWindow(hwnd_, nx, ny, nw, nh, true);
}

void cHeaderControl::SetHeight(int32_t h) {
    h = std::max<int32_t>(0, h);
    if (h == s_.height) return;
    s_.height = h;
    Move(-1, -1, -1, h);
    if (listener_) listener_->HeightChanged();
}

void cHeaderControl::SetVisible(bool visible) {
    s_.visible = visible;
    ui::Wm().ShowWindow(hwnd_, visible ? ui::SW_SHOWNOACTIVATE : ui::SW_HIDE);
}

void cHeaderControl::SetRedraw(bool on) { ui::Wm().SendMessage(hwnd_, ui::WM_SETREDRAW, on ? 1 : 0, 0); }

void cHeaderControl::RefreshEntireHeader() { ui::Wm().InvalidateRect(hwnd_, nullptr, false); }

// ---- measuring ---------------------------------------------------------------------------------

Size cHeaderControl::CalcItemAutoSize(const HeaderItemInfo& it) const {
    int width = 2 * kInset, height = 0;
    if (it.icon >= 1 && images_ && it.icon <= images_->count()) {
        const gfx::Size icon = gfx::iconSizeAtDpi(*images_, ui::Wm().GetSystemInfo().dpiY);
        width += icon.cx + kIconGap;
        height = std::max(height, icon.cy);
    }
    if (ShowsSort(s_, it)) {
        width += kSortGap + kArrowWidth;
        height = std::max(height, kArrowHeight);
        if (ShowsNumber(s_, it)) {
            gfx::FontPtr nf = GfxFont(sortInfoFont_);
            Size n = nf->textExtent(std::to_string(it.sortKey));
            width += n.cx + kNumberGap;
            height = std::max(height, n.cy);
        }
    }
    if (!it.text.empty()) {
        gfx::TextLayout l = gfx::layoutText(*GfxFont(font_), it.text, {0, 0, 100000, 100000},
                                            TextFlags(it) & ~(gfx::DT_END_ELLIPSIS | gfx::DT_PATH_ELLIPSIS |
                                                              gfx::DT_WORD_ELLIPSIS | gfx::DT_WORDBREAK));
        width += l.maxWidth;
        height = std::max(height, static_cast<int>(l.lines.size()) * l.lineHeight);
    } else {
        height = std::max(height, GfxFont(font_)->metrics().height);
    }
    return {width, height + 2 * kInset};
}

int32_t cHeaderControl::OptimalHeight() const {
    int32_t best = 0;
    for (int i = 0; source_ && i < ItemCount(); ++i) best = std::max<int32_t>(best, CalcItemAutoSize(source_->HeaderItem(i)).cy);
    if (ItemCount() == 0) best = GfxFont(font_)->metrics().height + 2 * kInset;
    return best;
}

void cHeaderControl::AutoHeightAndRefresh() {
    SetHeight(std::max(OptimalHeight(), s_.minHeight));
    RefreshEntireHeader();
}

// ---- drawing -----------------------------------------------------------------------------------

void cHeaderControl::DrawItem(gfx::DeviceContext& dc, int item, const Rect& r, HeaderItemState state) {
    if (source_ == nullptr) return;
    HeaderItemInfo it = source_->HeaderItem(item);
    bool themed = Themed();
    bool hot = state == HeaderItemState::Hot && s_.hotTrack;
    bool pressed = state == HeaderItemState::Pressed;
    gfx::Color face = Translate(it.backColor != -1 ? it.backColor : s_.backColor, gfx::sysColor(gfx::COLOR_BTNFACE));
    // 1. Background.
    if (themed) {
        theme::DrawParentBackground(dc, r, face);
        auto data = theme::ThemeData::Open("Header");
        data->DrawBackground(dc, theme::kHeaderItem, pressed ? theme::kStatePressed : hot ? theme::kStateHot : theme::kStateNormal, r);
    } else {
        dc.fillRect(r, hot ? Translate(s_.hotTrackBackColor, face) : face);
        if (pressed) {
            dc.frameRect(r, gfx::Brush::solid(Translate(s_.edgePressed, gfx::sysColor(gfx::COLOR_BTNSHADOW))));
        } else if (s_.flat) {
            gfx::Color line = Translate(s_.edgeInnerRightBottom, gfx::sysColor(gfx::COLOR_BTNSHADOW));
            dc.fillRect({r.right - 1, r.top, r.right, r.bottom}, line);
            dc.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, line);
        } else {
            auto edge = [&](const Rect& e, int32_t light, int32_t dark) {
                gfx::Color l = Translate(light, gfx::sysColor(gfx::COLOR_BTNHIGHLIGHT));
                gfx::Color d = Translate(dark, gfx::sysColor(gfx::COLOR_3DDKSHADOW));
                dc.fillRect({e.left, e.top, e.right - 1, e.top + 1}, l);
                dc.fillRect({e.left, e.top, e.left + 1, e.bottom - 1}, l);
                dc.fillRect({e.left, e.bottom - 1, e.right, e.bottom}, d);
                dc.fillRect({e.right - 1, e.top, e.right, e.bottom}, d);
            };
            edge(r, s_.edgeOuterLeftTop, s_.edgeOuterRightBottom);
            edge(r.inflatedBy(-1, -1), s_.edgeInnerLeftTop, s_.edgeInnerRightBottom);
        }
    }
    // 2. Contents rectangle.
    Rect c = r.inflatedBy(-kInset, -kInset);
    if (pressed) c = c.offsetBy(1, 1);
    gfx::Color text = Translate(it.foreColor != -1 ? it.foreColor : s_.foreColor, gfx::sysColor(gfx::COLOR_BTNTEXT));
    gfx::Color hotText = Translate(s_.hotTrackForeColor, gfx::sysColor(gfx::COLOR_HOTLIGHT));
    // 3. Sort info at the right end: [number] triangle.
    if (ShowsSort(s_, it) && c.width() > kArrowWidth) {
        gfx::Color sortColor = hot && (s_.hotTrackFlags & lxHdrHotSortInfo)
                                   ? hotText
                                   : Translate(s_.solidSortIconColor, gfx::sysColor(gfx::COLOR_BTNSHADOW));
        int ax = c.right - kArrowWidth;
        int ay = c.top + (c.height() - kArrowHeight) / 2;
        if (it.sortOrder == 1)
            theme::FillTriangle(dc, {double(ax), double(ay)}, {double(ax + kArrowWidth), double(ay)},
                                {ax + kArrowWidth / 2.0, double(ay + kArrowHeight)}, sortColor);
        else
            theme::FillTriangle(dc, {double(ax), double(ay + kArrowHeight)}, {ax + kArrowWidth / 2.0, double(ay)},
                                {double(ax + kArrowWidth), double(ay + kArrowHeight)}, sortColor);
        int right = ax - kSortGap;
        if (ShowsNumber(s_, it)) {
            gfx::FontPtr nf = GfxFont(sortInfoFont_);
            std::string number = std::to_string(it.sortKey);
            int w = nf->textExtent(number).cx;
            Rect nr{ax - kNumberGap - w, c.top, ax - kNumberGap, c.bottom};
            dc.selectFont(nf);
            dc.setBkMode(gfx::BackgroundMode::Transparent);
            dc.setTextColor(sortColor);
            gfx::drawText(dc, number, nr, gfx::DT_SINGLELINE | gfx::DT_VCENTER | gfx::DT_LEFT | gfx::DT_NOPREFIX);
            right = nr.left - kSortGap;
        }
        c.right = std::max(c.left, right);
    }
    // 4. Icon at the left.
    if (it.icon >= 1 && images_ && it.icon <= images_->count()) {
        const gfx::Size icon = gfx::iconSizeAtDpi(*images_, ui::Wm().GetSystemInfo().dpiY);
        int iy = c.top + (c.height() - icon.cy) / 2;
        std::uint32_t style = hot && (s_.hotTrackFlags & lxHdrHotIcon) ? gfx::ILD_BLEND25 : gfx::ILD_TRANSPARENT;
        gfx::DeviceContextStateSaver saver(dc);
        dc.intersectClipRect(c);
        images_->drawAtSize(dc, it.icon - 1, c.left, iy, icon, gfx::CLR_NONE, gfx::CLR_DEFAULT, style);
        c.left += icon.cx + kIconGap;
    }
    // 5. Title.
    if (!it.text.empty() && !c.isEmpty()) {
        dc.selectFont(GfxFont(font_));
        dc.setBkMode(gfx::BackgroundMode::Transparent);
        dc.setTextColor(hot && (s_.hotTrackFlags & lxHdrHotText) ? hotText : text);
        gfx::drawText(dc, it.text, c, TextFlags(it));
    }
    // 6. Bottom line.
    if (s_.bottomLineVisibility == lxHdrBottomLineOn || (s_.bottomLineVisibility == lxHdrBottomLineAuto && themed))
        dc.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, Translate(s_.bottomLineColor, gfx::sysColor(gfx::COLOR_BTNSHADOW)));
}

// ---- notifications -------------------------------------------------------------------------------

ui::LResult cHeaderControl::ParentSubclass(ui::Hwnd hwnd, ui::MessageId m, ui::WParam w, ui::LParam l, std::uintptr_t,
                                           std::uintptr_t ref) {
    auto* self = reinterpret_cast<cHeaderControl*>(ref);
    if (m == ui::WM_NOTIFY && l != 0) {
        auto* n = reinterpret_cast<HeaderNotify*>(l);
        if (n->hdr.hwndFrom == self->hwnd_) return self->OnNotify(*n);
    }
    return ui::Wm().DefSubclassProc(hwnd, m, w, l);
}

ui::LResult cHeaderControl::OnNotify(HeaderNotify& n) {
    int count = ItemCount();
    // Item indexes outside the laid-out items are ignored.
    bool needsItem = n.hdr.code != controls::kHeaderRightClick && n.hdr.code != controls::kHeaderHotChanged;
    if (needsItem && (n.item < 0 || n.item >= count)) return n.hdr.code == controls::kHeaderDrawItem ? 0 : 1;
    switch (n.hdr.code) {
    case controls::kHeaderDrawItem:
        DrawItem(*n.dc, n.item, n.rect, n.state);
        return 1;
    case controls::kHeaderItemClick:
        if (listener_) listener_->ColumnClick(n.item, n.pt.x, n.pt.y, static_cast<int32_t>(n.modifiers));
        return 0;
    case controls::kHeaderItemDblClick:
        if (listener_) listener_->ColumnDblClick(n.item);
        return 0;
    case controls::kHeaderDividerDblClick:
        if (listener_) listener_->DividerDblClick(n.item);
        return 0;
    case controls::kHeaderBeginTrack:
        if (listener_ && !listener_->ColumnSizable(n.item)) return 1;
        if (listener_) listener_->ColumnWidthStartChange(n.item, n.width);
        return 0;
    case controls::kHeaderTrack:
        if (listener_) listener_->ColumnWidthChanging(n.item, n.width);
        return 0;
    case controls::kHeaderEndTrack:
        if (listener_) listener_->ColumnWidthChanged(n.item, n.width);
        return 0;
    case controls::kHeaderBeginDrag:
        return listener_ && listener_->ColumnBeginDrag(n.item) ? 1 : 0;
    case controls::kHeaderEndDrag:
        // An order beyond the laid-out items is clamped; the grid rebuilds the items itself.
        if (n.order < 0) return 1;
        n.order = std::min(n.order, count - 1);
        if (listener_) listener_->ColumnEndDrag(n.item, n.order);
        return 1;
    case controls::kHeaderRightClick:
        if (listener_) listener_->RightClick(n.pt.x, n.pt.y);
        return 0;
    case controls::kHeaderHotChanged:
        if (listener_) {
            if (n.oldItem >= 0 && n.oldItem < count) listener_->ColumnMouseLeave(n.oldItem);
            if (n.item >= 0 && n.item < count) listener_->ColumnMouseEnter(n.item);
        }
        return 0;
    default:
        return 0;
    }
}

} // namespace lattix

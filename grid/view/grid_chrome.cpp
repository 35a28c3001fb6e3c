#include "grid/view/grid_chrome.h"

#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/painter.h"
#include "grid/view/product_info.h"
#include "platform/controls/drop_down_list.h"
#include "platform/gfx/text_draw.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

using ui::Wm;

namespace {
constexpr std::uintptr_t kWindowSubclassId = 0xC4A0;

// A list that stays open across a change of look takes the new one at once.
void RefreshDropDownLook(ui::Hwnd list, bool themed) {
    if (controls::DropDownList* w = controls::DropDownList::FromWindow(list)) w->SetThemed(themed);
}
} // namespace

GridChrome::GridChrome(Lattix& grid) : g_(grid) {
    headerFont_ = FontObject::Create();
    sortInfoFont_ = FontObject::Create();
    for (auto& b : storedBars_) b = cScrollBars::Bar{};
}

GridChrome::~GridChrome() { DetachWindow(); }

// ---- window lifecycle ----------------------------------------------------------------------------

void GridChrome::AttachWindow(ui::Hwnd hwnd) {
    hwnd_ = hwnd;
    ui::WindowManager& wm = Wm();
    headerSettings_.height = g_.HeaderHeight();
    header_ = std::make_unique<cHeaderControl>(hwnd, headerSettings_, this, this);
    header_->SetSystemThemed(g_.Supports(0));
    header_->SetFont(headerFont_);
    header_->SetSortInfoFont(sortInfoFont_);
    if (headerImageList_) header_->SetImageList(headerImageList_);
    if (!headerSettings_.visible) header_->SetVisible(false);
    wm.SetWindowSubclass(hwnd, &GridChrome::WindowSubclass, kWindowSubclassId, reinterpret_cast<std::uintptr_t>(this));
    CreateScrollBars();
    hThickness_ = bars_->Thickness(kBarH);
    vThickness_ = bars_->Thickness(kBarV);
    RebuildHeaderItems();
}

void GridChrome::CreateScrollBars() {
    std::array<cScrollBars::Bar, 2> keep = storedBars_;
    if (bars_) keep = {bars_->bar(kBarH), bars_->bar(kBarV)};
    bars_.reset();
    bool flat = !XPStylesInEffect() && g_.Supports(2);
    bars_ = std::make_unique<cScrollBars>(hwnd_, this, flat, scrollBarStyle_);
    bars_->SetThemed(XPStylesInEffect());
    for (int b = kBarH; b <= kBarV; ++b) {
        cScrollBars::Bar& s = bars_->mutableBar(b);
        s.displayMode = keep[static_cast<std::size_t>(b)].displayMode;
        s.wheelWhenHidden = keep[static_cast<std::size_t>(b)].wheelWhenHidden;
        s.objectEnabled = keep[static_cast<std::size_t>(b)].objectEnabled;
        s.smallChangeDesired = keep[static_cast<std::size_t>(b)].smallChangeDesired;
    }
}

void GridChrome::DetachWindow() {
    if (hwnd_ == 0) return;
    if (bars_) storedBars_ = {bars_->bar(kBarH), bars_->bar(kBarV)};
    if (recreateTimer_) recreateTimer_->SetInterval(0);
    if (headerAutoscroll_) headerAutoscroll_->SetInterval(0);
    tooltip_.Destroy();
    cellTooltip_.Destroy();
    bars_.reset();
    header_.reset();
    if (Wm().IsWindow(hwnd_)) Wm().RemoveWindowSubclass(hwnd_, &GridChrome::WindowSubclass, kWindowSubclassId);
    hwnd_ = 0;
}

ui::LResult GridChrome::WindowSubclass(ui::Hwnd hwnd, ui::MessageId m, ui::WParam w, ui::LParam l, std::uintptr_t,
                                       std::uintptr_t ref) {
    auto* self = reinterpret_cast<GridChrome*>(ref);
    if (m == ui::WM_THEMECHANGED) self->ThemeChanged();
    if (m == ui::WM_SYSCOLORCHANGE) self->SystemColorsChanged();
    if (m == ui::WM_DPICHANGED) self->g_.ScreenDpiChanged(static_cast<int32_t>(w & 0xFFFF));
    return Wm().DefSubclassProc(hwnd, m, w, l);
}

void GridChrome::Raise(const char* name, std::span<Variant> args) {
    const EventInfo* e = Lattix::ClassTypeInfo().findEvent(name);
    if (e != nullptr) g_.RaiseEvent(e->id, args);
}

// ---- header items and placement --------------------------------------------------------------------

HeaderItemInfo GridChrome::HeaderItem(int item) const {
    HeaderItemInfo it;
    if (ColIndexOfItem(item) == 0) return it;
    const ColumnRecord& c = g_.Column(itemPositions_[static_cast<std::size_t>(item)]);
    it.text = c.headerText;
    it.icon = c.headerIcon;
    it.alignH = c.headerAlignH;
    it.alignV = c.headerAlignV;
    it.textFlags = c.headerTextFlags;
    it.backColor = c.headerBackColor;
    it.foreColor = c.headerForeColor;
    it.sortKey = c.sortKey;
    it.sortOrder = c.sortOrder;
    it.width = c.width;
    for (int32_t p = 1; p <= g_.ColCount(); ++p)
        if (g_.Column(p).sortKey > 0) ++it.sortCount;
    return it;
}

int32_t GridChrome::ColIndexOfItem(int item) const {
    if (item < 0 || item >= static_cast<int>(itemPositions_.size())) return 0;
    // While updates are held back the items may still list columns removed since.
    const int32_t pos = itemPositions_[static_cast<std::size_t>(item)];
    if (pos < 1 || pos > g_.ColCount()) return 0;
    return g_.Column(pos).index;
}

void GridChrome::RebuildHeaderItems() {
    if (header_ && g_.BeginUpdateCount() > 0) {
        // The header does not redraw now: the rebuild waits for EndUpdate.
        headerNeedsRelayout_ = true;
        return;
    }
    std::vector<int32_t> positions;
    for (int32_t p = 1; p <= g_.ColCount(); ++p)
        if (g_.Column(p).laidOut) positions.push_back(p);
    if (!header_) {
        itemPositions_ = positions;
        return;
    }
    if (positions != itemPositions_ || header_->ItemCount() != static_cast<int>(positions.size())) {
        itemPositions_ = positions;
        header_->SetItems(static_cast<int>(positions.size()));
    } else {
        // The same items: only their widths follow (an item being resized keeps its drag).
        for (std::size_t i = 0; i < positions.size(); ++i) header_->SetItemWidth(static_cast<int>(i), g_.Column(positions[i]).width);
    }
    header_->RefreshEntireHeader();
}

void GridChrome::PositionHeader() {
    if (!header_) return;
    int32_t clientWidth = Wm().GetClientRect(hwnd_).width();
    int32_t height = headerSettings_.visible ? g_.HeaderHeight() : 0;
    headerSettings_.height = g_.HeaderHeight();
    bool frozen = std::min(g_.FrozenCols(), g_.ColCount()) > 0;
    if (frozen || !bars_)
        header_->Move(0, 0, clientWidth + 1, height);
    else
        header_->Move(headerSettings_.visible ? -g_.ScrollX() : 0, 0, g_.ContentWidth() + clientWidth + 1, height);
}

void GridChrome::SetHeaderRedraw(bool on) {
    if (!header_) return;
    if (headerSettings_.visible) header_->SetRedraw(on);
    if (!on) return;
    if (headerNeedsRelayout_) {
        headerNeedsRelayout_ = false;
        RebuildHeaderItems();
    } else {
        header_->RefreshEntireHeader();
    }
}

void GridChrome::UpdateView() {
    if (!HasWindow() || updating_) return;
    updating_ = true;
    AdjustScrollBars(true);
    RebuildHeaderItems();
    PositionHeader();
    updating_ = false;
}

// ---- header settings ---------------------------------------------------------------------------------

void GridChrome::HeaderSettingsChanged() {
    if (header_) header_->ApplyStyle();
}

void GridChrome::SetHeaderFont(std::shared_ptr<FontObject> f) {
    headerFont_ = f ? std::move(f) : FontObject::Create();
    if (header_) header_->SetFont(headerFont_);
    if (headerSettings_.autoHeightFlags & lxHAHOnFontsChange) AutoHeight();
}

void GridChrome::SetSortInfoFont(std::shared_ptr<FontObject> f) {
    sortInfoFont_ = f ? std::move(f) : FontObject::Create();
    if (header_) header_->SetSortInfoFont(sortInfoFont_);
    if (headerSettings_.autoHeightFlags & lxHAHOnFontsChange) AutoHeight();
}

void GridChrome::SetHeaderImageList(std::shared_ptr<gfx::ImageList> list) {
    headerImageList_ = std::move(list);
    if (header_) header_->SetImageList(headerImageList_);
}

void GridChrome::SetHeaderVisible(bool visible) {
    if (headerSettings_.visible == visible) return;
    headerSettings_.visible = visible;
    if (header_) header_->SetVisible(visible);
    // A hidden header gives its room to the cells area.
    g_.updateViewSize();
    g_.MarkLayout(layout_mark::kAll);
    g_.RelayoutAndRedraw();
}

ui::Size GridChrome::HeaderItemOptimalSize(int32_t colPos) const {
    // Measured without a window too: a detached wrapper is not needed for the arithmetic.
    auto it = std::find(itemPositions_.begin(), itemPositions_.end(), colPos);
    HeaderItemInfo info;
    if (it != itemPositions_.end()) {
        info = HeaderItem(static_cast<int>(it - itemPositions_.begin()));
    } else {
        const ColumnRecord& c = g_.Column(colPos);
        info.text = c.headerText;
        info.icon = c.headerIcon;
        info.textFlags = c.headerTextFlags;
        info.sortKey = c.sortKey;
    }
    if (header_) return header_->CalcItemAutoSize(info);
    gfx::TextLayout l = gfx::layoutText(*gfx::Font::defaultFont(), info.text, {0, 0, 100000, 100000}, gfx::DT_NOPREFIX);
    return {l.maxWidth + 6, static_cast<int>(l.lines.size()) * l.lineHeight + 6};
}

void GridChrome::AutoHeight() {
    int32_t best = 0;
    for (int32_t p : itemPositions_) best = std::max<int32_t>(best, HeaderItemOptimalSize(p).cy);
    if (itemPositions_.empty() && header_) best = header_->OptimalHeight();
    g_.SetHeaderHeight(std::max(best, headerSettings_.minHeight));
}

bool GridChrome::IsColHeaderTextClipped(int32_t colPos, bool checkPartiallyHidden) {
    const ColumnRecord& c = g_.Column(colPos);
    ui::Size need = HeaderItemOptimalSize(colPos);
    if (need.cx > c.width || need.cy > g_.HeaderHeight()) return true;
    if (!checkPartiallyHidden) return false;
    int32_t right = c.left + c.width - (std::min(g_.FrozenCols(), g_.ColCount()) > 0 ? 0 : g_.ScrollX());
    return !c.laidOut || right > g_.ClientWidth();
}

// ---- header events ---------------------------------------------------------------------------------------

void GridChrome::ColumnClick(int item, int x, int y, int32_t shift) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0) return;
    if (g_.IsEditing()) g_.EndEditing();
    // Events report client-area pixels of the grid: the header's point moves by the header's place
    // in the grid's client area (not in its window, which counts the border).
    ui::Point at{x, y};
    if (header_) {
        const ui::Rect hr = Wm().GetWindowRect(header_->hWnd());
        ui::Point origin{0, 0};
        Wm().ClientToScreen(hwnd_, origin);
        at = {x + hr.left - origin.x, y + hr.top - origin.y};
    }
    std::array<Variant, 5> args{Variant(col), Variant::byRef(Variant(true)), Variant(static_cast<int16_t>(shift)),
                                Variant(static_cast<float>(at.x)), Variant(static_cast<float>(at.y))};
    Raise("ColHeaderClick", args);
    if (!ToBool(args[1].deref()) || !g_.AllowSorting()) return;
    // The sort a click starts reports its failure to the user, never to the caller.
    std::string error = g_.SortByHeaderClick(col, shift);
    if (!error.empty()) Wm().MessageBox(hwnd_, error, kLibraryProductName, 16);
}

void GridChrome::ColumnDblClick(int item) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0) return;
    std::array<Variant, 1> args{Variant(col)};
    Raise("ColHeaderDblClick", args);
}

void GridChrome::DividerDblClick(int item) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0) return;
    std::array<Variant, 2> args{Variant(col), Variant::byRef(Variant(true))};
    Raise("ColDividerDblClick", args);
    if (!ToBool(args[1].deref())) return;
    // The grid's own auto-sizing: every row's displayed text, the cell controls, the tree
    // indentation and (with AutoWidthColWithHeader) the header item, within the column's limits.
    g_.AutoWidthCol(Variant(col));
    if (col > g_.ColCount()) return; // a handler removed the column meanwhile
    std::array<Variant, 2> changed{Variant(col), Variant(g_.ColWidth(Variant(col)))};
    Raise("ColWidthChanged", changed);
}

bool GridChrome::ColumnSizable(int item) {
    int32_t col = ColIndexOfItem(item);
    return col != 0 && g_.Column(itemPositions_[static_cast<std::size_t>(item)]).allowSizing;
}

int32_t GridChrome::ClampToLimits(int32_t pos, int32_t width) const {
    const ColumnRecord& c = g_.Column(pos);
    if (c.minWidth >= 0) width = std::max(width, c.minWidth);
    if (c.maxWidth >= 0) width = std::min(width, c.maxWidth);
    return std::max(0, width);
}

void GridChrome::SetColumnWidthLive(int32_t pos, int32_t width) {
    if (g_.Column(pos).width == width) return;
    g_.applyColumnWidth(pos, width);
}

void GridChrome::ColumnWidthStartChange(int item, int32_t width) {
    std::array<Variant, 2> args{Variant(ColIndexOfItem(item)), Variant(width)};
    Raise("ColWidthStartChange", args);
}

void GridChrome::ColumnWidthChanging(int item, int32_t& width) {
    int32_t pos = itemPositions_[static_cast<std::size_t>(item)];
    width = ClampToLimits(pos, width);
    std::array<Variant, 2> args{Variant(ColIndexOfItem(item)), Variant(width)};
    Raise("ColWidthChanging", args);
    // The cells follow the divider.
    SetColumnWidthLive(pos, width);
}

void GridChrome::ColumnWidthChanged(int item, int32_t width) {
    int32_t pos = itemPositions_[static_cast<std::size_t>(item)];
    int32_t col = ColIndexOfItem(item);
    width = ClampToLimits(pos, width);
    SetColumnWidthLive(pos, width);
    std::array<Variant, 2> args{Variant(col), Variant(width)};
    Raise("ColWidthChanged", args);
}

bool GridChrome::ColumnBeginDrag(int item) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0 || !headerSettings_.dragCols) return true;
    int32_t pos = itemPositions_[static_cast<std::size_t>(item)];
    const ColumnTotals& t = g_.ColTotals();
    int32_t frozen = std::min(g_.FrozenCols(), g_.ColCount());
    int32_t frozenLaidOut = 0, nonFrozenShown = 0;
    for (int32_t p = 1; p <= g_.ColCount(); ++p) {
        const ColumnRecord& c = g_.Column(p);
        if (p <= frozen && c.laidOut) ++frozenLaidOut;
        if (p > frozen && c.visible && c.width >= 1) ++nonFrozenShown;
    }
    bool refused = (pos == t.firstShownPos && frozenLaidOut == 1 && pos <= frozen) ||
                   (pos == t.lastShownPos && nonFrozenShown == 1 && pos > frozen);
    std::array<Variant, 3> args{Variant(col), Variant::byRef(Variant(refused)), Variant(refused)};
    Raise("ColHeaderBeginDrag", args);
    // A refusal stands whatever the host answers.
    const bool cancelled = refused || ToBool(args[1].deref());
    if (!cancelled) StartHeaderAutoscroll();
    return cancelled;
}

// While an item is dragged and the pointer is within kHeaderAutoscrollZone pixels of the view's
// left or right edge, the view scrolls by one small change of the horizontal bar every
// kHeaderAutoscrollMs, and the dragged item's drop marker follows. Grids with frozen columns
// rebuild their header items when they scroll, which would end the drag: they do not autoscroll.
namespace {
constexpr int32_t kHeaderAutoscrollZone = 20;
constexpr int32_t kHeaderAutoscrollMs = 50;
} // namespace

void GridChrome::StartHeaderAutoscroll() {
    if (!header_ || std::min(g_.FrozenCols(), g_.ColCount()) > 0) return;
    if (!headerAutoscroll_) {
        headerAutoscroll_ = std::make_shared<CTimer>();
        headerAutoscroll_->SetTickHandler([this] { HeaderAutoscrollTick(); });
    }
    try {
        headerAutoscroll_->SetInterval(kHeaderAutoscrollMs);
    } catch (const AutomationError&) {
        // No timer to spare: the drag works without scrolling.
    }
}

void GridChrome::HeaderAutoscrollTick() {
    controls::HeaderControl* control = header_ ? header_->Control() : nullptr;
    if (control == nullptr || !control->IsDragging() || !bars_) {
        headerAutoscroll_->SetInterval(0);
        return;
    }
    ui::Point cursor = Wm().GetCursorPos();
    ui::Point inGrid = cursor;
    Wm().ScreenToClient(hwnd_, inGrid);
    const int32_t viewWidth = g_.View().viewWidth;
    const int direction = inGrid.x < kHeaderAutoscrollZone ? -1 : inGrid.x >= viewWidth - kHeaderAutoscrollZone ? 1 : 0;
    const cScrollBars::Bar& h = bars_->bar(kBarH);
    if (direction == 0 || !h.scrollable) return;
    const int32_t target = std::clamp(h.value + direction * std::max(1, h.smallChange), 0, std::max(0, h.max));
    if (target == h.value) return;
    bars_->SetValue(kBarH, target);
    // The header moved under the pointer: the drag follows it.
    ui::Point inHeader = cursor;
    Wm().ScreenToClient(header_->hWnd(), inHeader);
    Wm().SendMessage(header_->hWnd(), ui::WM_MOUSEMOVE, ui::MK_LBUTTON, ui::MakeLParam(inHeader.x, inHeader.y));
}

bool GridChrome::ColumnEndDrag(int item, int order) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0 || order < 0 || itemPositions_.empty()) return true;
    order = std::min<int>(order, static_cast<int>(itemPositions_.size()) - 1);
    g_.MarkLayout(layout_mark::kColumnsOnly);
    int32_t source = itemPositions_[static_cast<std::size_t>(item)];
    int32_t target = itemPositions_[static_cast<std::size_t>(order)];
    if (source == target) return true;
    // While updates are held back the items may still list columns removed since.
    if (target < 1 || target > g_.ColCount()) return true;
    int32_t frozen = g_.FrozenCols();
    bool frozenChange = (source <= frozen) != (target <= frozen);
    int32_t colBefore = g_.Column(target).index;
    std::array<Variant, 4> args{Variant(col), Variant(colBefore), Variant::byRef(Variant(false)), Variant(frozenChange)};
    Raise("ColHeaderEndDrag", args);
    if (ToBool(args[2].deref())) return true;
    // The host may have changed the columns meanwhile.
    if (col > g_.ColCount() || target > g_.ColCount()) return true;
    g_.SetColPos(Variant(col), target);
    std::array<Variant, 2> done{Variant(col), Variant(frozenChange)};
    Raise("ColHeaderEndDragComplete", done);
    return true;
}

void GridChrome::ColumnMouseEnter(int item) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0) return;
    std::array<Variant, 1> args{Variant(col)};
    Raise("ColHeaderMouseEnter", args);
    // The handler may have removed or moved columns: the tip is only for the column still there.
    if (!header_ || ColIndexOfItem(item) != col) return;
    const int32_t pos = itemPositions_[static_cast<std::size_t>(item)];
    if (pos < 1 || pos > g_.ColCount()) return;
    std::string text = IsColHeaderTextClipped(pos, true) ? g_.Column(pos).headerText : std::string();
    std::array<Variant, 4> tip{Variant(col), Variant::byRef(Variant(text)), Variant::byRef(Variant(int32_t{0})),
                               Variant::byRef(Variant(std::string()))};
    Raise("RequestColHeaderToolTip", tip);
    ShowTip(tooltip_, header_->hWnd(), tip, 1);
}

void GridChrome::ShowTip(CTooltip& tip, ui::Hwnd tool, std::span<Variant> args, size_t first) {
    std::string tipText = ToString(args[first].deref());
    if (tipText.empty() || !Wm().IsWindow(tool)) {
        tip.Destroy();
        return;
    }
    tip.SetTipText(tipText);
    tip.SetIcon(ToInt32(args[first + 1].deref()));
    tip.SetTitle(ToString(args[first + 2].deref()));
    tip.SetDelayTime(toolTipDelay_);
    tip.SetVisibleTime(toolTipVisible_);
    if (!tip.Create(tool)) return;
    // The pointer rests on the tool already: the initial delay starts now.
    if (controls::TooltipWindow* w = tip.Window()) w->RelayEvent(ui::WM_MOUSEMOVE);
}

void GridChrome::ColumnMouseLeave(int item) {
    int32_t col = ColIndexOfItem(item);
    if (col == 0) return;
    std::array<Variant, 1> args{Variant(col)};
    Raise("ColHeaderMouseLeave", args);
}

void GridChrome::CellMouseEnter(int32_t row, int32_t col) {
    if (!HasWindow()) return;
    std::string text = g_.IsCellTextClipped(Variant(row), Variant(col), true) ? g_.DisplayedText(row, col) : std::string();
    std::array<Variant, 5> tip{Variant(row), Variant(col), Variant::byRef(Variant(text)),
                               Variant::byRef(Variant(int32_t{0})), Variant::byRef(Variant(std::string()))};
    Raise("RequestCellToolTip", tip);
    ShowTip(cellTooltip_, hwnd_, tip, 2);
}

void GridChrome::CellMouseLeave() { cellTooltip_.Destroy(); }

void GridChrome::RightClick(int x, int y) {
    // HeaderRightClick first, then the built-in header menu.
    int32_t col = 0;
    if (header_) {
        controls::HeaderHit hit = header_->Control()->HitTest({x, y});
        if (hit.part == controls::HeaderHitPart::Item) col = ColIndexOfItem(hit.item);
    }
    std::array<Variant, 4> args{Variant(col), Variant(static_cast<int16_t>(Wm().ModifierState())),
                                Variant(static_cast<float>(x)), Variant(static_cast<float>(y))};
    Raise("HeaderRightClick", args);
    // The header menu opens at the click point in the grid window's coordinates.
    int32_t gx = x, gy = y;
    if (header_) {
        const ui::Rect hr = Wm().GetWindowRect(header_->hWnd()), gr = Wm().GetWindowRect(hwnd_);
        gx += hr.left - gr.left;
        gy += hr.top - gr.top;
    }
    g_.OpenHeaderContextMenu(col, gx, gy);
}

// ---- scroll bars ----------------------------------------------------------------------------------------

cScrollBars::Bar& GridChrome::Bar(int b) { return bars_ ? bars_->mutableBar(b) : storedBars_[static_cast<std::size_t>(b & 1)]; }

void GridChrome::SetBarValue(int b, int32_t v) {
    if (bars_) {
        bars_->SetValue(b, v);
        return;
    }
    cScrollBars::Bar& s = storedBars_[static_cast<std::size_t>(b & 1)];
    s.value = std::clamp(v, 0, std::max(0, s.max));
}

void GridChrome::MoveBarsTo(int32_t h, int32_t v) {
    for (int b = kBarH; b <= kBarV; ++b) {
        cScrollBars::Bar& s = bars_ ? bars_->mutableBar(b) : storedBars_[static_cast<std::size_t>(b)];
        s.value = std::max(0, b == kBarH ? h : v);
        s.max = std::max(s.max, s.value);
    }
}

void GridChrome::SyncBarValue(int b, int32_t v) {
    if (bars_) {
        bars_->SyncValue(b, v);
        return;
    }
    cScrollBars::Bar& s = storedBars_[static_cast<std::size_t>(b & 1)];
    s.value = std::clamp(v, 0, std::max(0, s.max));
}

void GridChrome::AdjustScrollBars(bool raiseVisibilityEvents) {
    if (!bars_) return;
    ui::WindowManager& wm = Wm();
    ui::Rect client = wm.GetClientRect(hwnd_);
    ScrollGeometry geo;
    // The area with no bar shown: the bars shown now take their room back.
    geo.cellsWidth = client.width() + (wm.IsScrollBarShown(hwnd_, ui::SB_VERT) ? wm.ScrollBarThickness(ui::SB_VERT) : 0);
    geo.cellsHeight = client.height() + (wm.IsScrollBarShown(hwnd_, ui::SB_HORZ) ? wm.ScrollBarThickness(ui::SB_HORZ) : 0) -
                      g_.CellsAreaTop();
    int32_t frozen = std::min(g_.FrozenCols(), g_.ColCount());
    geo.frozenCols = frozen;
    for (int32_t p = 1; p <= g_.ColCount(); ++p) {
        const ColumnRecord& c = g_.Column(p);
        bool shown = c.visible && c.width >= 1;
        if (p <= frozen) {
            if (shown) geo.frozenWidth += c.width;
        } else if (shown) {
            geo.scrollableWidth += c.width;
            geo.scrollableWidths.push_back(c.width);
        }
    }
    // The bottom of the last displayed row (a hidden last row adds nothing).
    geo.contentHeight = g_.ContentHeight();
    geo.defaultRowHeight = g_.DefaultRowHeight();
    geo.updatesSuspended = g_.BeginUpdateCount() > 0;
    ScrollAdjustResult r = bars_->Adjust(geo, raiseVisibilityEvents);
    if (geo.updatesSuspended) return;
    // The view follows the bars' values.
    if (frozen > 0)
        g_.SetHScrollValue(bars_->bar(kBarH).value);
    else if (g_.HScrollValue() != r.scrollX)
        g_.SetHScrollValue(r.scrollX);
    if (g_.ScrollY() != r.scrollY) g_.SetScrollY(r.scrollY);
}

void GridChrome::SetScrollBarStyle(int32_t style) {
    scrollBarStyle_ = style;
    if (bars_) bars_->SetStyle(style);
}

bool GridChrome::OnMouseWheel(int32_t distance, int32_t button, int32_t& shift, float x, float y) {
    std::array<Variant, 6> args{Variant(distance),
                                Variant(static_cast<int16_t>(button)),
                                Variant::byRef(Variant(static_cast<int16_t>(shift))),
                                Variant(x),
                                Variant(y),
                                Variant::byRef(Variant(true))};
    Raise("MouseWheel", args);
    shift = ToInt32(args[2].deref());
    return ToBool(args[5].deref());
}

bool GridChrome::OnBeforeScroll(int bar, int32_t reason, bool wheel, int32_t& newValue) {
    // A virtual grid scrolled down by a line to its end asks the host for one more row first; the
    // scroll then goes to the new end.
    if (bar == kBarV && reason == lxScrollReasonLineDownOrRight && g_.Virtual() && bars_ &&
        newValue >= bars_->bar(kBarV).max && g_.RequestVirtualRow()) {
        AdjustScrollBars(false);
        if (!bars_) return false;
        newValue = bars_->bar(kBarV).max;
    }
    std::array<Variant, 5> args{Variant(bar), Variant(reason), Variant(wheel), Variant::byRef(Variant(newValue)),
                                Variant::byRef(Variant(true))};
    Raise("ScrollBarBeforeScroll", args);
    newValue = ToInt32(args[3].deref());
    return ToBool(args[4].deref());
}

void GridChrome::OnValueChanged(int bar, int32_t value) {
    if (bar == kBarH) {
        g_.SetHScrollValue(value);
        if (std::min(g_.FrozenCols(), g_.ColCount()) > 0)
            RebuildHeaderItems();
        else if (header_)
            header_->Move(headerSettings_.visible ? -value : 0, -1, -1, -1);
    } else {
        g_.SetScrollY(value);
    }
    g_.RecalcVisibleRange();
    // Drawn at once, so that dragging the thumb shows every step.
    if (hwnd_ != 0 && g_.BeginUpdateCount() == 0) Wm().UpdateWindow(hwnd_);
    std::array<Variant, 2> args{Variant(bar), Variant(value)};
    Raise("ScrollBarPosChanged", args);
}

void GridChrome::OnThumbTrack(int bar, int32_t value) {
    std::array<Variant, 2> args{Variant(bar), Variant(value)};
    Raise("ScrollBarThumbTrack", args);
}

void GridChrome::OnEndScroll(int bar) {
    std::array<Variant, 1> args{Variant(bar)};
    Raise("ScrollBarEndScroll", args);
}

void GridChrome::OnEnabledChanged(int bar, bool enabled) {
    std::array<Variant, 2> args{Variant(bar), Variant(enabled)};
    Raise("ScrollBarEnabledChanged", args);
}

void GridChrome::OnVisibilityChanged(int bar, bool visible) {
    std::array<Variant, 2> args{Variant(bar), Variant(visible)};
    Raise("ScrollBarVisibilityChanged", args);
}

// ---- visual styles -----------------------------------------------------------------------------------------

bool GridChrome::XPStylesInEffect() const { return useXPStyles_ && g_.Supports(0); }

void GridChrome::SetUseXPStyles(bool wish) {
    useXPStyles_ = wish;
    if (bars_) {
        bars_->SetUseFlat(!XPStylesInEffect() && g_.Supports(2));
        bars_->SetStyle(scrollBarStyle_);
        bars_->SetThemed(XPStylesInEffect());
    }
    RefreshDropDownLook(g_.DropDownWindow(), XPStylesInEffect());
    g_.Painter().InvalidateCaches();
    g_.PropertyChanged("UseXPStyles");
    g_.RelayoutAndRedraw();
}

void GridChrome::ThemeChanged() {
    g_.RedetectSupports();
    if (header_) {
        header_->SetSystemThemed(g_.Supports(0));
        if (headerSettings_.autoHeightFlags & lxHAHOnThemeChange) AutoHeight();
    }
    if (bars_) {
        bars_->SetUseFlat(!XPStylesInEffect() && g_.Supports(2));
        bars_->SetThemed(XPStylesInEffect());
    }
    RefreshDropDownLook(g_.DropDownWindow(), XPStylesInEffect());
    g_.Painter().InvalidateCaches();
    g_.InvalidateView();
    std::array<Variant, 1> args{Variant(g_.Supports(0))};
    Raise("WindowsThemeChanged", args);
}

// New system colours: the glyphs drawn in the old ones go and everything is painted again. The
// change may come with new bar metrics: they are measured again a moment later, and the bars
// recreated when their thickness changed.
void GridChrome::RemeasureScrollBars() {
    if (!bars_) return;
    int32_t h = bars_->Thickness(kBarH), v = bars_->Thickness(kBarV);
    if (h == hThickness_ && v == vThickness_) return;
    bool hChanged = h != hThickness_, vChanged = v != vThickness_;
    hThickness_ = h;
    vThickness_ = v;
    // The new bars start where the old ones were.
    const int32_t hValue = bars_->bar(kBarH).value, vValue = bars_->bar(kBarV).value;
    CreateScrollBars();
    MoveBarsTo(hValue, vValue);
    AdjustScrollBars(false);
    if (hChanged) {
        std::array<Variant, 2> args{Variant(kBarH), Variant(h)};
        Raise("ScrollBarThicknessChanged", args);
    }
    if (vChanged) {
        std::array<Variant, 2> args{Variant(kBarV), Variant(v)};
        Raise("ScrollBarThicknessChanged", args);
    }
}

// A screen of another dpi: the header's fonts and glyphs are made again, and the bars take the
// thickness of the new screen at once.
void GridChrome::ScreenDpiChanged() {
    RefreshDropDownLook(g_.DropDownWindow(), XPStylesInEffect());
    if (header_ && header_->hWnd() != 0) Wm().InvalidateRect(header_->hWnd(), nullptr, true);
    RemeasureScrollBars();
}

void GridChrome::SystemColorsChanged() {
    g_.Painter().InvalidateCaches();
    g_.InvalidateView();
    if (header_ && header_->hWnd() != 0) Wm().InvalidateRect(header_->hWnd(), nullptr, true);
    if (!recreateTimer_) {
        recreateTimer_ = std::make_shared<CTimer>();
        recreateTimer_->SetTickHandler([this] {
            recreateTimer_->SetInterval(0);
            RemeasureScrollBars();
        });
    }
    try {
        recreateTimer_->SetInterval(1);
    } catch (const AutomationError&) {
        // No timer: the bars keep their thickness until the next change.
    }
}

} // namespace lattix

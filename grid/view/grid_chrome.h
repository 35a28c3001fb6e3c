// The grid's window furniture: the column header bar, the two scroll bars, the visual-styles
// choice and the tooltips. It keeps their settings (which exist with or without a window), creates
// the header window and the scroll bar engine when the grid gets its window, follows the geometry
// when the view is updated (bars, ranges, header items and placement) and turns header, scroll and
// wheel actions into the grid's events and reactions.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/view/ctimer.h"
#include "grid/view/ctooltip.h"
#include "grid/view/header_bar.h"
#include "grid/view/scroll_bars.h"

namespace lattix {

class Lattix;

class GridChrome final : public HeaderItemSource, public HeaderBarListener, public ScrollBarsListener {
public:
    explicit GridChrome(Lattix& grid);
    ~GridChrome() override;
    GridChrome(const GridChrome&) = delete;
    GridChrome& operator=(const GridChrome&) = delete;

    // ---- window lifecycle
    void AttachWindow(ui::Hwnd hwnd);
    void DetachWindow();
    cHeaderControl* HeaderBar() const { return header_.get(); }
    cScrollBars* Bars() const { return bars_.get(); }

    // ---- header settings (HeaderObject)
    HeaderSettings& Header() { return headerSettings_; }
    const HeaderSettings& Header() const { return headerSettings_; }
    std::shared_ptr<FontObject> HeaderFont() const { return headerFont_; }
    std::shared_ptr<FontObject> SortInfoFont() const { return sortInfoFont_; }
    void SetHeaderFont(std::shared_ptr<FontObject> f);
    void SetSortInfoFont(std::shared_ptr<FontObject> f);
    // The header's image list (none: no icons).
    void SetHeaderImageList(std::shared_ptr<gfx::ImageList> list);
    const std::shared_ptr<gfx::ImageList>& HeaderImageList() const { return headerImageList_; }
    // Applies changed settings (styles, look) and repaints the header.
    void HeaderSettingsChanged();
    void SetHeaderVisible(bool visible);
    // Height = max(optimal height, MinHeight).
    void AutoHeight();
    ui::Size HeaderItemOptimalSize(int32_t colPos) const;
    bool IsColHeaderTextClipped(int32_t colPos, bool checkPartiallyHidden);

    // ---- scroll bars (ScrollBarObject)
    // The bar's state: the engine's while there is a window, the stored one otherwise.
    cScrollBars::Bar& Bar(int b);
    void SetBarValue(int b, int32_t v);
    // The view scrolled by code (ensure visible, drag scrolling): the bar follows silently, so
    // that the next adjustment does not pull the view back to a stale bar value.
    void SyncBarValue(int b, int32_t v);
    // Puts the bars at these positions, their ranges widened where needed, before the grid lays
    // out again (a new dpi scales the positions); nothing is raised.
    void MoveBarsTo(int32_t h, int32_t v);
    void AdjustScrollBars(bool raiseVisibilityEvents);
    int32_t ScrollBarStyle() const { return scrollBarStyle_; }
    void SetScrollBarStyle(int32_t style);

    // ---- visual styles and tooltips
    bool UseXPStyles() const { return useXPStyles_; }
    bool XPStylesInEffect() const;
    void SetUseXPStyles(bool wish);
    void ThemeChanged();
    // Measures the bars again and recreates them when their thickness changed (raising
    // ScrollBarThicknessChanged for each bar that changed).
    void RemeasureScrollBars();
    void SystemColorsChanged();
    void ScreenDpiChanged();
    int32_t ToolTipDelayTime() const { return toolTipDelay_; }
    int32_t ToolTipVisibleTime() const { return toolTipVisible_; }
    void SetToolTipDelayTime(int32_t ms) { toolTipDelay_ = ms; }
    void SetToolTipVisibleTime(int32_t ms) { toolTipVisible_ = ms; }
    // The pointer came to rest on a cell (from the mouse handling): asks the host for a tip, which
    // starts as the cell's text when that is clipped; an empty tip shows nothing.
    void CellMouseEnter(int32_t row, int32_t col);
    // The pointer left the cell: its tip goes away.
    void CellMouseLeave();
    // The header's tip and the cells' tip.
    CTooltip& Tooltip() { return tooltip_; }
    CTooltip& CellTooltip() { return cellTooltip_; }

    // ---- view update (from the grid's relayout)
    void UpdateView();
    // BeginUpdate (off) and EndUpdate (on): the header bar stops and resumes redrawing; at the
    // resume it rebuilds its items when a rebuild was asked for meanwhile, else it repaints.
    void SetHeaderRedraw(bool on);
    bool HeaderNeedsRelayout() const { return headerNeedsRelayout_; }
    // The column position of each header item.
    const std::vector<int32_t>& ItemPositions() const { return itemPositions_; }

    // HeaderItemSource
    HeaderItemInfo HeaderItem(int item) const override;
    // HeaderBarListener
    void ColumnClick(int item, int x, int y, int32_t shift) override;
    void ColumnDblClick(int item) override;
    bool ColumnBeginDrag(int item) override;
    bool ColumnEndDrag(int item, int order) override;
    void ColumnWidthStartChange(int item, int32_t width) override;
    void ColumnWidthChanging(int item, int32_t& width) override;
    void ColumnWidthChanged(int item, int32_t width) override;
    bool ColumnSizable(int item) override;
    void DividerDblClick(int item) override;
    void ColumnMouseEnter(int item) override;
    void ColumnMouseLeave(int item) override;
    void RightClick(int x, int y) override;
    void HeightChanged() override {}
    // ScrollBarsListener
    bool OnMouseWheel(int32_t distance, int32_t button, int32_t& shift, float x, float y) override;
    bool OnBeforeScroll(int bar, int32_t reason, bool wheel, int32_t& newValue) override;
    void OnValueChanged(int bar, int32_t value) override;
    void OnThumbTrack(int bar, int32_t value) override;
    void OnEndScroll(int bar) override;
    void OnEnabledChanged(int bar, bool enabled) override;
    void OnVisibilityChanged(int bar, bool visible) override;
    void OnHeaderReposition() override { PositionHeader(); }

private:
    static ui::LResult WindowSubclass(ui::Hwnd, ui::MessageId, ui::WParam, ui::LParam, std::uintptr_t, std::uintptr_t);
    void CreateScrollBars();
    void RebuildHeaderItems();
    void PositionHeader();
    int32_t ColIndexOfItem(int item) const;
    int32_t ClampToLimits(int32_t pos, int32_t width) const;
    void SetColumnWidthLive(int32_t pos, int32_t width);
    void StartHeaderAutoscroll();
    void HeaderAutoscrollTick();
    void Raise(const char* name, std::span<Variant> args);
    // Shows `tip` for `tool` with the answer of a Request...ToolTip event (text, icon, title at
    // args[first], args[first + 1], args[first + 2]); an empty text removes it.
    void ShowTip(CTooltip& tip, ui::Hwnd tool, std::span<Variant> args, size_t first);
    bool HasWindow() const { return hwnd_ != 0; }

    Lattix& g_;
    ui::Hwnd hwnd_ = 0;
    std::unique_ptr<cHeaderControl> header_;
    std::unique_ptr<cScrollBars> bars_;
    HeaderSettings headerSettings_;
    std::shared_ptr<FontObject> headerFont_;
    std::shared_ptr<FontObject> sortInfoFont_;
    std::shared_ptr<gfx::ImageList> headerImageList_;
    std::array<cScrollBars::Bar, 2> storedBars_{};
    int32_t scrollBarStyle_ = lxScrollBarRegular;
    bool useXPStyles_ = true;
    int32_t toolTipDelay_ = -1;
    int32_t toolTipVisible_ = 20000;
    CTooltip tooltip_;
    CTooltip cellTooltip_;
    std::shared_ptr<CTimer> recreateTimer_;
    // Scrolls the header (and the cells) while an item is dragged near the view's edge.
    std::shared_ptr<CTimer> headerAutoscroll_;
    int32_t hThickness_ = 0, vThickness_ = 0;
    std::vector<int32_t> itemPositions_;
    bool updating_ = false;
    bool headerNeedsRelayout_ = false;
};

} // namespace lattix

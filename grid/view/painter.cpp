// Draw and the row walk. See painter.h for how one repaint flows.
#include "grid/view/painter.h"

#include <algorithm>
#include <exception>

#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/view/cell_look.h"
#include "grid/view/colors.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/dc_handles.h"
#include "platform/gfx/system_colors.h"

namespace lattix {

namespace {
// Restores the painter's flags and the grid's structural guard however the paint ends.
class PaintScope {
public:
    PaintScope(bool& painting, int& structuralDepth) : painting_(painting), depth_(structuralDepth) {
        painting_ = true;
        ++depth_;
    }
    ~PaintScope() {
        --depth_;
        painting_ = false;
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

private:
    bool& painting_;
    int& depth_;
};

// Ends the use of the window surface however the paint ends.
class SurfaceScope {
public:
    explicit SurfaceScope(PaintSurface& s) : s_(s), dc_(s.begin()) {}
    ~SurfaceScope() {
        if (dc_) s_.end(dc_);
    }
    SurfaceScope(const SurfaceScope&) = delete;
    SurfaceScope& operator=(const SurfaceScope&) = delete;
    gfx::DeviceContext* dc() const { return dc_; }

private:
    PaintSurface& s_;
    gfx::DeviceContext* dc_;
};
} // namespace

GridPainter::GridPainter(Lattix& grid)
    : g_(grid), surface_(&ownSurface_),
      ownSurface_([this] { return gfx::Size{g_.ClientWidth(), g_.ClientHeight()}; }) {}

void GridPainter::AttachWindow(ui::Hwnd hwnd) {
    if (hwnd == 0) {
        windowSurface_.reset();
        surface_ = &ownSurface_;
    } else {
        windowSurface_.emplace(hwnd);
        surface_ = &*windowSurface_;
    }
    RequestRepaintAll();
}

void GridPainter::PaintInto(gfx::DeviceContext& dc, gfx::Size clientSize, bool all) {
    GivenSurface given(dc, clientSize);
    PaintSurface* previous = surface_;
    surface_ = &given;
    if (all) RequestRepaintAll();
    try {
        Draw();
    } catch (...) {
        surface_ = previous;
        throw;
    }
    surface_ = previous;
}

void GridPainter::ScrollRows(int32_t dy) {
    if (dy == 0) return;
    const int32_t viewHeight = g_.View().viewHeight;
    const int32_t hh = g_.CellsAreaTop();
    const gfx::Size client = surface_->clientSize();
    const bool canCopy = !repaintAll_ && !painting_ && !suppressed_ && g_.beginUpdateCount_ == 0 && viewHeight > 0 &&
                         std::abs(dy) < viewHeight && client.cx > 0;
    if (!canCopy) {
        RequestRepaintAll();
        Draw();
        return;
    }
    {
        SurfaceScope window(*surface_);
        gfx::DeviceContext* dc = window.dc();
        if (!dc) return;
        // Move what stays in view, then repaint the band that came into view.
        const int32_t w = std::min<int32_t>(client.cx, g_.View().viewWidth > 0 ? g_.View().viewWidth : client.cx);
        // The pixels scroll in place (the surface is the window's own bitmap).
        gfx::Bitmap& bmp = dc->bitmap();
        const gfx::Point origin = dc->viewportOrigin();
        const int32_t width = std::min<int32_t>(w, bmp.width() - origin.x);
        const int32_t top = hh + origin.y;
        if (width > 0 && origin.x >= 0 && top >= 0 && top + viewHeight <= bmp.height()) {
            bmp.scrollBlock(gfx::rectOfSize(origin.x, top, width, viewHeight), dy);
        } else {
            repaintAll_ = true;
        }
        band_ = dy > 0 ? std::pair<int32_t, int32_t>{hh + viewHeight - dy, hh + viewHeight}
                       : std::pair<int32_t, int32_t>{hh, hh - dy};
    }
    repaintBelowRows_ = true;
    try {
        Draw();
    } catch (...) {
        band_.reset();
        throw;
    }
    band_.reset();
}

GridPainter::~GridPainter() = default;

void GridPainter::InvalidateCaches() {
    glyphs_.clear();
    fontCache_.clear();
}

void GridPainter::preparePass(Pass& pass) {
    const PaintSettings& s = g_.paint_;
    glyphs_.setDpi(g_.ScreenDpiX());
    pass.disabledLook = !s.enabled && s.changeColorsWhenDisabled;
    pass.themed = g_.chrome_ && g_.chrome_->XPStylesInEffect();
    pass.focused = g_.HasFocus();
    pass.highlightOn = s.highlightSelCells && (pass.focused || !s.hideSelection);
    pass.alphaSelection = g_.Supports(3) && s.selectionAlphaBlend != 255; // lxSupFeatAlphaBlendSel
    const ViewState& v = g_.View();
    pass.scrollX = v.scrollX;
    pass.scrollY = v.scrollY;
    pass.viewWidth = v.viewWidth;
    const gfx::Size client = surface_->clientSize();
    pass.clientWidth = client.cx;
    pass.clientHeight = client.cy;
    pass.headerHeight = g_.CellsAreaTop();

    auto colour = [](int32_t ole) -> std::optional<gfx::Color> {
        int32_t rgb = TranslateColor(ole);
        if (rgb == -1) return std::nullopt;
        return static_cast<gfx::Color>(rgb);
    };
    pass.gridLineColor.reset();
    if (g_.GridLines() != 0)
        pass.gridLineColor = pass.disabledLook ? std::optional<gfx::Color>(gfx::sysColor(gfx::COLOR_GRAYTEXT))
                                               : colour(s.gridLineColor);
    pass.frozenEdgeColor.reset();
    if (g_.FrozenCols() > 0 && (g_.GridLines() != 0 || g_.FrozenColsEdgeDrawAlways()))
        pass.frozenEdgeColor = colour(g_.FrozenColsEdgeColor());
    pass.background = pass.disabledLook ? gfx::sysColor(gfx::COLOR_BTNFACE)
                                        : colour(g_.BackColor()).value_or(gfx::sysColor(gfx::COLOR_WINDOW));
    const ColumnTotals& t = g_.ColTotals();
    pass.contentRight = 0;
    if (t.lastShownPos > 0) {
        const ColumnRecord& c = g_.Column(t.lastShownPos);
        pass.contentRight = c.left + c.width - pass.scrollX;
    }
    pass.selectionColor = colour(pass.focused ? s.highlightBackColor : s.highlightBackColorNoFocus);
}

void GridPainter::requestVirtualRows(const Pass& pass) {
    // Rows are added at the end while the last one ends above the bottom of the cells area.
    const int32_t viewHeight = g_.View().viewHeight;
    int32_t guard = 0;
    while (!g_.virtualEnd_ && guard++ < 100000) {
        const VisibleRange& vr = g_.VisRange();
        const int32_t bottom = vr.lastRow >= 1 ? vr.lastRowBottom : 0;
        if (bottom >= viewHeight) break;
        if (!g_.RequestVirtualRow()) break;
        g_.RecalcVisibleRange();
    }
    (void)pass;
}

bool GridPainter::rowNeedsPaint(const Pass& pass, int32_t row) const {
    if (repaintAll_) return true;
    const RowRecord& r = g_.Row(row);
    if (band_) {
        const int32_t top = r.top - pass.scrollY + pass.headerHeight;
        if (top < band_->second && top + r.height > band_->first) return true;
    }
    const int32_t textCol = g_.RowTextCol();
    if (g_.Cell(row, textCol).changed()) return true;
    if (r.isGroup()) return false;
    const VisibleRange& vr = g_.VisRange();
    for (int32_t p = std::max(1, vr.firstCol); p <= vr.lastCol && p <= textCol; ++p) {
        const ColumnRecord& c = g_.Column(p);
        if (c.laidOut && g_.Cell(row, c.index).changed()) return true;
    }
    return false;
}

void GridPainter::Draw() {
    if (g_.beginUpdateCount_ > 0 || painting_ || suppressed_ || g_.InDesignMode()) return;
    const gfx::Size client = surface_->clientSize();
    if (client.cx <= 0 || client.cy <= 0) return; // nothing to paint into
    PaintScope scope(painting_, g_.structuralDepth_);

    Pass pass;
    g_.RecalcVisibleRange();
    if (g_.paint_.isVirtual) {
        preparePass(pass);
        requestVirtualRows(pass);
    }
    preparePass(pass);

    // The row buffer is as high as the tallest visible row (at least a default row where empty
    // rows or requested rows may be painted).
    int32_t bufferHeight = g_.View().maxVisRowHeight;
    const PaintSettings& s = g_.paint_;
    if ((g_.GridLines() != 0 && (g_.GridLinesExtend() & 2)) || s.isVirtual)
        bufferHeight = std::max<int32_t>(bufferHeight, g_.DefaultRowHeight());
    bufferHeight = std::max(bufferHeight, 1);
    if (!rowBuffer_.ensure(client.cx, bufferHeight)) return;

    SurfaceScope window(*surface_);
    if (!window.dc()) return;
    // A full repaint of a retained surface composes its rows in place: the surface is itself the
    // full-view picture, shown once the paint is over. Only the cells area below the header is
    // reached, as by the one copy from the full-view buffer.
    const bool viaFullView = repaintAll_ && surface_->showsWhileDrawing();
    std::optional<gfx::DeviceContextStateSaver> windowState;
    if (viaFullView) {
        if (!fullView_.ensure(client.cx, client.cy)) return;
        pass.target = &fullView_.dc();
    } else {
        pass.target = window.dc();
        if (repaintAll_) {
            windowState.emplace(*window.dc());
            window.dc()->intersectClipRect({0, pass.headerHeight, client.cx, client.cy});
        }
    }
    if (repaintAll_) ++fullPaints_;

    const VisibleRange& vr = g_.VisRange();
    pass.paintedBottom = pass.headerHeight;
    std::exception_ptr firstError;
    if (vr.lastRow >= 1) {
        if (pass.alphaSelection && pass.selectionColor) {
            const ColumnTotals& t = g_.ColTotals();
            const int32_t w = std::max(1, t.frozenWidth + t.scrollableWidth);
            pass.alphaSource = gfx::Bitmap(w, bufferHeight, gfx::pixelOf(*pass.selectionColor));
        }
        for (int32_t r = vr.firstRow; r <= vr.lastRow; ++r) {
            if (!g_.Row(r).displayed()) continue;
            if (rowNeedsPaint(pass, r)) {
                // A handler that fails in one row must not keep the rows after it from being
                // painted, now or in later paints: the row is given up (its marks cleared), the
                // walk goes on, and the first error reaches the caller once the paint is over.
                try {
                    paintRow(pass, r);
                } catch (...) {
                    if (!firstError) firstError = std::current_exception();
                    giveUpRow(r);
                }
            }
            const RowRecord& rec = g_.Row(r);
            pass.paintedBottom = rec.top + rec.height - pass.scrollY + pass.headerHeight;
        }
    }
    if (repaintBelowRows_) paintBelowRows(pass);
    if (viaFullView) {
        const int32_t h = client.cy - pass.headerHeight;
        if (h > 0)
            window.dc()->bitBlt(0, pass.headerHeight, client.cx, h, fullView_.bitmap(), 0, pass.headerHeight);
    }
    repaintAll_ = false;
    repaintBelowRows_ = false;
    if (firstError) std::rethrow_exception(firstError);
}

void GridPainter::giveUpRow(int32_t row) {
    const Lattix& grid = g_;
    for (int32_t c = 1; c <= g_.ColCount() + 1; ++c)
        if (grid.Cell(row, c).changed()) g_.Cell(row, c).clearChanged();
}

void GridPainter::paintRow(Pass& pass, int32_t row) {
    if (!(g_.Row(row).flags & row_flags::kFirstDrawn)) {
        g_.rows_[row].flags |= row_flags::kFirstDrawn;
        Variant args[] = {Variant(row)};
        g_.RaiseEvent(event_id::kBeforeRowFirstDraw, args);
    }
    // The row-text cell is painted with the row (or not at all): its flag is settled here.
    g_.Cell(row, g_.RowTextCol()).clearChanged();
    const RowRecord& rec = g_.Row(row);
    const int32_t h = rec.height;
    const int32_t top = rec.top - pass.scrollY + pass.headerHeight;
    if (h <= 0) return;
    if (h > rowBuffer_.height() && !rowBuffer_.ensure(rowBuffer_.width(), h)) return;
    rowBuffer_.ensure(rowBuffer_.width(), rowBuffer_.height()); // fresh context state
    gfx::DeviceContext& dc = rowBuffer_.dc();
    ++rowsPainted_;

    // The host's row colours and font (the event has no drawing context, so asking before the
    // background is filled changes no pixel).
    RowFormat rowFormat;
    if (g_.DynamicContentEvents() & dynamic_events::kRowFormatting) rowFormat = raiseRowFormatting(g_, row);
    int32_t tint = rowFormat.backColor;
    if (tint == -1)
        tint = (g_.Row(row).visibleIndex % 2 == 0) ? g_.BackColorEvenRows() : g_.BackColorOddRows();
    int32_t tintRgb = -1;
    if (tint != -1 && !pass.disabledLook) tintRgb = TranslateColor(tint);

    // Background, aligned as if painted at the row's window position. The tint covers the row up
    // to the content's right edge in one solid colour, so the background is filled only to its
    // right (the tiles of a picture keep their alignment whatever the left edge).
    const int32_t tintRight = tintRgb != -1 ? std::clamp(pass.contentRight, 0, rowBuffer_.width()) : 0;
    fillBackground(dc, {tintRight, 0, rowBuffer_.width(), h}, 0, top - pass.headerHeight, pass);
    if (tintRight > 0) dc.fillRect({0, 0, tintRight, h}, static_cast<gfx::Color>(tintRgb));
    int32_t treeLineX = 0;
    drawRowLines(pass, row, h, treeLineX);

    const bool group = g_.Row(row).isGroup();
    const bool hasRowText = g_.DrawRowText() && !group;
    const int32_t rowTextStart = g_.RowTextStartPos();
    const VisibleRange& vr = g_.VisRange();
    if (!group) {
        for (int32_t p = std::max(1, vr.firstCol); p <= vr.lastCol && p <= g_.ColCount(); ++p) {
            const ColumnRecord& c = g_.Column(p);
            if (!c.laidOut) continue;
            gfx::Rect cellRect{c.left - pass.scrollX, 0, c.left - pass.scrollX + c.width, h};
            if (hasRowText && p >= rowTextStart) cellRect.bottom = g_.Row(row).normalCellHeight;
            paintCell(pass, row, p, c.index, cellRect, false, rowFormat);
        }
    }
    if (group || (hasRowText && g_.Row(row).normalCellHeight < h)) {
        const ColumnTotals& t = g_.ColTotals();
        const int32_t startPos = group ? t.firstShownPos : rowTextStart;
        if (startPos >= 1) {
            gfx::Rect cellRect{g_.Column(startPos).left - pass.scrollX, group ? 0 : g_.Row(row).normalCellHeight,
                               pass.contentRight, h};
            paintCell(pass, row, g_.ColCount() + 1, g_.RowTextCol(), cellRect, true, rowFormat);
        }
    }
    if (g_.RowMode() && row == g_.CurRow()) {
        const ColumnTotals& t = g_.ColTotals();
        if (t.firstShownPos >= 1) {
            gfx::Rect r{g_.Column(t.firstShownPos).left - pass.scrollX, 0, pass.contentRight, h};
            CellLines lines;
            drawFocusRect(pass, r, lines);
        }
    }
    rowBuffer_.blitTo(*pass.target, 0, top, pass.viewWidth > 0 ? pass.viewWidth : rowBuffer_.width(), h);
}

void GridPainter::paintCell(Pass& pass, int32_t row, int32_t pos, int32_t colIndex, const gfx::Rect& cellRect,
                            bool rowTextCell, const RowFormat& rowFormat) {
    CellLook look;
    look.row = row;
    look.pos = pos;
    look.colIndex = colIndex;
    look.cellRect = cellRect;
    look.rowTextCell = rowTextCell;
    look.rowFormat = &rowFormat;
    g_.Cell(row, colIndex).clearChanged();
    look.selected = selectedLook(pass, g_.Cell(row, colIndex));
    const int32_t rowTextStart = g_.RowTextStartPos();
    const bool aboveRowText = !rowTextCell && g_.DrawRowText() && pos >= rowTextStart;
    look.lines = cellLines(pass, pos, rowTextCell, aboveRowText);
    look.parts = g_.LayoutCellParts(row, colIndex, cellRect, true);
    drawVerticalLine(pass, cellRect, look.lines);
    look.selRect = selectionRect(pass, look);
    drawCellContents(pass, look);
    const bool current = row == g_.CurRow() && colIndex == g_.CurCol();
    if (!g_.RowMode() && current) drawFocusRect(pass, cellRect, look.lines);
    DcHandle hdc(rowBuffer_.dc());
    Variant args[] = {Variant(row), Variant(colIndex), Variant(hdc.value()), Variant(cellRect.left),
                      Variant(cellRect.top), Variant(cellRect.right), Variant(cellRect.bottom),
                      Variant(look.selected)};
    g_.RaiseEvent(event_id::kAfterCellDraw, args);
}

} // namespace lattix

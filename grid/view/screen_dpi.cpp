// A grid that moves to a screen of another scale: the pixel sizes it holds are rescaled so that
// the grid looks the same, only sharper or coarser, and it lays out once.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/painter.h"

namespace lattix {

void Lattix::ScreenDpiChanged(int32_t dpi) {
    const int32_t old = system_.dpiX;
    if (dpi < 24 || dpi > 1200 || dpi == old || old <= 0) return;
    auto scale = [&](int64_t v, int64_t limit) {
        const int64_t s = (v * dpi + old / 2) / old;
        return std::clamp<int64_t>(s, v > 0 ? 1 : 0, limit);
    };
    auto scale16 = [&](int16_t v) { return v > 0 ? static_cast<int16_t>(scale(v, std::numeric_limits<int16_t>::max())) : v; };
    auto scale32 = [&](int32_t v) { return v > 0 ? static_cast<int32_t>(scale(v, std::numeric_limits<int32_t>::max() / 2)) : v; };

    EndEditing();
    CloseDropDown();
    // The row at the top of the view stays there: rounding each row's height may move its top by
    // more than a scaled position would.
    const int32_t topRow = RowAtContentY(view_.scrollY);
    const int32_t intoTopRow = topRow > 0 ? view_.scrollY - rows_[topRow].top : 0;
    for (int32_t r = 1; r <= rows_.count(); ++r) {
        RowRecord& row = rows_[r];
        row.height = scale16(row.height);
        row.normalCellHeight = scale16(row.normalCellHeight);
    }
    for (std::size_t p = 1; p < cols_.size(); ++p) {
        ColumnRecord& c = cols_[p];
        c.width = scale32(c.width);
        c.minWidth = scale32(c.minWidth);
        c.maxWidth = scale32(c.maxWidth);
        // A limit's rounding may not leave the width outside the limits.
        if (c.minWidth >= 0 && c.width < c.minWidth) c.width = c.minWidth;
        if (c.maxWidth >= 0 && c.width > c.maxWidth) c.width = c.maxWidth;
    }
    defaultRowHeight_ = scale16(defaultRowHeight_);
    defaultRowNormalCellHeight_ = scale16(defaultRowNormalCellHeight_);
    headerHeight_ = scale32(headerHeight_);
    // With frozen columns the horizontal position counts columns, not pixels.
    const bool pixelColumns = std::min(frozenCols_, colCount_) == 0;
    if (pixelColumns) view_.hScrollValue = view_.scrollX = scale32(view_.hScrollValue);

    system_.dpiX = dpi;
    painter_->InvalidateCaches();
    recomputeColumnPositions();
    LayoutRowsFrom(1);
    FlushRowLayout();
    view_.scrollY = topRow > 0 && topRow <= rows_.count() ? rows_[topRow].top + scale32(intoTopRow) : scale32(view_.scrollY);
    if (chrome_) chrome_->MoveBarsTo(view_.hScrollValue, view_.scrollY);
    MarkDefaultCellsDirty();
    MarkLayout(layout_mark::kAll);
    updateViewSize();
    clampScrollPosition();
    // The scroll bars made again at their new thickness resize the cells area, perhaps more than
    // once: the grid is painted after the last of them, once.
    ++beginUpdateCount_;
    try {
        if (chrome_) chrome_->ScreenDpiChanged();
    } catch (...) {
        --beginUpdateCount_;
        throw;
    }
    --beginUpdateCount_;
    RelayoutAndRedraw();
}

} // namespace lattix

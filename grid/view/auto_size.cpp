// Optimal sizes: GetOptimalCellHeight, AutoWidthCol(s) and AutoHeightRow(s).
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

#include "grid/objects/font_object.h"
#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"
#include "grid/automation/error_table.h"
#include "grid/model/cell_enums.h"
#include "platform/gfx/font.h"
#include "platform/gfx/system_metrics.h"
#include "platform/gfx/text_draw.h"
#include "runtime/conversions.h"

namespace lattix {

using namespace lattix_error;

namespace {
constexpr int32_t kMaxRowHeight = std::numeric_limits<int16_t>::max();
constexpr int32_t kIconAboveText = 2, kIconBelowText = 3;
// Room around a header item's text (the header bar refines this with its own item layout).
constexpr int32_t kHeaderTextPadding = 12;

void CheckLimits(int32_t minimum, int32_t maximum) {
    if (minimum >= 0 && maximum >= 0 && minimum > maximum) RaiseLattixError(kInvalidArgument);
}
void CheckVisibilityFilter(int32_t e) {
    if (e < 0 || e > 2) RaiseLattixError(kInvalidArgument);
}
int32_t IntFromEvent(const Variant& v) {
    try {
        return ToInt32(v.deref());
    } catch (...) {
        return 0;
    }
}
} // namespace

int32_t Lattix::OptimalHeightOf(const OptimalHeightInput& in) {
    int32_t h = in.textHeight;
    const int32_t icon = in.iconHeight, extra = in.extraIconHeight;
    if (in.iconToText == kIconAboveText || in.iconToText == kIconBelowText) {
        if (icon > 0) h += icon + cellIconGap_;
        if (extra > 0) h += extra + cellIconGap_;
    } else {
        h = std::max({h, icon, extra});
    }
    if (in.checkVisible) {
        const int32_t side = gfx::systemMetrics().checkBoxSize;
        if (in.checkPos == 1 || in.checkPos == 3) h += side + cellCheckGap_;
        else h = std::max(h, side);
    }
    if (in.comboButton) h = std::max(h, gfx::systemMetrics().comboButtonWidth);
    h += in.indentTop + in.indentBottom;
    if (focusRect_) h += 2;
    if (in.hGridLine && (gridLines_ & 2)) h += gridLineThicknessH_;
    return h;
}

int32_t Lattix::GetOptimalCellHeight(int32_t lTextLineCount, int32_t btImageList, int32_t btExtraImageList,
                                     int32_t eIconToText, bool bCheckVisible, int32_t eCheckPos, bool bComboButton,
                                     int32_t btIndentTop, int32_t btIndentBottom, const std::shared_ptr<FontObject>& oFont,
                                     bool bHGridLineAllowed) {
    if (lTextLineCount < 0) RaiseLattixError(kInvalidArgument);
    CheckImageListNumber(btImageList);
    CheckImageListNumber(btExtraImageList);
    CheckIconToText(eIconToText);
    CheckCheckPos(eCheckPos);
    if (btIndentTop < 0 || btIndentTop > 255 || btIndentBottom < 0 || btIndentBottom > 255) RaiseLattixError(kInvalidArgument);
    const std::shared_ptr<const gfx::Font> font = GfxFontOf(oFont ? *oFont : *font_);
    OptimalHeightInput in;
    in.textHeight = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(lTextLineCount) * font->metrics().height, kMaxRowHeight));
    in.iconHeight = IconSize(btImageList, 1).cy;
    in.extraIconHeight = IconSize(btExtraImageList, 1).cy;
    in.iconToText = eIconToText;
    in.checkVisible = bCheckVisible;
    in.checkPos = eCheckPos;
    in.comboButton = bComboButton;
    in.indentTop = btIndentTop;
    in.indentBottom = btIndentBottom;
    in.hGridLine = bHGridLineAllowed;
    return OptimalHeightOf(in);
}

int32_t Lattix::CellOptimalHeight(int32_t row, int32_t colIndex) {
    const CellRecord& cell = Cell(row, colIndex);
    const int32_t type = cell.typeBits & cell_bits::kTypeMask;
    if (type == cell_type::kCustomDraw) {
        Variant args[] = {Variant(row), Variant(colIndex), Variant::byRef(Variant(int32_t{0})),
                          Variant::byRef(Variant(int32_t{0}))};
        RaiseLockedEvent(event_id::kCustomDrawCellGetSize, args);
        return std::max(0, IntFromEvent(args[3]));
    }
    OptimalHeightInput in;
    const gfx::Rect textRect = CellTextRect(row, colIndex);
    if (row > rows_.count()) return 0;
    in.textHeight = MeasureCellText(row, colIndex, textRect.width()).cy;
    if (in.textHeight == 0) in.textHeight = GfxFontOf(*EffectiveFont(row, colIndex))->metrics().height;
    if (row > rows_.count()) return 0;
    const EffectiveIcons icons = CellIcons(row, colIndex);
    if (row > rows_.count()) return 0;
    const CellRecord& c = Cell(row, colIndex);
    in.iconHeight = IconSize(icons.imageList, icons.icon).cy;
    in.extraIconHeight = IconSize(icons.extraImageList, icons.extraIcon).cy;
    in.iconToText = (c.looks().alignment & cell_bits::kIconToTextMask) >> cell_bits::kIconToTextShift;
    in.checkVisible = c.checkBits & cell_bits::kCheckVisible;
    in.checkPos = c.looks().checkPos;
    in.comboButton = cell_type::IsComboType(type) && editable_;
    in.indentTop = c.looks().indentTop;
    in.indentBottom = c.looks().indentBottom;
    int32_t right = 0, bottom = 0;
    CellGridLines(row, colIndex, right, bottom);
    in.hGridLine = bottom > 0;
    return OptimalHeightOf(in);
}

int32_t Lattix::CellOptimalWidth(int32_t row, int32_t colIndex) {
    const CellRecord& cell = Cell(row, colIndex);
    const int32_t type = cell.typeBits & cell_bits::kTypeMask;
    if (type == cell_type::kCustomDraw) {
        Variant args[] = {Variant(row), Variant(colIndex), Variant::byRef(Variant(int32_t{0})),
                          Variant::byRef(Variant(int32_t{0}))};
        RaiseLockedEvent(event_id::kCustomDrawCellGetSize, args);
        return std::max(0, IntFromEvent(args[2]));
    }
    int32_t w = MeasureCellText(row, colIndex, 0).cx;
    if (row > rows_.count()) return 0;
    const EffectiveIcons icons = CellIcons(row, colIndex);
    if (row > rows_.count()) return 0;
    const CellRecord& c = Cell(row, colIndex);
    const int32_t iconToText = (c.looks().alignment & cell_bits::kIconToTextMask) >> cell_bits::kIconToTextShift;
    for (const gfx::Size s : {IconSize(icons.imageList, icons.icon), IconSize(icons.extraImageList, icons.extraIcon)}) {
        if (s.cx <= 0) continue;
        if (iconToText == kIconAboveText || iconToText == kIconBelowText) w = std::max(w, s.cx);
        else w += s.cx + cellIconGap_;
    }
    if (cell_type::IsComboType(type)) w += gfx::systemMetrics().comboButtonWidth + 1;
    if (c.checkBits & cell_bits::kCheckVisible) {
        const int32_t side = gfx::systemMetrics().checkBoxSize;
        if (c.looks().checkPos == 0 || c.looks().checkPos == 2) w += cellCheckGap_ + side;
        else w = std::max(w, side);
    }
    return w + c.looks().indentLeft + c.looks().indentRight;
}

bool Lattix::rowPassesFilter(int32_t row, int32_t eCellVisibility) {
    const RowRecord& r = rows_[row];
    switch (eCellVisibility) {
    case 1: {
        const VisibleRange& v = VisRange();
        return r.displayed() && row >= v.firstRow && row <= v.lastRow;
    }
    case 2: return (r.flags & row_flags::kVisible) && (r.flags & row_flags::kVisibleAsChild);
    default: return true;
    }
}

bool Lattix::positionPassesFilter(int32_t pos, int32_t eCellVisibility) {
    const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    switch (eCellVisibility) {
    case 1: {
        const VisibleRange& v = VisRange();
        return c.laidOut && pos >= v.firstCol && pos <= v.lastCol;
    }
    case 2: return c.visible;
    default: return true;
    }
}

// The header item's optimal width, measured as the header bar draws it (icon, sort information,
// title and the spacing around them).
int32_t Lattix::HeaderItemOptimalWidth(int32_t pos) const {
    if (chrome_) return chrome_->HeaderItemOptimalSize(pos).cx;
    const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    if (c.headerText.empty()) return 0;
    const std::shared_ptr<const gfx::Font> font = GfxFontOf(*font_);
    const gfx::TextLayout t = gfx::layoutText(*font, c.headerText, {0, 0, 1 << 24, 1 << 24}, gfx::DT_NOPREFIX);
    return t.maxWidth + kHeaderTextPadding;
}

int32_t Lattix::optimalColumnWidth(int32_t pos, int32_t lMinimumWidth, int32_t lMaximumWidth, int32_t eCellVisibility) {
    const ColumnRecord& col = cols_[static_cast<size_t>(pos)];
    const int32_t index = col.index;
    int32_t verticalLine = (gridLines_ & 1) ? gridLineThicknessV_ : 0;
    if (pos == FrozenEdgePos() && ((gridLines_ & 1) || frozenColsEdgeDrawAlways_)) verticalLine = frozenColsEdgeWidth_;
    const int32_t extra = (focusRect_ ? 2 : 0) + verticalLine;
    int64_t best = 0;
    const int32_t indentPx = LevelIndentPx();
    for (int32_t row = 1; row <= rows_.count(); ++row) {
        if (rows_[row].isGroup() || !rowPassesFilter(row, eCellVisibility)) continue;
        int64_t w = CellOptimalWidth(row, index);
        if (row > rows_.count()) break; // a handler removed rows
        if ((Cell(row, index).typeBits & cell_bits::kTypeMask) != cell_type::kCustomDraw) w += extra;
        if (index == TreeColumnOfRow(row)) {
            const RowRecord& r = rows_[row];
            w += static_cast<int64_t>(r.level) * indentPx;
            if (r.flags & row_flags::kTreeButtonMask) w += indentPx;
        }
        best = std::max(best, w);
    }
    if (pos > colCount_) return static_cast<int32_t>(std::min<int64_t>(best, INT32_MAX));
    if (autoWidthColWithHeader_) best = std::max<int64_t>(best, HeaderItemOptimalWidth(pos));
    const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    if (c.minWidth >= 0) best = std::max<int64_t>(best, c.minWidth);
    if (lMinimumWidth >= 0) best = std::max<int64_t>(best, lMinimumWidth);
    if (c.maxWidth >= 0) best = std::min<int64_t>(best, c.maxWidth);
    if (lMaximumWidth >= 0) best = std::min<int64_t>(best, lMaximumWidth);
    return static_cast<int32_t>(std::min<int64_t>(best, INT32_MAX));
}

void Lattix::AutoWidthCol(const Variant& vCol, int32_t lMinimumWidth, int32_t lMaximumWidth, int32_t eCellVisibility) {
    int32_t pos = ResolveColPos(vCol);
    CheckLimits(lMinimumWidth, lMaximumWidth);
    CheckVisibilityFilter(eCellVisibility);
    const int32_t index = cols_[static_cast<size_t>(pos)].index;
    EndEditing();
    // The commit events of the edit may have moved or removed the column; measuring holds the
    // structure still.
    pos = index <= colCount_ + 1 ? PositionOfIndex(index) : 0;
    if (pos == 0) return;
    StructureLock lock(*this);
    MarkLayout(layout_mark::kAll);
    applyColumnWidth(pos, optimalColumnWidth(pos, lMinimumWidth, lMaximumWidth, eCellVisibility));
}

void Lattix::AutoWidthCols(const Variant& vStartCol, const Variant& vEndCol, bool bIncludeInvisibleCols,
                           int32_t lMinimumWidth, int32_t lMaximumWidth, int32_t eCellVisibility) {
    const int32_t start = vStartCol.isOmitted() ? 1 : ResolveColPos(vStartCol);
    const int32_t end = vEndCol.isOmitted() ? colCount_ : ResolveColPos(vEndCol);
    CheckLimits(lMinimumWidth, lMaximumWidth);
    CheckVisibilityFilter(eCellVisibility);
    if (colCount_ == 0) return;
    EndEditing();
    StructureLock lock(*this);
    std::vector<int32_t> indexes;
    for (int32_t p = start; p <= std::min(end, colCount_); ++p)
        if (bIncludeInvisibleCols || cols_[static_cast<size_t>(p)].visible) indexes.push_back(cols_[static_cast<size_t>(p)].index);
    // A handler may move columns while the grid measures, so a column is found by its index each
    // time: through a table of positions, read again only when a handler has moved columns.
    std::vector<int32_t> posOf;
    auto positionOf = [&](int32_t index) -> int32_t {
        const auto at = static_cast<size_t>(index);
        if (at < posOf.size()) {
            const int32_t p = posOf[at];
            if (p >= 1 && p <= colCount_ + 1 && cols_[static_cast<size_t>(p)].index == index) return p;
        }
        posOf.assign(static_cast<size_t>(colCount_) + 2, 0);
        for (int32_t p = 1; p <= colCount_ + 1; ++p) {
            const auto i = static_cast<size_t>(cols_[static_cast<size_t>(p)].index);
            if (i < posOf.size()) posOf[i] = p;
        }
        return at < posOf.size() ? posOf[at] : 0;
    };
    BeginUpdate();
    try {
        // Every width is measured first and then applied in one step: applying them one at a time
        // would lay all the columns out again for each one, quadratic in the column count.
        std::vector<std::pair<int32_t, int32_t>> widths;
        widths.reserve(indexes.size());
        for (int32_t index : indexes) {
            const int32_t pos = positionOf(index);
            if (pos == 0) continue;
            widths.emplace_back(index, optimalColumnWidth(pos, lMinimumWidth, lMaximumWidth, eCellVisibility));
        }
        if (!widths.empty()) {
            EndEditing();
            for (const auto& [index, width] : widths)
                if (const int32_t pos = positionOf(index)) cols_[static_cast<size_t>(pos)].width = width;
            MarkLayout(1);
            recomputeColumnPositions();
            RelayoutAndRedraw();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    MarkLayout(layout_mark::kAll);
    EndUpdate();
}

Lattix::RowSize Lattix::optimalRowHeight(int32_t row, int32_t lMinimumHeight, int32_t lMaximumHeight, int32_t eCellVisibility) {
    int64_t height = 0, normal = 0;
    const int32_t rowTextCol = RowTextCol();
    if (rows_[row].isGroup()) {
        height = CellOptimalHeight(row, rowTextCol);
        normal = height;
    } else {
        const bool rowText = drawRowText_;
        const int64_t t = rowText ? CellOptimalHeight(row, rowTextCol) : 0;
        const int32_t start = RowTextStartPos();
        for (int32_t pos = 1; pos <= colCount_ && row <= rows_.count(); ++pos) {
            if (!positionPassesFilter(pos, eCellVisibility)) continue;
            int64_t h = CellOptimalHeight(row, cols_[static_cast<size_t>(pos)].index);
            if (rowText && pos >= start) {
                normal = std::max(normal, h);
                h += t;
            }
            height = std::max(height, h);
        }
        if (!rowText) normal = height;
    }
    if (lMinimumHeight >= 0) height = std::max<int64_t>(height, lMinimumHeight);
    if (lMaximumHeight >= 0) height = std::min<int64_t>(height, lMaximumHeight);
    // The record holds 16-bit heights: a taller optimum is kept at the largest height, not wrapped.
    RowSize size;
    size.height = static_cast<int16_t>(std::clamp<int64_t>(height, 0, kMaxRowHeight));
    size.normal = static_cast<int16_t>(std::clamp<int64_t>(std::min(normal, height), 0, kMaxRowHeight));
    return size;
}

void Lattix::applyRowSize(int32_t row, RowSize size) {
    RowRecord& r = rows_[row];
    const bool was = r.displayed();
    r.height = size.height;
    r.normalCellHeight = size.normal;
    displayedRows_ += static_cast<int32_t>(r.displayed()) - static_cast<int32_t>(was);
    for (int32_t c = 1; c <= colCount_ + 1; ++c) Cell(row, c).markChanged();
}

void Lattix::AutoHeightRow(const Variant& vrow, int32_t lMinimumHeight, int32_t lMaximumHeight, int32_t eCellVisibility) {
    const int32_t row = ResolveRow(vrow);
    CheckLimits(lMinimumHeight, lMaximumHeight);
    CheckVisibilityFilter(eCellVisibility);
    EndEditing();
    if (row > rows_.count()) return; // a commit handler removed the row
    StructureLock lock(*this);
    applyRowSize(row, optimalRowHeight(row, lMinimumHeight, lMaximumHeight, eCellVisibility));
    MarkLayout(layout_mark::kAll);
    LayoutRowsFrom(row);
    RelayoutAndRedraw();
}

void Lattix::AutoHeightRows(const Variant& vStartRow, const Variant& vEndRow, bool bIncludeInvisibleRows,
                            int32_t lMinimumHeight, int32_t lMaximumHeight, int32_t eCellVisibility) {
    const int32_t start = vStartRow.isOmitted() ? 1 : ResolveRow(vStartRow);
    const int32_t end = vEndRow.isOmitted() ? rows_.count() : ResolveRow(vEndRow);
    CheckLimits(lMinimumHeight, lMaximumHeight);
    CheckVisibilityFilter(eCellVisibility);
    if (start > end) return;
    EndEditing();
    StructureLock lock(*this);
    // Measure first, then store: the rows are laid out once.
    std::vector<std::pair<int32_t, RowSize>> sizes;
    for (int32_t row = start; row <= end && row <= rows_.count(); ++row) {
        if (!bIncludeInvisibleRows && !rows_[row].displayed()) continue;
        sizes.emplace_back(row, optimalRowHeight(row, lMinimumHeight, lMaximumHeight, eCellVisibility));
    }
    for (const auto& [row, size] : sizes)
        if (row <= rows_.count()) applyRowSize(row, size);
    MarkLayout(layout_mark::kAll);
    LayoutRowsFrom(start);
    RelayoutAndRedraw();
}

} // namespace lattix

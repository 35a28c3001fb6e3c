// Geometry of the grid view: where every row, column and cell part lies in pixels.
//
// Three coordinate systems are used:
// - content coordinates: x from 0 at the left edge of the first laid-out column, y from 0 at the top
//   of the first row. Row and column positions are stored in the records in these coordinates
//   (RowRecord::top, ColumnRecord::left) and do not change when the grid scrolls;
// - window coordinates: pixels of the grid window's client area. The cells area starts below the
//   header bar (CellsAreaTop()); window (x, y) is content (x + ScrollX(), y + ScrollY() - CellsAreaTop());
// - cell rectangles: gfx::Rect in window coordinates, right and bottom exclusive.
//
// How the rest of the grid uses it:
// - The painter calls RecalcVisibleRange() (or reads VisRange(), which brings it up to date), paints
//   rows VisRange().firstRow..lastRow and positions firstCol..lastCol whose column is laid out
//   (Column(p).laidOut), takes row and cell rectangles from RowWindowTop()/CellBoundaryRect() and the
//   parts of a cell from LayoutCellParts(). It sizes its row buffer by MaxVisRowHeight().
// - The model changes positions through LayoutRowsFrom(row) (row positions are recomputed lazily,
//   from the first changed row, the next time they are read) and recomputeColumnPositions(), then
//   MarkLayout(mode). Nothing here draws.
// - The scroll bars read and set the scroll position through ScrollY()/SetScrollY(),
//   HScrollValue()/SetHScrollValue() (pixels, or shown non-frozen columns while FrozenCols > 0) and
//   read the ranges from VScrollMax()/HScrollMax(), ContentHeight(), ContentWidth(). When their bars
//   take room inside the client area they report it with SetScrollBarSpace().
// - Input code finds cells with CellAtWindowPoint() and parts with HitTestCell().
// - The grid window (grid/view/grid_window.cpp, a child filling the host window) keeps the client size
//   (SetClientSize on WM_SIZE), sends WM_PAINT to Lattix::PaintWindow (grid/view/paint_window.cpp: the
//   painter's entry, which it replaces) and mouse and key messages to Lattix::HandleInputMessage
//   (grid/input/window_input.cpp: the interaction code's entry). RelayoutAndRedraw repaints at once;
//   RedrawRow leaves the changed rows to the window's next paint (DeferRowPaint).
#pragma once

#include <cstdint>

#include "platform/gfx/geometry.h"

namespace lattix {

// Layout marks: what must be recomputed before the visible range is used.
namespace layout_mark {
inline constexpr int kNone = 0;
inline constexpr int kAll = 1;
inline constexpr int kRowsScrolledUp = 2;
inline constexpr int kRowsScrolledDown = 3;
inline constexpr int kColumnsOnly = 4;
} // namespace layout_mark

// The rows and columns on screen. Rows are positions 1..RowCount, columns positions 1..ColCount + 1.
struct VisibleRange {
    int32_t firstRow = 0;       // first displayed row whose bottom lies below ScrollY; 0 when none
    int32_t firstRowHidden = 0; // top of firstRow minus ScrollY (0 or negative)
    int32_t firstCol = 0;       // first laid-out column whose right edge reaches ScrollX
    int32_t firstColHidden = 0; // left of firstCol minus ScrollX
    int32_t lastRow = -1;       // last displayed row that starts inside the view; -1 when none
    int32_t lastRowBottom = 0;  // bottom of lastRow minus ScrollY
    int32_t lastCol = 0;        // last laid-out column that starts inside the view
    int32_t lastColRight = 0;   // right edge of lastCol minus ScrollX
};

// Totals of the column layout, recomputed with the column positions.
struct ColumnTotals {
    int32_t frozenWidth = 0, frozenShownCount = 0, lastFrozenPos = 0;
    int32_t scrollableWidth = 0, scrollableShownCount = 0, firstScrollablePos = 0;
    int32_t firstShownPos = 0, lastShownPos = 0;
};

// The scroll position and the size of the view.
struct ViewState {
    int32_t clientWidth = 0, clientHeight = 0; // client area of the grid window
    int32_t vScrollSpace = 0, hScrollSpace = 0; // room the scroll bars take inside the client area
    int32_t viewWidth = 0, viewHeight = 0;      // the cells area
    int32_t scrollX = 0;      // horizontal offset in pixels; 0 while FrozenCols > 0
    int32_t scrollY = 0;      // vertical offset in pixels
    int32_t hScrollValue = 0; // the horizontal bar's value: pixels, or columns while frozen
    int layoutMark = layout_mark::kAll;
    VisibleRange vis;
    int32_t maxVisRowHeight = 0;
};

// Kinds of cell part (ECellParts).
namespace cell_part {
inline constexpr int32_t kNone = 0;
inline constexpr int32_t kText = 1;
inline constexpr int32_t kIcon = 2;
inline constexpr int32_t kExtraIcon = 3;
inline constexpr int32_t kComboButton = 4;
inline constexpr int32_t kCheckBox = 5;
inline constexpr int32_t kTreeButton = 6;
} // namespace cell_part

// The parts of one cell, in window coordinates (or in whatever coordinates the cell rectangle was
// given). An absent part has an empty rectangle and its flag cleared.
struct CellParts {
    gfx::Rect cell;      // the cell rectangle as given
    gfx::Rect indented;  // the cell less the tree indentation (level x LevelIndent)
    gfx::Rect contents;  // indented less grid lines, focus frame and cell indents
    gfx::Rect treeButton; // the tree button square (only in the tree column with a visible button)
    gfx::Rect treeButtonFull; // the same square before clipping to the cell (where its glyph sits)
    bool treeButtonCustom = false; // the host draws the button (CustomDrawTreeButtonRequest)
    gfx::Rect checkBox;
    gfx::Rect comboButton;
    gfx::Rect icon;
    gfx::Rect extraIcon;
    gfx::Rect text;
    bool inTreeColumn = false;
    bool hasTreeButton = false; // RowTreeButton is visible and this is the tree column
    bool hasCheckBox = false;
    bool hasComboButton = false;
    bool hasIcon = false;
    bool hasExtraIcon = false;
    bool complete = false; // false when the layout stopped at an empty rectangle
    // Effective icons (after CellDynamicIcons): image list number and index, 0 when absent.
    int32_t imageList = 0, iconIndex = 0, extraImageList = 0, extraIconIndex = 0;
    // Grid line thickness excluded at the right and at the bottom of the cell.
    int32_t rightLine = 0, bottomLine = 0;
};

} // namespace lattix

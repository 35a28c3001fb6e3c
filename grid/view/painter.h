// The painter of the cells area.
//
// How one repaint flows, from a changed cell to pixels on the window:
//  1. A model change (CellValue put, an attribute let, a selection change) sets the cell's changed
//     flag in its CellRecord and asks the grid to redraw its row (Lattix::RedrawRow). A change that
//     affects the whole grid (a property let, scrolling, resizing, EndUpdate) sets mRepaintAll
//     instead (Lattix::RelayoutAndRedraw). Both end in GridPainter::Draw unless BeginUpdate holds
//     painting back, a paint is already running, or the paint-suppression flag is set.
//  2. Draw brings the visible range up to date (geometry), asks a virtual grid's host for the rows
//     the view needs, then walks the visible rows. A row is painted when everything is to be
//     repainted or when one of its laid-out cells (or its row-text cell) carries the changed flag.
//  3. A row is composed in the row buffer (client width x tallest visible row): background or
//     picture, row tint, grid lines, then cell by cell the background and hatch, selection, text,
//     icons, tree lines and button, combo button, check box and focus rectangle, with the host's
//     dynamic-content and custom-draw events raised for exactly the cells painted. Painting a cell
//     clears its changed flag.
//  4. The finished row is copied in one block to the window surface. The surface is a retained
//     picture that the screen shows only after the paint, so even a full repaint composes its rows
//     there directly and nothing flickers; a surface that showed every step would compose them in
//     the full-view buffer and get it in one block at the end.
// The window surface is the grid's host window when one is attached (its client area), otherwise
// a bitmap the painter keeps, which tests and hosts without a window read back.
//
// The painter is split by concern: row_buffer.cpp (buffers and blits), cell_painter.cpp (cell
// background, hatch and text), cell_controls.cpp and glyph_cache.cpp (icons, check boxes, combo
// buttons), tree_painter.cpp (tree lines and buttons), grid_line_painter.cpp (grid lines, frozen
// edge, the area below the last row) and selection_painter.cpp (selection looks, alpha blend, focus
// rectangle). painter.cpp holds Draw and the row walk.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "grid/objects/font_object.h"
#include "grid/view/glyph_cache.h"
#include "grid/view/paint_surface.h"
#include "grid/view/row_buffer.h"
#include "platform/gfx/brush.h"
#include "platform/gfx/device_context.h"
#include "platform/gfx/font.h"
#include "platform/gfx/font_resolver.h"

namespace lattix {

class Lattix;
class CellRecord;
struct RowFormat;

class GridPainter {
public:
    explicit GridPainter(Lattix& grid);
    ~GridPainter();
    GridPainter(const GridPainter&) = delete;
    GridPainter& operator=(const GridPainter&) = delete;

    // Algorithm of Draw; see the note at the top. Errors raised by host handlers reach the caller
    // after the painter has restored its state and released its drawing objects.
    void Draw();

    // After the view scrolled vertically by dy pixels (positive: towards the end), moves what the
    // window shows by one block copy and paints only the rows that came into view.
    void ScrollRows(int32_t dy);

    // Repaint requests.
    void RequestRepaintAll() { repaintAll_ = repaintBelowRows_ = true; }
    bool RepaintAllPending() const { return repaintAll_; }
    bool Painting() const { return painting_; }
    // The second flag that holds painting back (set by operations that rebuild the row order).
    void SetSuppressed(bool on) { suppressed_ = on; }
    bool Suppressed() const { return suppressed_; }

    // Paints into the client area of the grid's window from now on (0: into the painter's own
    // bitmap again).
    void AttachWindow(ui::Hwnd hwnd);
    PaintSurface& Surface() { return *surface_; }
    const BitmapSurface& OwnSurface() const { return ownSurface_; }
    // The window's paint message: everything (or, with all false, the rows with changed cells) is
    // painted into the given context.
    void PaintInto(gfx::DeviceContext& dc, gfx::Size clientSize, bool all = true);

    // The cell under the mouse (hot check boxes and combo buttons); 0 for none.
    void SetHotCell(int32_t row, int32_t col) { hotRow_ = row, hotCol_ = col; }
    int32_t HotRow() const { return hotRow_; }
    int32_t HotCol() const { return hotCol_; }

    // Statistics for tests and benchmarks.
    uint64_t RowsPainted() const { return rowsPainted_; }
    uint64_t FullPaints() const { return fullPaints_; }
    // Forgets the glyph caches and fonts (after a theme, dpi or size change).
    void InvalidateCaches();

    // ---- used by the parts of the painter ----
    // One paint: the brushes and values fixed at its start.
    struct Pass {
        bool disabledLook = false;
        bool focused = false;
        bool highlightOn = false;
        bool alphaSelection = false;
        bool themed = false; // visual styles in effect: themed glyphs
        int32_t headerHeight = 0;
        int32_t contentRight = 0; // CR: right edge of the last shown column, window x
        int32_t viewWidth = 0;
        int32_t clientWidth = 0;
        int32_t clientHeight = 0;
        int32_t scrollX = 0;
        int32_t scrollY = 0;
        std::optional<gfx::Color> gridLineColor;   // when grid lines are drawn
        std::optional<gfx::Color> frozenEdgeColor; // when the frozen edge is drawn
        gfx::Color background = 0xFFFFFF;
        std::optional<gfx::Color> selectionColor;
        gfx::Bitmap alphaSource;
        gfx::DeviceContext* target = nullptr;
        int32_t paintedBottom = 0; // window y below the last painted row
    };

private:
    friend class Lattix;
    struct CellLook;

    Lattix& g_;
    // Row painting (painter.cpp).
    void paintRow(Pass& pass, int32_t row);
    void paintCell(Pass& pass, int32_t row, int32_t pos, int32_t colIndex, const gfx::Rect& cellRect, bool rowTextCell,
                   const RowFormat& rowFormat);
    bool rowNeedsPaint(const Pass& pass, int32_t row) const;
    // Clears the repaint marks of a row whose paint failed.
    void giveUpRow(int32_t row);
    void requestVirtualRows(const Pass& pass);
    void preparePass(Pass& pass);

    // Cell background and text (cell_painter.cpp).
    void fillBackground(gfx::DeviceContext& dc, const gfx::Rect& r, int32_t xOffset, int32_t yOffset, const Pass& pass);
    void fillHatch(gfx::DeviceContext& dc, const gfx::Rect& r, int32_t backColor, int32_t hatch, const Pass& pass);
    void drawCellContents(Pass& pass, CellLook& look);
    void drawCellText(Pass& pass, CellLook& look, const std::string& text);
    void markSearchPrefix(gfx::DeviceContext& dc, const CellLook& look, const std::string& text, uint32_t flags);
    gfx::FontPtr fontOf(const std::shared_ptr<const class FontObject>& font);

    // Icons, check boxes, combo buttons (cell_controls.cpp).
    void drawIcons(Pass& pass, CellLook& look);
    void drawCheckBox(Pass& pass, CellLook& look);
    void drawComboButton(Pass& pass, CellLook& look);
    bool comboButtonPressed(int32_t row, int32_t colIndex) const;

    // Tree lines and buttons (tree_painter.cpp).
    bool isTreeColumn(int32_t row, int32_t colIndex) const;
    void drawTreeLines(Pass& pass, CellLook& look);
    void drawTreeButton(Pass& pass, CellLook& look);

    // Grid lines and the frozen edge (grid_line_painter.cpp).
    struct CellLines {
        int32_t right = 0;  // thickness of the vertical line at the right, 0 for none
        int32_t bottom = 0; // thickness of the horizontal line at the bottom
        bool frozenEdge = false;
    };
    CellLines cellLines(const Pass& pass, int32_t pos, bool rowTextCell, bool aboveRowText) const;
    void drawVerticalLine(Pass& pass, const gfx::Rect& cellRect, const CellLines& lines);
    void drawRowLines(Pass& pass, int32_t row, int32_t h, int32_t& treeLineX);
    void paintBelowRows(Pass& pass);

    // Selection and focus (selection_painter.cpp).
    bool selectedLook(const Pass& pass, const CellRecord& cell) const;
    gfx::Rect selectionRect(const Pass& pass, CellLook& look) const;
    void fillSelection(Pass& pass, CellLook& look);
    void blendSelection(Pass& pass, CellLook& look);
    void drawFocusRect(Pass& pass, gfx::Rect r, const CellLines& lines);

    PaintSurface* surface_;
    BitmapSurface ownSurface_;
    std::optional<WindowSurface> windowSurface_;
    RowBuffer rowBuffer_;
    RowBuffer fullView_;
    GlyphCache glyphs_;
    // The drawing fonts of the font descriptions met while painting (most cells share a few).
    struct FontMemo {
        FontDescription description;
        int dpi = 0;
        gfx::FontLookupMode mode{};
        gfx::FontPtr font;
    };
    std::vector<FontMemo> fontCache_;
    // Window rows (top, bottom) to repaint after a scroll copy, whatever their cells' flags say.
    std::optional<std::pair<int32_t, int32_t>> band_;
    bool repaintAll_ = true;
    bool repaintBelowRows_ = true;
    bool painting_ = false;
    bool suppressed_ = false;
    int32_t hotRow_ = 0, hotCol_ = 0;
    uint64_t rowsPainted_ = 0;
    uint64_t fullPaints_ = 0;
};

} // namespace lattix

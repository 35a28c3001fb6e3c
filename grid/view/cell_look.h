// What the painter knows about one cell while it draws it, and the host's row formatting.
#pragma once

#include <cstdint>
#include <memory>

#include "grid/view/geometry.h"
#include "grid/view/painter.h"
#include "platform/gfx/font.h"

namespace lattix {

class FontObject;
class Lattix;

// Colours and font the host gave for a row in RowDynamicFormatting; -1 / nullptr when unset.
struct RowFormat {
    int32_t foreColor = -1;
    int32_t backColor = -1;
    std::shared_ptr<FontObject> font;
};
RowFormat raiseRowFormatting(Lattix& g, int32_t row);

struct GridPainter::CellLook {
    int32_t row = 0;
    int32_t pos = 0;      // column position (ColCount + 1 for the row-text cell)
    int32_t colIndex = 0; // column index (RowTextCol for the row-text cell)
    bool rowTextCell = false;
    bool selected = false; // the selected look
    gfx::Rect cellRect;    // row-buffer coordinates
    gfx::Rect selRect;
    CellParts parts;
    CellLines lines;
    const RowFormat* rowFormat = nullptr;
    // Resolved in drawCellContents.
    int32_t foreColor = -1; // automation colour
    int32_t backColor = -1;
    gfx::FontPtr font;
    bool iconsHeldBack = false;
};

} // namespace lattix

// Icons, check boxes and combo buttons of a cell.
#include <algorithm>

#include "grid/lattix.h"
#include "grid/view/cell_look.h"
#include "grid/view/colors.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"

namespace lattix {

namespace {
// Copies the top-left part of a glyph that fits the rectangle.
void blitGlyph(gfx::DeviceContext& dc, const gfx::Rect& r, const gfx::Bitmap& glyph) {
    const int w = std::min(r.width(), glyph.width());
    const int h = std::min(r.height(), glyph.height());
    if (w > 0 && h > 0) dc.bitBlt(r.left, r.top, w, h, glyph, 0, 0);
}
} // namespace

void GridPainter::drawIcons(Pass& pass, CellLook& look) {
    gfx::DeviceContext& dc = rowBuffer_.dc();
    const PaintSettings& s = g_.paint_;
    auto drawOne = [&](int32_t listNumber, int32_t index, const gfx::Rect& r) {
        if (listNumber < 1 || listNumber > g_.ImageListCount() || r.isEmpty()) return;
        const gfx::ImageList& images = *g_.ImageListAt(listNumber);
        if (index < 1 || index > images.count()) return;
        gfx::DeviceContextStateSaver saver(dc);
        dc.intersectClipRect(r);
        if (pass.disabledLook && s.disableIcons) {
            images.drawDisabled(dc, index - 1, r.left, r.top);
        } else if (look.selected && s.highlightSelIcons) {
            int32_t blend = TranslateColor(s.highlightBackColor);
            const gfx::Color fg = blend == -1 ? gfx::sysColor(gfx::COLOR_HIGHLIGHT) : static_cast<gfx::Color>(blend);
            images.drawEx(dc, index - 1, r.left, r.top, 0, 0, gfx::CLR_NONE, fg, gfx::ILD_TRANSPARENT | gfx::ILD_BLEND50);
        } else {
            images.drawEx(dc, index - 1, r.left, r.top, 0, 0, gfx::CLR_NONE, gfx::CLR_DEFAULT, gfx::ILD_TRANSPARENT);
        }
    };
    if (look.parts.hasIcon) drawOne(look.parts.imageList, look.parts.iconIndex, look.parts.icon);
    if (look.parts.hasExtraIcon) drawOne(look.parts.extraImageList, look.parts.extraIconIndex, look.parts.extraIcon);
}

void GridPainter::drawCheckBox(Pass& pass, CellLook& look) {
    const CellRecord& cell = g_.Cell(look.row, look.colIndex);
    const int state = cell.checkBits & cell_bits::kCheckStateMask;
    GlyphCache::CheckLook kind = g_.paint_.flatCellControls ? GlyphCache::kCheckFlat : GlyphCache::kCheck3D;
    if (!g_.paint_.enabled) kind = GlyphCache::kCheckDisabled;
    (void)pass;
    blitGlyph(rowBuffer_.dc(), look.parts.checkBox, glyphs_.check(kind, state));
}

void GridPainter::drawComboButton(Pass& pass, CellLook& look) {
    (void)pass;
    // Pressed while the current cell is being edited through its list.
    const bool pressed = g_.comboDroppedDown_ && look.row == g_.CurRow() && look.colIndex == g_.CurCol();
    const bool flat = g_.paint_.flatCellControls;
    const GlyphCache::ComboLook kind = flat ? (pressed ? GlyphCache::kComboFlatPushed : GlyphCache::kComboFlat)
                                            : (pressed ? GlyphCache::kComboPushed : GlyphCache::kComboNormal);
    blitGlyph(rowBuffer_.dc(), look.parts.comboButton, glyphs_.combo(kind));
}

} // namespace lattix

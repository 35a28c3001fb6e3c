// Icons, check boxes and combo buttons of a cell: classic glyphs are copied, themed ones blended;
// the cell under the mouse shows them hot, and the current cell's combo button pressed while its
// list is open.
#include <algorithm>

#include "grid/lattix.h"
#include "grid/view/cell_look.h"
#include "grid/model/cell_enums.h"
#include "grid/view/colors.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"
#include "platform/theme/theme_parts.h"

namespace lattix {

namespace {
// Copies the top-left part of a glyph that fits the rectangle.
void blitGlyph(gfx::DeviceContext& dc, const gfx::Rect& r, const gfx::Bitmap& glyph) {
    const int w = std::min(r.width(), glyph.width());
    const int h = std::min(r.height(), glyph.height());
    if (w > 0 && h > 0) dc.bitBlt(r.left, r.top, w, h, glyph, 0, 0);
}

// Blends the top-left part of a themed glyph (premultiplied) that fits the rectangle.
void blendGlyph(gfx::DeviceContext& dc, const gfx::Rect& r, const gfx::Bitmap& glyph) {
    const int w = std::min(r.width(), glyph.width());
    const int h = std::min(r.height(), glyph.height());
    if (w > 0 && h > 0) dc.alphaBlend({r.left, r.top, r.left + w, r.top + h}, glyph, {0, 0, w, h}, 255, true);
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
        const gfx::Size size = gfx::iconSizeAtDpi(images, g_.ScreenDpiX());
        if (pass.disabledLook && s.disableIcons) {
            images.drawDisabledAtSize(dc, index - 1, r.left, r.top, size);
        } else if (look.selected && s.highlightSelIcons) {
            int32_t blend = TranslateColor(s.highlightBackColor);
            const gfx::Color fg = blend == -1 ? gfx::sysColor(gfx::COLOR_HIGHLIGHT) : static_cast<gfx::Color>(blend);
            images.drawAtSize(dc, index - 1, r.left, r.top, size, gfx::CLR_NONE, fg, gfx::ILD_TRANSPARENT | gfx::ILD_BLEND50);
        } else {
            images.drawAtSize(dc, index - 1, r.left, r.top, size, gfx::CLR_NONE, gfx::CLR_DEFAULT, gfx::ILD_TRANSPARENT);
        }
    };
    if (look.parts.hasIcon) drawOne(look.parts.imageList, look.parts.iconIndex, look.parts.icon);
    if (look.parts.hasExtraIcon) drawOne(look.parts.extraImageList, look.parts.extraIconIndex, look.parts.extraIcon);
}

void GridPainter::drawCheckBox(Pass& pass, CellLook& look) {
    const CellRecord& cell = g_.Cell(look.row, look.colIndex);
    const int state = cell.checkBits & cell_bits::kCheckStateMask;
    const bool hot = look.row == hotRow_ && look.colIndex == hotCol_;
    if (pass.themed) {
        // Unchecked 1..4, checked 5..8, mixed 9..12: normal, hot, pressed, disabled.
        const int kind = state == 1 ? theme::kCheckChecked : state == 2 ? theme::kCheckMixed : theme::kCheckUnchecked;
        const int base = !g_.paint_.enabled ? theme::kStateDisabled : hot ? theme::kStateHot : theme::kStateNormal;
        blendGlyph(rowBuffer_.dc(), look.parts.checkBox, glyphs_.themedCheck(kind + base));
        return;
    }
    GlyphCache::CheckLook kind = g_.paint_.flatCellControls ? GlyphCache::kCheckFlat : GlyphCache::kCheck3D;
    if (!g_.paint_.enabled) kind = GlyphCache::kCheckDisabled;
    blitGlyph(rowBuffer_.dc(), look.parts.checkBox, glyphs_.check(kind, state));
}

bool GridPainter::comboButtonPressed(int32_t row, int32_t colIndex) const {
    if (row != g_.CurRow() || colIndex != g_.CurCol()) return false;
    // A list cell is pressed while it is edited (its list is open); a text cell with a list only
    // while the list is dropped down.
    const int32_t type = g_.Cell(row, colIndex).typeBits & cell_bits::kTypeMask;
    return g_.comboDroppedDown_ || (type == cell_type::kCombo && g_.IsEditing());
}

void GridPainter::drawComboButton(Pass& pass, CellLook& look) {
    const bool pressed = comboButtonPressed(look.row, look.colIndex);
    const bool hot = look.row == hotRow_ && look.colIndex == hotCol_;
    if (pass.themed) {
        const int state = !g_.paint_.enabled ? theme::kStateDisabled
                          : pressed          ? theme::kStatePressed
                          : hot              ? theme::kStateHot
                                             : theme::kStateNormal;
        blendGlyph(rowBuffer_.dc(), look.parts.comboButton, glyphs_.themedCombo(state));
        return;
    }
    const bool flat = g_.paint_.flatCellControls;
    const GlyphCache::ComboLook kind = flat ? (pressed ? GlyphCache::kComboFlatPushed : GlyphCache::kComboFlat)
                                            : (pressed ? GlyphCache::kComboPushed : GlyphCache::kComboNormal);
    blitGlyph(rowBuffer_.dc(), look.parts.comboButton, glyphs_.combo(kind));
}

} // namespace lattix

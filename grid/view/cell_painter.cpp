// Cell background, hatch and text, and the order in which a cell's contents are drawn.
#include <algorithm>

#include "grid/automation/dispatch_binder.h"
#include "grid/objects/font_object.h"
#include "grid/lattix.h"
#include "platform/gfx/utf8.h"
#include "grid/model/cell_enums.h"
#include "grid/view/cell_look.h"
#include "grid/view/colors.h"
#include "grid/view/dc_handles.h"
#include "grid/view/font_request.h"
#include "grid/view/picture_object.h"
#include "platform/gfx/font_resolver.h"
#include "platform/gfx/shaped_text.h"
#include "platform/gfx/text_draw.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
int32_t colourFromHandler(const Variant& v) {
    try {
        return ArgColor(v.deref());
    } catch (...) {
        return -1;
    }
}

std::shared_ptr<FontObject> fontFromHandler(const Variant& v) {
    try {
        return FontFromVariant(v.deref());
    } catch (...) {
        return nullptr;
    }
}

// The cell's text flags as drawing flags: alignment from CellAlignH / CellAlignV, prefix
// characters shown as they are unless the cell asks for prefix processing.
constexpr int32_t kProcessPrefix = 2097152;
std::uint32_t drawFlagsOf(const CellRecord& cell) {
    const CellLooks& looks = cell.looks();
    std::uint32_t flags = static_cast<std::uint32_t>(looks.textFlags) & ~static_cast<std::uint32_t>(kProcessPrefix);
    flags &= ~(gfx::DT_CENTER | gfx::DT_RIGHT | gfx::DT_VCENTER | gfx::DT_BOTTOM | gfx::DT_CALCRECT);
    if (!(looks.textFlags & kProcessPrefix)) flags |= gfx::DT_NOPREFIX;
    switch (looks.alignment & cell_bits::kAlignHMask) {
    case 1: flags |= gfx::DT_CENTER; break;
    case 2: flags |= gfx::DT_RIGHT; break;
    default: break;
    }
    switch ((looks.alignment & cell_bits::kAlignVMask) >> cell_bits::kAlignVShift) {
    case 1: flags |= gfx::DT_VCENTER; break;
    case 2: flags |= gfx::DT_BOTTOM; break;
    default: break;
    }
    return flags;
}
} // namespace

RowFormat raiseRowFormatting(Lattix& g, int32_t row) {
    RowFormat out;
    Variant args[] = {Variant(row), Variant::byRef(Variant(-1)), Variant::byRef(Variant(-1)),
                      Variant::byRef(Variant(ObjectRef{}))};
    g.RaiseEvent(event_id::kRowDynamicFormatting, args);
    out.foreColor = colourFromHandler(args[1]);
    out.backColor = colourFromHandler(args[2]);
    out.font = fontFromHandler(args[3]);
    return out;
}

gfx::FontPtr GridPainter::fontOf(const std::shared_ptr<const FontObject>& font) {
    const FontDescription& d = font->description();
    // The font a description gave before, without building the lookup key of the font table.
    const int dpi = g_.ScreenDpiX();
    const gfx::FontLookupMode mode = gfx::FontResolver::mode();
    for (const FontMemo& m : fontCache_)
        if (m.dpi == dpi && m.mode == mode && m.description == d) return m.font;
    gfx::FontPtr made = CreateFontOf(d, dpi);
    constexpr std::size_t kKept = 16;
    if (fontCache_.size() >= kKept) fontCache_.erase(fontCache_.begin());
    fontCache_.push_back({d, dpi, mode, made});
    return made;
}

void GridPainter::fillBackground(gfx::DeviceContext& dc, const gfx::Rect& r, int32_t xOffset, int32_t yOffset,
                                 const Pass& pass) {
    if (r.isEmpty()) return;
    const auto& picture = g_.paint_.backgroundPicture;
    if (!picture || pass.disabledLook) {
        dc.fillRect(r, pass.background);
        return;
    }
    const gfx::Bitmap& tile = picture->bitmap();
    // A picture without pixels has no tile size: the plain background shows.
    if (tile.width() <= 0 || tile.height() <= 0) {
        dc.fillRect(r, pass.background);
        return;
    }
    // Tiles are aligned to the cells-area origin moved by the offsets.
    const int tw = tile.width(), th = tile.height();
    auto phase = [](int64_t v, int size) { return static_cast<int>(((v % size) + size) % size); };
    const int startX = r.left - phase(static_cast<int64_t>(xOffset) + r.left, tw);
    const int startY = r.top - phase(static_cast<int64_t>(yOffset) + r.top, th);
    gfx::DeviceContextStateSaver saver(dc);
    dc.intersectClipRect(r);
    for (int y = startY; y < r.bottom; y += th)
        for (int x = startX; x < r.right; x += tw) dc.bitBlt(x, y, tw, th, tile, 0, 0);
}

void GridPainter::fillHatch(gfx::DeviceContext& dc, const gfx::Rect& r, int32_t backColor, int32_t hatch,
                            const Pass& pass) {
    if (r.isEmpty() || backColor == -1) return;
    const int32_t rgb = TranslateColor(backColor);
    if (rgb == -1) return;
    if (hatch == kHatchNone || !gfx::isValidHatch(hatch)) {
        dc.fillRect(r, static_cast<gfx::Color>(rgb));
        return;
    }
    // Hatch lines in the cell colour on the grid's back colour.
    gfx::DeviceContextStateSaver saver(dc);
    dc.setBkMode(gfx::BackgroundMode::Opaque);
    dc.setBkColor(pass.background);
    dc.fillRect(r, gfx::Brush::hatched(static_cast<gfx::HatchStyle>(hatch), static_cast<gfx::Color>(rgb)));
}

void GridPainter::drawCellContents(Pass& pass, CellLook& look) {
    gfx::DeviceContext& dc = rowBuffer_.dc();
    const int32_t dce = g_.DynamicContentEvents();
    // 1. Colours and font: the cell event, then the row event, then the cell's own.
    int32_t dynFore = -1, dynBack = -1;
    std::shared_ptr<FontObject> dynFont;
    if (dce & dynamic_events::kCellFormatting) {
        Variant args[] = {Variant(look.row),           Variant(look.colIndex),
                          g_.Cell(look.row, look.colIndex).value(), Variant::byRef(Variant(-1)),
                          Variant::byRef(Variant(-1)), Variant::byRef(Variant(ObjectRef{}))};
        g_.RaiseEvent(event_id::kCellDynamicFormatting, args);
        dynFore = colourFromHandler(args[3]);
        dynBack = colourFromHandler(args[4]);
        dynFont = fontFromHandler(args[5]);
    }
    const CellRecord& cell = g_.Cell(look.row, look.colIndex);
    const CellLooks& cellLooks = cell.looks();
    const RowFormat& rf = *look.rowFormat;
    look.foreColor = dynFore != -1 ? dynFore : rf.foreColor != -1 ? rf.foreColor : cellLooks.foreColor;
    look.backColor = dynBack != -1 ? dynBack : rf.backColor == -1 ? cellLooks.backColor : -1;
    std::shared_ptr<const FontObject> font = dynFont;
    if (!font && cellLooks.fontIndex > 0) font = g_.Fonts().at(cellLooks.fontIndex);
    if (!font) font = rf.font;
    if (!font) font = g_.Font();
    look.font = fontOf(font);

    // 2. Background and selection.
    const int32_t hatch = (cell.typeBits & cell_bits::kHatchMask) >> cell_bits::kHatchShift;
    if (!pass.disabledLook) {
        gfx::Rect bg = look.parts.inTreeColumn ? look.parts.indented : look.cellRect;
        bg.right -= look.lines.right;
        bg.bottom -= look.lines.bottom;
        fillHatch(dc, bg, look.backColor, hatch, pass);
        if (look.selected && !pass.alphaSelection) fillSelection(pass, look);
    }

    // 3. Text colour.
    const PaintSettings& s = g_.paint_;
    int32_t textColour = look.foreColor;
    if (look.selected && !pass.alphaSelection)
        textColour = pass.focused ? s.highlightForeColor : s.highlightForeColorNoFocus;
    if (textColour == -1) textColour = g_.ForeColor();
    const int32_t textRgb = TranslateColor(textColour);
    dc.setBkMode(gfx::BackgroundMode::Transparent);
    dc.setTextColor(textRgb == -1 ? 0 : static_cast<gfx::Color>(textRgb));

    // 4. Contents by cell type.
    const int32_t type = cell.typeBits & cell_bits::kTypeMask;
    const gfx::Rect& cr = look.cellRect;
    if (!look.parts.text.isEmpty() || type == cell_type::kCustomDraw) {
        DcHandle hdc(dc);
        auto drawArgs = [&]() {
            return std::array<Variant, 8>{Variant(look.row), Variant(look.colIndex), Variant(hdc.value()),
                                          Variant(cr.left),  Variant(cr.top),        Variant(cr.right),
                                          Variant(cr.bottom), Variant(look.selected)};
        };
        if (type == cell_type::kCustomDraw) {
            auto args = drawArgs();
            g_.RaiseEvent(event_id::kCustomDrawCell, args);
        } else {
            auto before = drawArgs();
            g_.RaiseEvent(event_id::kBeforeCellContentsDraw, before);
            const std::string text = g_.DisplayedText(look.row, look.colIndex);
            look.iconsHeldBack = look.selected && pass.alphaSelection && !s.highlightSelIcons;
            if (!look.iconsHeldBack) drawIcons(pass, look);
            if (!text.empty()) drawCellText(pass, look, text);
            auto after = drawArgs();
            g_.RaiseEvent(event_id::kAfterCellContentsDraw, after);
        }
    }
    // 5. Tree lines.
    if (look.parts.inTreeColumn && s.treeLines != 0) drawTreeLines(pass, look);
    // 6. Alpha-blended selection, then the icons held back.
    if (look.selected && pass.alphaSelection) {
        blendSelection(pass, look);
        if (look.iconsHeldBack) drawIcons(pass, look);
    }
    // 7. Tree button.
    if (look.parts.hasTreeButton) drawTreeButton(pass, look);
    // 8, 9. Combo button and check box.
    if (look.parts.hasComboButton && !look.parts.comboButton.isEmpty()) drawComboButton(pass, look);
    if (look.parts.hasCheckBox && !look.parts.checkBox.isEmpty()) drawCheckBox(pass, look);
}

void GridPainter::drawCellText(Pass& pass, CellLook& look, const std::string& text) {
    gfx::DeviceContext& dc = rowBuffer_.dc();
    const CellRecord& cell = g_.Cell(look.row, look.colIndex);
    const PaintSettings& s = g_.paint_;
    gfx::DeviceContextStateSaver saver(dc);
    dc.selectFont(look.font);
    const int32_t hatch = (cell.typeBits & cell_bits::kHatchMask) >> cell_bits::kHatchShift;
    if (s.opaqueTextInHatchedCells && hatch != kHatchNone && look.backColor != -1 && !look.selected &&
        !pass.disabledLook) {
        dc.setBkMode(gfx::BackgroundMode::Opaque);
        dc.setBkColor(pass.background);
    }
    gfx::drawText(dc, text, look.parts.text, drawFlagsOf(cell));
    if (!g_.searchString_.empty() && look.row == g_.curRow_ && look.colIndex == g_.curCol_)
        markSearchPrefix(dc, look, text, drawFlagsOf(cell));
}

// The key search's echo: the part of the current cell's text that the typed search string matched
// is shown inverted.
void GridPainter::markSearchPrefix(gfx::DeviceContext& dc, const CellLook& look, const std::string& text,
                                   uint32_t flags) {
    const gfx::TextLayout layout = gfx::layoutText(*look.font, text, look.parts.text, flags);
    if (layout.lines.empty()) return;
    const gfx::TextLine& line = layout.lines.front();
    const size_t chars = std::min(gfx::decodeUtf8(g_.searchString_).size(), line.text.size());
    if (chars == 0) return;
    // The matched characters as drawn: on the right in a right-to-left text, in pieces in a mixed one.
    const gfx::ShapedTextPtr shaped = gfx::shapeText(
        *look.font, line.text, line.rightToLeft ? gfx::TextDirection::RightToLeft : gfx::TextDirection::LeftToRight);
    for (const auto& [left, right] : shaped->spans(0, chars)) {
        const gfx::Rect mark = gfx::intersect(gfx::Rect{line.x + left, line.y, line.x + right, line.y + layout.lineHeight},
                                              look.parts.text);
        if (!mark.isEmpty()) dc.invertRect(mark);
    }
}

} // namespace lattix

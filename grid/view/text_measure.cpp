// Measuring a cell's displayed text in its font: EvaluateTextWidth, EvaluateTextHeight and
// IsCellTextClipped, and the fonts and text flags the painter draws a cell with.
//
// Measuring raises the dynamic text and icon events; it holds the structure lock throughout, so the
// cell measured stays where it was.
#include <algorithm>

#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/objects/font_object.h"
#include "grid/view/font_request.h"
#include "platform/gfx/font.h"
#include "platform/gfx/text_draw.h"

namespace lattix {

namespace {
constexpr int32_t kProcessPrefix = 2097152; // lxTextProcessPrefix
constexpr uint32_t kEllipsisFlags = gfx::DT_END_ELLIPSIS | gfx::DT_PATH_ELLIPSIS | gfx::DT_WORD_ELLIPSIS;
constexpr int32_t kLargeExtent = 1 << 24;
} // namespace

std::shared_ptr<const gfx::Font> Lattix::GfxFontOf(const FontObject& font) const {
    return CreateFontOf(font.description(), system_.dpiX);
}

uint32_t Lattix::CellDrawTextFlags(int32_t row, int32_t colIndex) const {
    const CellRecord& cell = Cell(row, colIndex);
    uint32_t flags = static_cast<uint32_t>(cell.looks().textFlags) & ~static_cast<uint32_t>(kProcessPrefix);
    if (!(cell.looks().textFlags & kProcessPrefix)) flags |= gfx::DT_NOPREFIX;
    const int32_t alignH = cell.looks().alignment & cell_bits::kAlignHMask;
    const int32_t alignV = (cell.looks().alignment & cell_bits::kAlignVMask) >> cell_bits::kAlignVShift;
    flags &= ~gfx::DT_ALIGN_BY_READING;
    // Left is where reading starts: an Arabic or Hebrew text in a left-aligned cell sits at the right.
    if (alignH == 0) flags |= gfx::DT_ALIGN_BY_READING;
    else if (alignH == 1) flags |= gfx::DT_CENTER;
    else if (alignH == 2) flags |= gfx::DT_RIGHT;
    if (alignV == 1) flags |= gfx::DT_VCENTER;
    else if (alignV == 2) flags |= gfx::DT_BOTTOM;
    return flags;
}

gfx::Size Lattix::MeasureCellText(int32_t row, int32_t colIndex, int32_t textRectWidth) {
    const std::string text = DisplayedText(row, colIndex);
    if (text.empty() || row > rows_.count()) return {};
    const std::shared_ptr<const gfx::Font> font = GfxFontOf(*EffectiveFont(row, colIndex));
    const uint32_t flags = CellDrawTextFlags(row, colIndex) & ~kEllipsisFlags;
    if (flags & gfx::DT_SINGLELINE) {
        const gfx::TextLayout line = gfx::layoutText(*font, text, {0, 0, kLargeExtent, kLargeExtent}, flags);
        const gfx::TextLayout a = gfx::layoutText(*font, "A", {0, 0, kLargeExtent, kLargeExtent}, gfx::DT_SINGLELINE);
        return {line.maxWidth, a.bounds.height()};
    }
    const int32_t width = (flags & gfx::DT_WORDBREAK) ? std::max(1, textRectWidth) : kLargeExtent;
    const gfx::TextLayout block = gfx::layoutText(*font, text, {0, 0, width, kLargeExtent}, flags & ~(gfx::DT_VCENTER | gfx::DT_BOTTOM));
    return {block.maxWidth, static_cast<int>(block.lines.size()) * block.lineHeight};
}

gfx::Rect Lattix::CellTextRect(int32_t row, int32_t colIndex) {
    const CellParts parts = LayoutCellParts(row, colIndex, CellRectInWindow(row, colIndex), true);
    return parts.text;
}

int32_t Lattix::EvaluateTextWidth(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    StructureLock lock(*this); // the dynamic-content handlers may not take the cell away
    return MeasureCellText(row, col, CellTextRect(row, col).width()).cx;
}

int32_t Lattix::EvaluateTextHeight(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    StructureLock lock(*this); // the dynamic-content handlers may not take the cell away
    return MeasureCellText(row, col, CellTextRect(row, col).width()).cy;
}

bool Lattix::IsCellTextClipped(const Variant& vrow, const Variant& vCol, bool bCheckPartiallyHidden) {
    auto [row, col] = resolveCell(vrow, vCol);
    StructureLock lock(*this); // the dynamic-content handlers may not take the cell away
    const gfx::Rect rect = CellTextRect(row, col);
    const gfx::Size text = MeasureCellText(row, col, rect.width());
    if (text.cx == 0 && text.cy == 0) return false;
    const uint32_t flags = CellDrawTextFlags(row, col);
    if (row > rows_.count()) return false;
    const int32_t width = (flags & gfx::DT_SINGLELINE) ? text.cx : std::min(text.cx, std::max(0, rect.width()));
    if (text.cx > rect.width() || text.cy > rect.height()) return true;
    if (!bCheckPartiallyHidden) return false;
    // The text as placed by the cell's alignment, against the cells area of the window.
    int32_t left = rect.left, top = rect.top;
    if (flags & gfx::DT_CENTER) left = rect.left + (rect.width() - width) / 2;
    else if (flags & gfx::DT_RIGHT) left = rect.right - width;
    if (flags & gfx::DT_VCENTER) top = rect.top + (rect.height() - text.cy) / 2;
    else if (flags & gfx::DT_BOTTOM) top = rect.bottom - text.cy;
    const int32_t areaTop = CellsAreaTop();
    return left < 0 || top < areaTop || left + width > view_.viewWidth || top + text.cy > areaTop + view_.viewHeight;
}

} // namespace lattix

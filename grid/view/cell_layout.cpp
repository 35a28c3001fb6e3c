// The layout of one cell: tree indentation, tree button, check box, combo button, icons and text,
// and the hit test that reads it back.
#include <algorithm>

#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/view/image_list_object.h"
#include "grid/automation/error_table.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_metrics.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
using gfx::Rect;

constexpr int32_t kAlignLeftOrTop = 0, kAlignCentre = 1;
constexpr int32_t kIconLeftOfText = 0, kIconRightOfText = 1, kIconAboveText = 2;

int32_t IntFromEvent(const Variant& v, int32_t fallback) {
    try {
        return ToInt32(v.deref());
    } catch (...) {
        return fallback;
    }
}

// Start of a span of `size` inside [lo, hi) aligned left/top (0), centre (1) or right/bottom (2).
int32_t AlignIn(int32_t lo, int32_t hi, int32_t size, int32_t align) {
    if (align == kAlignLeftOrTop) return lo;
    if (align == kAlignCentre) return lo + (hi - lo - size) / 2;
    return hi - size;
}

// Places a box of size (w, h) in `area` by the horizontal and vertical alignments; a box not smaller
// than the area in a direction takes the area's extent there.
Rect PlaceBox(const Rect& area, int32_t w, int32_t h, int32_t alignH, int32_t alignV) {
    Rect r;
    if (w >= area.width()) {
        r.left = area.left;
        r.right = area.right;
    } else {
        r.left = AlignIn(area.left, area.right, w, alignH);
        r.right = r.left + w;
    }
    if (h >= area.height()) {
        r.top = area.top;
        r.bottom = area.bottom;
    } else {
        r.top = AlignIn(area.top, area.bottom, h, alignV);
        r.bottom = r.top + h;
    }
    return r;
}
} // namespace

int32_t Lattix::TreeColumnOfRow(int32_t row) const {
    if (rows_[row].isGroup()) return RowTextCol();
    if (treeCol_ != 0) return treeCol_;
    return colTotals_.firstShownPos ? cols_[static_cast<size_t>(colTotals_.firstShownPos)].index : 0;
}

int32_t Lattix::FrozenEdgePos() const {
    if (std::min(frozenCols_, colCount_) <= 0) return 0;
    return colTotals_.scrollableShownCount > 0 ? colTotals_.lastFrozenPos : colCount_ + 1;
}

void Lattix::CellGridLines(int32_t row, int32_t colIndex, int32_t& rightLine, int32_t& bottomLine) const {
    rightLine = bottomLine = 0;
    const int32_t pos = PositionOfIndex(colIndex);
    const bool isRowText = colIndex == RowTextCol();
    if (gridLines_ & 2) {
        // A cell above the row text gets its bottom line only when both kinds of lines are drawn.
        const bool aboveRowText = !isRowText && RowHasRowText(row) && pos >= RowTextStartPos();
        if (!aboveRowText || gridLines_ == 3) bottomLine = gridLineThicknessH_;
    }
    const bool frozenEdge = pos != 0 && pos == FrozenEdgePos();
    if (frozenEdge && ((gridLines_ & 1) || frozenColsEdgeDrawAlways_)) rightLine = frozenColsEdgeWidth_;
    else if (gridLines_ & 1) rightLine = gridLineThicknessV_;
}

Lattix::EffectiveIcons Lattix::CellIcons(int32_t row, int32_t colIndex) {
    const CellRecord& cell = Cell(row, colIndex);
    const CellLooks& looks = cell.looks();
    EffectiveIcons icons{looks.imageLists & 0x0F, looks.icon, (looks.imageLists >> 4) & 0x0F, looks.extraIcon};
    if (dynamicContentEvents_ & dynamic_events::kCellIcons) {
        try {
            Variant args[] = {Variant(row),
                              Variant(colIndex),
                              cell.value(),
                              Variant::byRef(Variant(icons.imageList)),
                              Variant::byRef(Variant(icons.icon)),
                              Variant::byRef(Variant(icons.extraImageList)),
                              Variant::byRef(Variant(icons.extraIcon))};
            RaiseLockedEvent(event_id::kCellDynamicIcons, args);
            icons.imageList = IntFromEvent(args[3], icons.imageList);
            icons.icon = IntFromEvent(args[4], icons.icon);
            icons.extraImageList = IntFromEvent(args[5], icons.extraImageList);
            icons.extraIcon = IntFromEvent(args[6], icons.extraIcon);
        } catch (...) {
            // A failing handler counts as one that changed nothing.
        }
    }
    return icons;
}

gfx::Size Lattix::IconSize(int32_t imageList, int32_t index) const {
    if (imageList < 1 || imageList > static_cast<int32_t>(imageLists_.size()) || index < 1) return {};
    const auto& list = imageLists_[static_cast<size_t>(imageList - 1)];
    return list ? gfx::iconSizeAtDpi(*list, system_.dpiX) : gfx::Size{};
}

void Lattix::SetImageList(const Variant& vImageListStore) {
    const Variant& v = vImageListStore.deref();
    std::vector<std::shared_ptr<gfx::ImageList>> lists;
    if (v.isArray()) {
        const SafeArray& a = *v.array();
        if (a.dims() != 1 || a.size() > 15) RaiseLattixError(lattix_error::kImageListExpected);
        for (const Variant& item : a.data()) {
            std::shared_ptr<gfx::ImageList> list = ImageListFromVariant(item);
            // Every number in the store names a list: no holes.
            if (!list) RaiseLattixError(lattix_error::kImageListExpected);
            lists.push_back(std::move(list));
        }
    } else if (std::shared_ptr<gfx::ImageList> list = ImageListFromVariant(v)) {
        lists.push_back(std::move(list));
    }
    imageLists_ = std::move(lists);
    // Icon sizes take part in row heights and cell layout.
    MarkLayout(layout_mark::kAll);
    RelayoutAndRedraw();
}

int32_t Lattix::RegisterImageList(std::shared_ptr<gfx::ImageList> list) {
    imageLists_.push_back(std::move(list));
    return static_cast<int32_t>(imageLists_.size());
}

CellParts Lattix::LayoutCellParts(int32_t row, int32_t colIndex, const gfx::Rect& cellRect, bool computeEvenIfEmpty) {
    CellParts parts;
    parts.cell = cellRect;
    const RowRecord& r = rows_[row];
    const int32_t indentPx = LevelIndentPx();

    // 1. Indented rectangle.
    parts.inTreeColumn = colIndex == TreeColumnOfRow(row);
    parts.indented = cellRect;
    if (parts.inTreeColumn) parts.indented.left += indentPx * r.level;
    if (parts.indented.isEmpty() && !computeEvenIfEmpty) return parts;

    // 2. Contents: less the grid lines, the focus frame and the cell indents.
    const CellRecord& cell = Cell(row, colIndex);
    CellGridLines(row, colIndex, parts.rightLine, parts.bottomLine);
    Rect c = parts.indented;
    c.right -= parts.rightLine;
    c.bottom -= parts.bottomLine;
    if (focusRect_) c = c.inflatedBy(-1, -1);
    const CellLooks& indents = cell.looks();
    c.left += indents.indentLeft;
    c.right -= indents.indentRight;
    c.top += indents.indentTop;
    c.bottom -= indents.indentBottom;
    parts.contents = c;
    if (c.isEmpty() && !computeEvenIfEmpty) return parts;

    // 3. Work rectangle; the tree button (or the room kept for it) takes one indent step.
    Rect R = c;
    const int32_t treeButton = r.flags & row_flags::kTreeButtonMask;
    if (parts.inTreeColumn && treeButton != 0) {
        R.left += indentPx;
        if (treeButton == 2) {
            parts.hasTreeButton = true;
            LayoutTreeButton(row, parts);
        }
    }

    // 4. Check box.
    if (cell.checkBits & cell_bits::kCheckVisible) {
        parts.hasCheckBox = true;
        const int32_t side = gfx::systemMetrics().checkBoxSize;
        const int32_t w = std::max(0, std::min(side, R.width()));
        const int32_t h = std::max(0, std::min(side, R.height()));
        const int32_t gap = cellCheckGap_;
        Rect box;
        switch (cell.looks().checkPos) {
        case 1: // top
            box = gfx::rectOfSize((R.left + R.right - w) / 2, R.top, w, h);
            R.top = box.bottom + gap;
            break;
        case 2: // right
            box = gfx::rectOfSize(R.right - w, (R.top + R.bottom - h) / 2, w, h);
            R.right = box.left - gap;
            break;
        case 3: // bottom
            box = gfx::rectOfSize((R.left + R.right - w) / 2, R.bottom - h, w, h);
            R.bottom = box.top - gap;
            break;
        case 4: // centre
            box = gfx::rectOfSize((R.left + R.right - w) / 2, (R.top + R.bottom - h) / 2, w, h);
            break;
        default: // left
            box = gfx::rectOfSize(R.left, (R.top + R.bottom - h) / 2, w, h);
            R.left = box.right + gap;
            break;
        }
        parts.checkBox = box;
    }

    // 5. Combo button, when shown.
    const int32_t type = cell.typeBits & cell_bits::kTypeMask;
    if (cell_type::IsComboType(type) && editable_ &&
        (showControlsInAllCells_ || (row == curRow_ && colIndex == curCol_))) {
        parts.hasComboButton = true;
        const int32_t bw = gfx::systemMetrics().comboButtonWidth;
        Rect b = R;
        b.left = std::max(R.left, R.right - bw);
        b.bottom = std::min(R.bottom, R.top + bw);
        parts.comboButton = b;
        R.right = b.left - 1;
    }

    // 6-8. Icons and text.
    const EffectiveIcons icons = CellIcons(row, colIndex);
    const gfx::Size iconSize = IconSize(icons.imageList, icons.icon);
    const gfx::Size extraSize = IconSize(icons.extraImageList, icons.extraIcon);
    parts.hasIcon = iconSize.cx > 0;
    parts.hasExtraIcon = extraSize.cx > 0;
    if (parts.hasIcon) {
        parts.imageList = icons.imageList;
        parts.iconIndex = icons.icon;
    }
    if (parts.hasExtraIcon) {
        parts.extraImageList = icons.extraImageList;
        parts.extraIconIndex = icons.extraIcon;
    }
    const uint8_t alignment = cell.looks().alignment;
    const int32_t alignH = alignment & cell_bits::kAlignHMask;
    const int32_t alignV = (alignment & cell_bits::kAlignVMask) >> cell_bits::kAlignVShift;
    const int32_t iconToText = (alignment & cell_bits::kIconToTextMask) >> cell_bits::kIconToTextShift;
    const bool sideBySide = iconToText == kIconLeftOfText || iconToText == kIconRightOfText;
    if (parts.hasIcon || parts.hasExtraIcon) {
        const int32_t gap = parts.hasIcon && parts.hasExtraIcon ? cellIconGap_ : 0;
        int32_t bw, bh;
        if (sideBySide) {
            bw = iconSize.cx + extraSize.cx + gap;
            bh = std::max(iconSize.cy, extraSize.cy);
        } else {
            bw = std::max(iconSize.cx, extraSize.cx);
            bh = iconSize.cy + extraSize.cy + gap;
        }
        // Block position: beside or above/below the text, or by the cell's alignment alone.
        const bool hasText = !DisplayedText(row, colIndex).empty();
        int32_t bh_align = alignH, bv_align = alignV;
        if (hasText) {
            switch (iconToText) {
            case kIconLeftOfText: bh_align = 0; break;
            case kIconRightOfText: bh_align = 2; break;
            case kIconAboveText: bv_align = 0; break;
            default: bv_align = 2; break;
            }
        }
        const Rect block = PlaceBox(R, bw, bh, bh_align, bv_align);
        // Inside the block: the icon first, then the extra icon, in the block's direction.
        Rect rest = block;
        if (parts.hasIcon) {
            if (sideBySide) {
                parts.icon = PlaceBox({rest.left, rest.top, std::min(rest.right, rest.left + iconSize.cx), rest.bottom},
                                      iconSize.cx, iconSize.cy, 0, bv_align);
                rest.left = parts.icon.right + gap;
            } else {
                parts.icon = PlaceBox({rest.left, rest.top, rest.right, std::min(rest.bottom, rest.top + iconSize.cy)},
                                      iconSize.cx, iconSize.cy, bh_align, 0);
                rest.top = parts.icon.bottom + gap;
            }
        }
        if (parts.hasExtraIcon) parts.extraIcon = PlaceBox(rest, extraSize.cx, extraSize.cy, sideBySide ? 0 : bh_align, sideBySide ? bv_align : 0);
        // 8. Text rectangle: R less each present icon on its side.
        for (const gfx::Size& s : {iconSize, extraSize}) {
            if (s.cx <= 0) continue;
            switch (iconToText) {
            case kIconLeftOfText: R.left += s.cx + cellIconGap_; break;
            case kIconRightOfText: R.right -= s.cx + cellIconGap_; break;
            case kIconAboveText: R.top += s.cy + cellIconGap_; break;
            default: R.bottom -= s.cy + cellIconGap_; break;
            }
        }
    }
    parts.text = R;
    parts.complete = true;
    return parts;
}

// The tree button square: the host is asked once per layout whether it draws the button itself
// and at what size; the square is centred in the indent step left of the contents (vertically too
// when the row is higher) and clipped to the cell less its grid lines.
void Lattix::LayoutTreeButton(int32_t row, CellParts& parts) {
    const int32_t indentPx = LevelIndentPx();
    int32_t size = TreeButtonPx();
    parts.treeButtonCustom = false;
    if (events_.hasSinks()) {
        Variant args[] = {Variant(row), Variant::byRef(Variant(false)), Variant::byRef(Variant(size))};
        RaiseLockedEvent(event_id::kCustomDrawTreeButtonRequest, args);
        bool custom = false;
        try {
            custom = ToBool(args[1].deref());
        } catch (...) {
            custom = false; // an answer that is no Boolean asks for nothing
        }
        if (custom) {
            parts.treeButtonCustom = true;
            size = std::max(0, IntFromEvent(args[2], size));
        }
    }
    const int32_t stepLeft = parts.indented.left;
    const int32_t stepRight = std::min(stepLeft + indentPx, parts.cell.right);
    const int32_t centre = stepLeft + indentPx / 2;
    const Rect& cell = parts.cell;
    Rect b;
    b.left = centre - size / 2;
    b.right = std::min(b.left + size, stepRight);
    b.top = cell.height() > size ? cell.top + (cell.height() - size) / 2 : cell.top;
    b.bottom = b.top + size;
    parts.treeButtonFull = {b.left, b.top, b.left + size, b.top + size};
    const Rect clip{cell.left, cell.top, cell.right - parts.rightLine, cell.bottom - parts.bottomLine};
    parts.treeButton = gfx::intersect(b, clip);
}

int32_t Lattix::HitTestCell(int32_t x, int32_t y, int32_t row, int32_t colIndex) {
    if (row < 1 || colIndex < 1) return cell_part::kNone;
    const CellParts parts = LayoutCellParts(row, colIndex, CellRectInWindow(row, colIndex), false);
    const gfx::Point p{x, y};
    if (parts.hasTreeButton && parts.treeButton.contains(p)) return cell_part::kTreeButton;
    if (!parts.complete) return cell_part::kNone;
    if (parts.hasCheckBox && parts.checkBox.contains(p)) return cell_part::kCheckBox;
    if (parts.hasComboButton && parts.comboButton.contains(p)) return cell_part::kComboButton;
    const int32_t type = Cell(row, colIndex).typeBits & cell_bits::kTypeMask;
    if (type == cell_type::kCustomDraw) return cell_part::kNone;
    if (parts.hasExtraIcon && parts.extraIcon.contains(p)) return cell_part::kExtraIcon;
    if (parts.hasIcon && parts.icon.contains(p)) return cell_part::kIcon;
    if (parts.text.contains(p)) return cell_part::kText;
    return cell_part::kNone;
}

} // namespace lattix

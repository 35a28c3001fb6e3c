#include "grid/cell_object.h"

#include "grid/lattix.h"

namespace lattix {

void CellObject::SetValue(const Variant& v) {
    vValue = v.deref();
    changed();
}

void CellObject::changed() {
    if (Lattix* g = grid()) g->MarkDefaultCellsDirty();
}

CellRecord CellObject::ToRecord() const {
    using namespace cell_bits;
    CellRecord r;
    r.setValue(vValue);
    r.backColor = oBackColor;
    r.foreColor = oForeColor;
    r.textFlags = eTextFlags;
    r.comboListIndex = lComboListIndex;
    r.icon = iIcon;
    r.extraIcon = iExtraIcon;
    r.comboIndex = comboIndex;
    r.imageLists = static_cast<uint8_t>((btImageList & 0x0F) | ((btExtraImageList & 0x0F) << 4));
    r.alignment = static_cast<uint8_t>((eAlignH & 3) | ((eAlignV & 3) << kAlignVShift) | ((eIconToText & 3) << kIconToTextShift));
    r.indentLeft = btIndentLeft;
    r.indentRight = btIndentRight;
    r.indentTop = btIndentTop;
    r.indentBottom = btIndentBottom;
    r.typeBits = static_cast<uint8_t>((eType & 3) | ((eHatch & 7) << kHatchShift) | (bSelectable ? kSelectable : 0) |
                                      (bSelected ? kSelected : 0));
    r.checkBits = static_cast<uint8_t>((eCheckState & 3) | (bCheckVisible ? kCheckVisible : 0) | (eTypeFlags & kTypeFlagsMask));
    r.checkPos = static_cast<uint8_t>(eCheckPos);
    r.fmtIndex = fmtIndex;
    return r;
}

} // namespace lattix

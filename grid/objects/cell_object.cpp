#include "grid/objects/cell_object.h"

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_enums.h"
#include "grid/model/combo_lists.h"

namespace lattix {

void CellObject::changed() {
    if (Lattix* g = grid()) g->MarkDefaultCellsDirty();
}

void CellObject::rederiveCombo() {
    ComboBinding b;
    if (Lattix* g = grid()) b = DeriveComboBinding(g->ComboLists(), comboIndex_, vValue_);
    lComboListIndex_ = b.listIndex;
    iIcon_ = b.icon;
}

void CellObject::SetlComboListIndex(int32_t n) {
    const ComboList* list = nullptr;
    if (Lattix* g = grid(); g && cell_type::IsComboType(eType_)) list = g->ComboLists().list(comboIndex_);
    if (!list) {
        lComboListIndex_ = n;
    } else if (n < 0 || static_cast<size_t>(n) >= list->items.size()) {
        Variant init = InitValueOf(eType_);
        lComboListIndex_ = -1;
        vValue_ = std::move(init);
        iIcon_ = 0;
    } else {
        const ComboItem& item = list->items[static_cast<size_t>(n)];
        Variant value = item.hasValue() ? item.value : Variant();
        lComboListIndex_ = n;
        vValue_ = std::move(value);
        iIcon_ = item.icon;
    }
    changed();
}

void CellObject::ComboListRemoved(int16_t slot) {
    if (slot == 0 || comboIndex_ != slot) return;
    comboIndex_ = 0;
    lComboListIndex_ = -1;
    changed();
}

void CellObject::SetoBackColor(int32_t c) {
    oBackColor_ = c;
    changed();
}

void CellObject::SetoForeColor(int32_t c) {
    oForeColor_ = c;
    changed();
}

void CellObject::SetoFont(std::shared_ptr<FontObject> font) {
    // Listen to the new font before dropping the old one; a change of it changes the default cell.
    FontObject::Subscription watch;
    if (font) {
        std::weak_ptr<AutomationObject> self = weak_from_this();
        watch = FontObject::Listen(font, [self](FontObject&) {
            if (auto me = self.lock()) static_cast<CellObject&>(*me).changed();
        });
    }
    mFont_ = std::move(font);
    fontWatch_ = std::move(watch);
    changed();
}

void CellObject::SeteAlignH(int32_t v) {
    CheckAlignH(v);
    eAlignH_ = v;
    changed();
}

void CellObject::SeteAlignV(int32_t v) {
    CheckAlignV(v);
    eAlignV_ = v;
    changed();
}

void CellObject::SeteIconToText(int32_t v) {
    CheckIconToText(v);
    eIconToText_ = v;
    changed();
}

void CellObject::SeteTextFlags(int32_t v) {
    eTextFlags_ = v;
    changed();
}

void CellObject::SetbtImageList(uint8_t v) {
    CheckImageListNumber(v);
    btImageList_ = v;
    changed();
}

void CellObject::SetbtExtraImageList(uint8_t v) {
    CheckImageListNumber(v);
    btExtraImageList_ = v;
    changed();
}

void CellObject::SetiIcon(int16_t v) {
    iIcon_ = v;
    changed();
}

void CellObject::SetiExtraIcon(int16_t v) {
    iExtraIcon_ = v;
    changed();
}

void CellObject::SetbSelectable(bool v) {
    bSelectable_ = v;
    changed();
}

void CellObject::SetbSelected(bool v) {
    bSelected_ = v;
    changed();
}

void CellObject::SetbtIndentLeft(uint8_t v) {
    btIndentLeft_ = v;
    changed();
}

void CellObject::SetbtIndentRight(uint8_t v) {
    btIndentRight_ = v;
    changed();
}

void CellObject::SetbtIndentTop(uint8_t v) {
    btIndentTop_ = v;
    changed();
}

void CellObject::SetbtIndentBottom(uint8_t v) {
    btIndentBottom_ = v;
    changed();
}

void CellObject::SeteTypeFlags(int32_t v) {
    CheckTypeFlags(v);
    eTypeFlags_ = v;
    changed();
}

void CellObject::SeteHatch(int32_t v) {
    CheckHatch(v);
    eHatch_ = v;
    changed();
}

void CellObject::SetsFmtString(const std::string& s) {
    // The number first: a full table raises 516 before anything is stored.
    uint8_t n = 0;
    if (Lattix* g = grid()) n = g->FormatStrings().numberOf(s);
    std::string copy = s;
    sFmtString_ = std::move(copy);
    fmtIndex_ = n;
    changed();
}

void CellObject::SetsCtrlKey(const std::string& s) {
    int16_t n = 0;
    if (Lattix* g = grid()) n = g->ComboLists().find(s);
    std::string copy = s;
    sCtrlKey_ = std::move(copy);
    comboIndex_ = n;
    changed();
}

void CellObject::SetvValue(const Variant& v) {
    vValue_ = v.deref();
    if (cell_type::IsComboType(eType_)) rederiveCombo();
    changed();
}

void CellObject::SeteType(int32_t v) {
    CheckCellType(v);
    if (v == eType_) return;
    Variant init = InitValueOf(v);
    eType_ = v;
    vValue_ = std::move(init);
    changed();
}

void CellObject::SeteCheckState(int32_t v) {
    CheckCheckState(v);
    eCheckState_ = v;
    changed();
}

void CellObject::SetbCheckVisible(bool v) {
    bCheckVisible_ = v;
    changed();
}

void CellObject::SeteCheckPos(int32_t v) {
    CheckCheckPos(v);
    eCheckPos_ = v;
    changed();
}

CellRecord CellObject::ToRecord() const {
    using namespace cell_bits;
    CellRecord r;
    r.setValue(vValue_);
    r.comboListIndex = lComboListIndex_;
    r.typeBits = static_cast<uint8_t>((eType_ & kTypeMask) | ((eHatch_ << kHatchShift) & kHatchMask) |
                                      (bSelectable_ ? kSelectable : 0) | (bSelected_ ? kSelected : 0) | kChanged);
    r.checkBits = static_cast<uint8_t>((eCheckState_ & kCheckStateMask) | (bCheckVisible_ ? kCheckVisible : 0) |
                                       (eTypeFlags_ & kTypeFlagsMask));
    const uint16_t fontIndex = [&]() -> uint16_t {
        Lattix* g = grid();
        return g && mFont_ ? g->DefaultCellFontNumber(*mFont_) : 0;
    }();
    r.editLooks([&](CellLooks& l) {
        l.backColor = oBackColor_;
        l.foreColor = oForeColor_;
        l.textFlags = eTextFlags_;
        l.icon = iIcon_;
        l.extraIcon = iExtraIcon_;
        l.comboIndex = comboIndex_;
        l.fontIndex = fontIndex;
        l.imageLists = static_cast<uint8_t>((btImageList_ & 0x0F) | ((btExtraImageList_ & 0x0F) << 4));
        l.alignment = static_cast<uint8_t>((eAlignH_ & 3) | ((eAlignV_ & 3) << kAlignVShift) |
                                           ((eIconToText_ & 3) << kIconToTextShift));
        l.indentLeft = btIndentLeft_;
        l.indentRight = btIndentRight_;
        l.indentTop = btIndentTop_;
        l.indentBottom = btIndentBottom_;
        l.checkPos = static_cast<uint8_t>(eCheckPos_);
        l.fmtIndex = fmtIndex_;
    });
    return r;
}

} // namespace lattix

// A free-standing set of cell attributes. Each column's default cell is one; new cells of the
// column start as copies of it. A CellObject whose grid is gone keeps working as a plain holder.
//
// Members carry the published names: a property P has P() and SetP(). Every let stores its field and
// tells the grid that a default cell changed, with these rules: eType does nothing when unchanged and
// otherwise resets vValue to the type's initial value; vValue re-derives the combo binding for combo
// types; lComboListIndex follows the cell rule (an index outside the list clears the binding and the
// value); sFmtString and sCtrlKey store the string with its number in the grid's tables; the image
// list numbers are 0..15 and the packed enumerations are checked (error 514).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "grid/model/cell_record.h"
#include "grid/objects/font_object.h"
#include "grid/objects/owned_object.h"

namespace lattix {

class CellObject final : public OwnedObject {
public:
    explicit CellObject(Lattix* grid) : OwnedObject(grid) {}
    static std::shared_ptr<CellObject> Create(Lattix* grid) { return std::make_shared<CellObject>(grid); }

    const TypeInfo& typeInfo() const override;
    static const TypeInfo& ClassTypeInfo();

    int32_t lComboListIndex() const { return lComboListIndex_; }
    void SetlComboListIndex(int32_t n);
    int32_t oBackColor() const { return oBackColor_; }
    void SetoBackColor(int32_t c);
    int32_t oForeColor() const { return oForeColor_; }
    void SetoForeColor(int32_t c);
    const std::shared_ptr<FontObject>& oFont() const { return mFont_; }
    void SetoFont(std::shared_ptr<FontObject> font);
    int32_t eAlignH() const { return eAlignH_; }
    void SeteAlignH(int32_t v);
    int32_t eAlignV() const { return eAlignV_; }
    void SeteAlignV(int32_t v);
    int32_t eIconToText() const { return eIconToText_; }
    void SeteIconToText(int32_t v);
    int32_t eTextFlags() const { return eTextFlags_; }
    void SeteTextFlags(int32_t v);
    uint8_t btImageList() const { return btImageList_; }
    void SetbtImageList(uint8_t v);
    uint8_t btExtraImageList() const { return btExtraImageList_; }
    void SetbtExtraImageList(uint8_t v);
    int16_t iIcon() const { return iIcon_; }
    void SetiIcon(int16_t v);
    int16_t iExtraIcon() const { return iExtraIcon_; }
    void SetiExtraIcon(int16_t v);
    bool bSelectable() const { return bSelectable_; }
    void SetbSelectable(bool v);
    bool bSelected() const { return bSelected_; }
    void SetbSelected(bool v);
    uint8_t btIndentLeft() const { return btIndentLeft_; }
    void SetbtIndentLeft(uint8_t v);
    uint8_t btIndentRight() const { return btIndentRight_; }
    void SetbtIndentRight(uint8_t v);
    uint8_t btIndentTop() const { return btIndentTop_; }
    void SetbtIndentTop(uint8_t v);
    uint8_t btIndentBottom() const { return btIndentBottom_; }
    void SetbtIndentBottom(uint8_t v);
    int32_t eTypeFlags() const { return eTypeFlags_; }
    void SeteTypeFlags(int32_t v);
    int32_t eHatch() const { return eHatch_; }
    void SeteHatch(int32_t v);
    const std::string& sFmtString() const { return sFmtString_; }
    void SetsFmtString(const std::string& s);
    const std::string& sCtrlKey() const { return sCtrlKey_; }
    void SetsCtrlKey(const std::string& s);
    const Variant& vValue() const { return vValue_; }
    void SetvValue(const Variant& v);
    int32_t eType() const { return eType_; }
    void SeteType(int32_t v);
    int32_t eCheckState() const { return eCheckState_; }
    void SeteCheckState(int32_t v);
    bool bCheckVisible() const { return bCheckVisible_; }
    void SetbCheckVisible(bool v);
    int32_t eCheckPos() const { return eCheckPos_; }
    void SeteCheckPos(int32_t v);

    // Short names of vValue for C++ callers.
    Variant Value() const { return vValue_; }
    void SetValue(const Variant& v) { SetvValue(v); }

    // Numbers the object keeps beside its strings.
    uint8_t FmtIndex() const { return fmtIndex_; }
    int16_t ComboIndex() const { return comboIndex_; }
    // The grid's list in that slot is going away: the default cell no longer refers to it.
    void ComboListRemoved(int16_t slot);

    // The packed record new cells copy (with the changed flag set).
    CellRecord ToRecord() const;

protected:
    // Tells the grid that a default cell changed, so new cells pick the change up.
    void changed();

private:
    void rederiveCombo();

    int32_t lComboListIndex_ = -1;
    int32_t oBackColor_ = -1;
    int32_t oForeColor_ = -1;
    std::shared_ptr<FontObject> mFont_;
    FontObject::Subscription fontWatch_;
    int32_t eAlignH_ = 0;
    int32_t eAlignV_ = 0;
    int32_t eIconToText_ = 0;
    int32_t eTextFlags_ = 32768; // lxTextEndEllipsis
    uint8_t btImageList_ = 1;
    uint8_t btExtraImageList_ = 1;
    int16_t iIcon_ = 0;
    int16_t iExtraIcon_ = 0;
    bool bSelectable_ = true;
    bool bSelected_ = false;
    uint8_t btIndentLeft_ = 1, btIndentRight_ = 1, btIndentTop_ = 0, btIndentBottom_ = 0;
    int32_t eTypeFlags_ = 0;
    int32_t eHatch_ = 7; // lxHatchNone
    std::string sFmtString_;
    uint8_t fmtIndex_ = 0;
    std::string sCtrlKey_;
    int16_t comboIndex_ = 0;
    Variant vValue_ = Variant(std::string());
    int32_t eType_ = 0;
    int32_t eCheckState_ = 0;
    bool bCheckVisible_ = false;
    int32_t eCheckPos_ = 0;
};

} // namespace lattix

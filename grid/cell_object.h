// A free-standing set of cell attributes. Each column's default cell is one; new cells of the
// column start as copies of it. A CellObject whose grid is gone keeps working as a plain holder.
#pragma once

#include <cstdint>
#include <string>

#include "grid/model/cell_record.h"
#include "grid/owned_object.h"

namespace lattix {

class CellObject final : public OwnedObject {
public:
    explicit CellObject(Lattix* grid) : OwnedObject(grid) {}
    static std::shared_ptr<CellObject> Create(Lattix* grid) { return std::make_shared<CellObject>(grid); }

    const TypeInfo& typeInfo() const override;
    static const TypeInfo& ClassTypeInfo();

    int32_t lComboListIndex = -1;
    int32_t oBackColor = -1;
    int32_t oForeColor = -1;
    int32_t eAlignH = 0;
    int32_t eAlignV = 0;
    int32_t eIconToText = 0;
    int32_t eTextFlags = 0;
    uint8_t btImageList = 0;
    uint8_t btExtraImageList = 0;
    int16_t iIcon = 0;
    int16_t iExtraIcon = 0;
    bool bSelectable = true;
    bool bSelected = false;
    uint8_t btIndentLeft = 0, btIndentRight = 0, btIndentTop = 0, btIndentBottom = 0;
    int32_t eTypeFlags = 0;
    int32_t eHatch = 7;
    std::string sFmtString;
    uint8_t fmtIndex = 0;
    std::string sCtrlKey;
    int16_t comboIndex = 0;
    Variant vValue = Variant(std::string());
    int32_t eType = 0;
    int32_t eCheckState = 0;
    bool bCheckVisible = false;
    int32_t eCheckPos = 0;

    Variant Value() const { return vValue; }
    void SetValue(const Variant& v);

    // The packed record new cells copy.
    CellRecord ToRecord() const;

protected:
    // Tells the grid that a default cell changed, so new cells pick the change up.
    void changed();
};

} // namespace lattix

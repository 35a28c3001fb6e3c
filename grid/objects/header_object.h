// The column header bar's properties (the grid's Header). Every member forwards to the grid's
// header settings; a let checks its value first (error 514 for an invalid one) and changes nothing
// when it raises.
#pragma once

#include <memory>

#include "grid/objects/owned_object.h"
#include "runtime/variant.h"

namespace lattix {

class FontObject;
struct HeaderSettings;

class HeaderObject final : public OwnedObject {
public:
    explicit HeaderObject(Lattix* grid) : OwnedObject(grid) {}
    const TypeInfo& typeInfo() const override;

    int32_t Height() const;
    void SetHeight(int32_t h);
    bool Visible() const;
    void SetVisible(bool b);
    int64_t hWnd() const;
    std::shared_ptr<FontObject> Font() const;
    void SetFont(const std::shared_ptr<FontObject>& f);
    std::shared_ptr<FontObject> SortInfoFont() const;
    void SetSortInfoFont(const std::shared_ptr<FontObject>& f);
    void SetImageList(const Variant& vImageList);
    void AutoHeight();

    // The plain settings: colours (checked as colours), enumerations and flags (checked against
    // their ranges), booleans.
    enum class Field {
        ForeColor, BackColor, DragCols, UseXPStyles, Flat, EdgeInnerLeftTop, EdgeInnerRightBottom, EdgeOuterLeftTop,
        EdgeOuterRightBottom, EdgePressed, Buttons, SortInfoStyle, SolidSortIconColor, AutoHeightFlags, HotTrack,
        HotTrackForeColor, HotTrackFlags, MinHeight, BottomLineVisibility, BottomLineColor
    };
    int32_t Get(Field f) const;
    void Set(Field f, int32_t value);

private:
    HeaderSettings& settings() const;
};

} // namespace lattix

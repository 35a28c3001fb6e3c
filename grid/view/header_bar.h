// cHeaderControl: the grid's wrapper of its column header window. It keeps the header's settings
// (HeaderObject forwards to them), draws every item itself (background by look and state, sort
// triangle and number, icon, title), measures items (CalcItemAutoSize, AutoHeight) and turns the
// header control's notifications into the wrapper events the grid handles.
//
// Items stand for the laid-out columns in display order; the grid describes them through
// HeaderItemSource and rebuilds them (SetItems) when the layout changes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/objects/font_object.h"
#include "platform/controls/header_control.h"
#include "platform/gfx/image_list.h"

namespace lattix {

// ESortInfoStyles, EHeaderHotTrackFlags, EHeaderBottomLineVisibility, EHeaderAutoHeightFlags.
inline constexpr int32_t lxSortInfoNone = 0;
inline constexpr int32_t lxSortInfoOnlyIcons = 1;
inline constexpr int32_t lxSortInfoNumIcons = 2;
inline constexpr int32_t lxHdrHotIcon = 1;
inline constexpr int32_t lxHdrHotText = 2;
inline constexpr int32_t lxHdrHotSortInfo = 4;
inline constexpr int32_t lxHdrBottomLineAuto = 0;
inline constexpr int32_t lxHdrBottomLineOn = 1;
inline constexpr int32_t lxHdrBottomLineOff = 2;
inline constexpr int32_t lxHAHOnAddCol = 1;
inline constexpr int32_t lxHAHOnRemoveCol = 2;
inline constexpr int32_t lxHAHOnHideCol = 4;
inline constexpr int32_t lxHAHOnShowCol = 8;
inline constexpr int32_t lxHAHOnContentsChange = 16;
inline constexpr int32_t lxHAHOnThemeChange = 32;
inline constexpr int32_t lxHAHOnFontsChange = 64;

// What one header item shows.
struct HeaderItemInfo {
    std::string text;
    int32_t icon = 0;       // 1-based index in the header image list; 0 none
    int32_t alignH = 0;     // 0 left, 1 centre, 2 right
    int32_t alignV = 0;     // 0 top, 1 centre, 2 bottom
    int32_t textFlags = 32768;
    int32_t backColor = -1; // -1: the header's colour
    int32_t foreColor = -1;
    int32_t sortKey = 0;    // 1-based number of the column's sort criterion; 0 when not sorted
    int32_t sortOrder = 0;  // 0 ascending, 1 descending
    int32_t sortCount = 0;  // number of sort criteria
    int32_t width = 0;
};

class HeaderItemSource {
public:
    virtual ~HeaderItemSource() = default;
    virtual HeaderItemInfo HeaderItem(int item) const = 0;
};

// The wrapper's events (item indexes are header item indexes).
class HeaderBarListener {
public:
    virtual ~HeaderBarListener() = default;
    virtual void ColumnClick(int item, int x, int y, int32_t shift) = 0;
    virtual void ColumnDblClick(int item) = 0;
    // True cancels.
    virtual bool ColumnBeginDrag(int item) = 0;
    virtual bool ColumnEndDrag(int item, int order) = 0;
    virtual void ColumnWidthStartChange(int item, int32_t width) = 0;
    // May narrow the width to the column's limits.
    virtual void ColumnWidthChanging(int item, int32_t& width) = 0;
    virtual void ColumnWidthChanged(int item, int32_t width) = 0;
    // True when the item may be resized at all.
    virtual bool ColumnSizable(int item) = 0;
    virtual void DividerDblClick(int item) = 0;
    virtual void ColumnMouseEnter(int item) = 0;
    virtual void ColumnMouseLeave(int item) = 0;
    virtual void RightClick(int x, int y) = 0;
    virtual void HeightChanged() = 0;
};

struct HeaderSettings {
    int32_t foreColor = static_cast<int32_t>(0x80000012u);  // button text
    int32_t backColor = static_cast<int32_t>(0x8000000Fu);  // button face
    int32_t hotTrackForeColor = static_cast<int32_t>(0x8000000Du);
    int32_t hotTrackBackColor = static_cast<int32_t>(0x80000016u);
    int32_t bottomLineColor = static_cast<int32_t>(0x80000010u);
    int32_t edgeInnerLeftTop = static_cast<int32_t>(0x80000016u);     // 3-D light
    int32_t edgeInnerRightBottom = static_cast<int32_t>(0x80000010u); // shadow
    int32_t edgeOuterLeftTop = static_cast<int32_t>(0x80000014u);     // highlight
    int32_t edgeOuterRightBottom = static_cast<int32_t>(0x80000015u); // dark shadow
    int32_t edgePressed = static_cast<int32_t>(0x80000010u);
    int32_t sortInfoStyle = lxSortInfoNumIcons;
    int32_t solidSortIconColor = static_cast<int32_t>(0x80000010u);
    bool hotTrack = true;
    int32_t hotTrackFlags = lxHdrHotIcon | lxHdrHotText | lxHdrHotSortInfo;
    int32_t minHeight = 0;
    int32_t bottomLineVisibility = lxHdrBottomLineAuto;
    int32_t autoHeightFlags = 127;
    bool visible = true;
    bool dragCols = true;
    bool buttons = true;
    bool flat = false;
    bool useXPStyles = true; // the wish
    int32_t height = 20;
};

class cHeaderControl {
public:
    // Creates the header window as a child of `parent` (the grid window) at the top.
    // The settings are kept by the owner and outlive the wrapper.
    cHeaderControl(ui::Hwnd parent, HeaderSettings& settings, HeaderItemSource* source, HeaderBarListener* listener);
    ~cHeaderControl();
    cHeaderControl(const cHeaderControl&) = delete;
    cHeaderControl& operator=(const cHeaderControl&) = delete;

    ui::Hwnd hWnd() const { return hwnd_; }
    controls::HeaderControl* Control() const { return controls::HeaderControl::FromWindow(hwnd_); }
    HeaderSettings& Settings() { return s_; }
    const HeaderSettings& Settings() const { return s_; }

    // Visual styles in effect for the header: the wish and the system's support.
    bool Themed() const;
    void SetSystemThemed(bool themed);
    void ChangeTheme();
    // Applies the settings' styles and look to the window and repaints it.
    void ApplyStyle();

    std::shared_ptr<FontObject> Font() const { return font_; }
    std::shared_ptr<FontObject> SortInfoFont() const { return sortInfoFont_; }
    void SetFont(std::shared_ptr<FontObject> f);
    void SetSortInfoFont(std::shared_ptr<FontObject> f);
    void SetImageList(std::shared_ptr<const gfx::ImageList> images);
    const gfx::ImageList* ImageList() const { return images_.get(); }

    // Rebuilds the items (widths from the source); keeps nothing of the old ones.
    void SetItems(int count);
    int ItemCount() const;
    void SetItemWidth(int item, int32_t width);
    // Moves the window; -1 keeps a value. Only moves when something differs.
    void Move(int x, int y, int width, int height);
    void SetHeight(int32_t h);
    int32_t Height() const { return s_.height; }
    void SetVisible(bool visible);
    // Suspends or resumes drawing (BeginUpdate / EndUpdate).
    void SetRedraw(bool on);
    void RefreshEntireHeader();

    // The optimal size of an item: icon, sort info, text and the spacing around them.
    ui::Size CalcItemAutoSize(const HeaderItemInfo& item) const;
    // max(tallest item's optimal height, MinHeight); reports HeightChanged when it changed.
    void AutoHeightAndRefresh();
    int32_t OptimalHeight() const;

    // Draws one item; used by the control's owner drawing.
    void DrawItem(gfx::DeviceContext& dc, int item, const ui::Rect& r, controls::HeaderItemState state);

private:
    static ui::LResult ParentSubclass(ui::Hwnd, ui::MessageId, ui::WParam, ui::LParam, std::uintptr_t, std::uintptr_t);
    ui::LResult OnNotify(controls::HeaderNotify& n);
    gfx::FontPtr GfxFont(const std::shared_ptr<FontObject>& f) const;

    ui::Hwnd parent_;
    ui::Hwnd hwnd_ = 0;
    HeaderItemSource* source_;
    HeaderBarListener* listener_;
    HeaderSettings& s_;
    bool systemThemed_ = true;
    std::shared_ptr<FontObject> font_;
    std::shared_ptr<FontObject> sortInfoFont_;
    std::shared_ptr<const gfx::ImageList> images_;
};

} // namespace lattix

// The column header control ("SysHeader32"): a child window showing a row of items that the user
// clicks, resizes by dragging the dividers between them and reorders by drag and drop.
//
// The control tells its parent what happens with WM_NOTIFY messages carrying a HeaderNotify
// record. A non-zero result of the begin-track, begin-drag and end-drag notifications vetoes the
// action; the owner may narrow the width of a track notification (limits) and draw items itself
// by answering kHeaderDrawItem with a non-zero result.
//
// Items are addressed by their index from the left. Every call checks its item index and does
// nothing (false, -1 or an empty result) for one out of range.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/device_context.h"
#include "platform/gfx/font.h"
#include "platform/gfx/image_list.h"
#include "platform/ui/window_manager.h"

namespace lattix::controls {

using ui::Hwnd;
using ui::Point;
using ui::Rect;

inline constexpr const char* kHeaderClassName = "SysHeader32";

// Window styles of the header control.
inline constexpr std::uint32_t HDS_BUTTONS = 0x0002;  // items look pushed while pressed
inline constexpr std::uint32_t HDS_HOTTRACK = 0x0004; // the item under the pointer is drawn hot
inline constexpr std::uint32_t HDS_DRAGDROP = 0x0040; // items can be dragged to a new position
inline constexpr std::uint32_t HDS_FLAT = 0x0200;     // classic look without 3-D edges

// Notification codes (HeaderNotify::hdr.code).
enum HeaderNotification : int {
    kHeaderItemClick = -300,     // item, button, modifiers, pt
    kHeaderItemDblClick = -303,  // item, modifiers, pt
    kHeaderDividerDblClick = -305, // item (whose right divider was double-clicked)
    kHeaderBeginTrack = -306,    // item, width; non-zero result refuses the resize
    kHeaderTrack = -308,         // item, width (the owner may change it)
    kHeaderEndTrack = -307,      // item, width
    kHeaderBeginDrag = -310,     // item; non-zero result refuses the drag
    kHeaderEndDrag = -311,       // item, order (its new index); non-zero result keeps the order
    kHeaderRightClick = -5,      // item under the pointer or -1, pt
    kHeaderHotChanged = -320,    // item (new hot item or -1), oldItem
    kHeaderDrawItem = -330,      // item, dc, rect, state; non-zero result: drawn by the owner
};

// Drawing states of an item.
enum class HeaderItemState { Normal = 1, Hot = 2, Pressed = 3 };

struct HeaderNotify {
    ui::NotifyHeader hdr;
    int item = -1;
    int oldItem = -1;
    int button = 0;         // 1 left, 2 right, 4 middle
    unsigned modifiers = 0; // 1 Shift, 2 Ctrl, 4 Alt
    Point pt{};             // header client coordinates
    int width = 0;
    int order = -1;
    gfx::DeviceContext* dc = nullptr;
    Rect rect{};
    HeaderItemState state = HeaderItemState::Normal;
};

struct HeaderItem {
    int width = 50;
    std::string text;
    int image = -1; // index in the control's image list, -1 for none
    std::intptr_t data = 0;
};

enum class HeaderHitPart { Nowhere, Item, Divider };
struct HeaderHit {
    HeaderHitPart part = HeaderHitPart::Nowhere;
    int item = -1;
};

class HeaderControl {
public:
    // Creates the control as a child of parent (the style's WS_CHILD is added). 0 on failure.
    static Hwnd Create(Hwnd parent, const Rect& rect, std::uint32_t style, int id = 0);
    // The control of a header window, nullptr for any other window.
    static HeaderControl* FromWindow(Hwnd hwnd);

    Hwnd hwnd() const { return hwnd_; }
    std::uint32_t Style() const;

    // ---- items
    int ItemCount() const { return static_cast<int>(items_.size()); }
    // Inserts before `index` (clamped to 0..count); returns the new item's index.
    int InsertItem(int index, const HeaderItem& item);
    bool DeleteItem(int index);
    void DeleteAllItems();
    const HeaderItem* Item(int index) const;
    bool SetItem(int index, const HeaderItem& item);
    bool SetItemWidth(int index, int width);
    // Moves the item at `from` so that it stands at index `to`.
    bool MoveItem(int from, int to);
    // The item's rectangle in client coordinates (empty for a bad index).
    Rect ItemRect(int index) const;
    HeaderHit HitTest(Point client) const;

    // ---- look
    void SetFont(gfx::FontPtr font);
    // Not owned; must outlive its use (nullptr for none).
    void SetImageList(const gfx::ImageList* images);

    // ---- state, for owners and tests
    int HotItem() const { return hot_; }
    int PressedItem() const { return pressed_; }
    bool IsTracking() const { return tracking_ >= 0; }
    bool IsDragging() const { return dragging_; }
    // While dragging: the index the item would take if dropped now.
    int DropOrder() const { return dropOrder_; }
    // Whether the visual styles are used (the window is themed and the system has them in use).
    bool Themed() const;

    // Paints every item into dc (client coordinates), as WM_PAINT does.
    void Paint(gfx::DeviceContext& dc);

private:
    explicit HeaderControl(Hwnd hwnd) : hwnd_(hwnd) {}
    static ui::LResult Proc(Hwnd, ui::MessageId, ui::WParam, ui::LParam);
    ui::LResult Handle(ui::MessageId, ui::WParam, ui::LParam);

    ui::LResult Notify(HeaderNotify& n, int code);
    void OnMouseMove(Point pt);
    void OnButtonDown(Point pt);
    void OnButtonUp(Point pt);
    void OnDoubleClick(Point pt);
    void SetHot(int item);
    void EndDragAt(Point pt);
    int OrderAt(int x) const;
    void DrawItemDefault(gfx::DeviceContext& dc, int index, const Rect& r, HeaderItemState state);
    void DrawDragFeedback(gfx::DeviceContext& dc);
    void Invalidate();

    Hwnd hwnd_;
    std::vector<HeaderItem> items_;
    gfx::FontPtr font_;
    const gfx::ImageList* images_ = nullptr;
    int hot_ = -1;
    int pressed_ = -1;
    bool pressedInside_ = false;
    Point pressPoint_{};
    int tracking_ = -1;  // item being resized
    int trackGrab_ = 0;  // pointer offset from the divider when the resize began
    bool dragging_ = false;
    bool dragRefused_ = false;
    int dragX_ = 0;
    int dropOrder_ = -1;
    bool trackingLeave_ = false;
};

} // namespace lattix::controls

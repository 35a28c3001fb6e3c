// The drop-down list window: a bordered popup that stands above every other window at screen
// coordinates and shows a list of items of one fixed height, each an optional icon and a line of
// text, drawn here. A vertical scroll bar appears inside the border when not every item fits.
// The list draws its one-pixel border itself, so item and scroll bar coordinates start inside it.
// It has a classic and a themed look (SetThemed); its owner chooses.
//
// While open the list holds the mouse capture but never the focus: the window that has the focus
// (the "focus window" given to Show) keeps it and hands its keys to the list (HandleKey, or a
// WM_KEYDOWN sent to the list window). The highlight follows the keys and the pointer; a click on
// an item chooses it, Enter chooses the highlighted one. A press outside the list, Escape, the
// focus window losing the focus or another window taking the capture close it without a choice.
//
// The listener hears of each choice, each close and each change of the highlight. A choice comes
// first (the list still open), then the close; a close after a choice carries the chosen index,
// any other close -1. Hide() closes without telling anybody. The listener may hide, refill or
// destroy the list from inside a notification.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/image_list.h"
#include "platform/ui/window_manager.h"

namespace lattix::controls {

using ui::Hwnd;

inline constexpr const char* kDropDownListClassName = "LattixDropDownList";

struct DropDownItem {
    std::string text;
    int icon = -1; // index in the list's image list; below 0 means none
};

struct DropDownEvent {
    enum Kind { Chosen, Closed, HighlightChanged };
    Kind kind = Closed;
    int index = -1;       // the item chosen, closed on (-1: no choice) or highlighted (-1: none)
    bool byMouse = false; // the pointer moved the highlight or made the choice
};

class DropDownList {
public:
    using Listener = std::function<void(const DropDownEvent&)>;

    // Creates the hidden list, owned by the top-level window of `owner`. 0 when the owner is not a
    // window.
    static Hwnd Create(Hwnd owner);
    static DropDownList* FromWindow(Hwnd hwnd);

    Hwnd hwnd() const { return hwnd_; }
    void SetListener(Listener listener) { listener_ = std::move(listener); }

    // ---- items and looks
    void SetItems(std::vector<DropDownItem> items);
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<DropDownItem>& Items() const { return items_; }
    // nullptr: the default font.
    void SetFont(gfx::FontPtr font);
    // `drawnSize`: the size the images are drawn at (the list's own when empty).
    void SetImageList(std::shared_ptr<const gfx::ImageList> images, gfx::Size drawnSize = {});
    // Pixels, at least 1.
    void SetItemHeight(int pixels);
    int ItemHeight() const { return itemHeight_; }
    // The themed look (flat border in the theme's colour, accent highlight) instead of the
    // classic one (window-frame border, system highlight).
    void SetThemed(bool themed);
    bool IsThemed() const { return themed_; }

    // ---- highlight and scrolling
    int Highlighted() const { return highlighted_; }
    // -1 (or any index outside the items) removes the highlight. The item is scrolled into view.
    // Tells the listener only with notify.
    void SetHighlighted(int index, bool notify = false);
    int TopIndex() const { return top_; }
    void SetTopIndex(int index);
    // Whole items the open list shows at once.
    int VisibleItemCount() const;
    bool HasScrollBar() const;
    // The item under a point in client coordinates; -1 for none (the scroll bar, past the last item).
    int ItemAt(int x, int y) const;
    // Client rectangle of the item at a display index (it may lie outside the client area).
    ui::Rect ItemRect(int index) const;

    // ---- showing
    // Shows the list at `screenRect` (border included) above every window, takes the capture and
    // watches `focusWindow` (0: none) for the loss of focus.
    void Show(const ui::Rect& screenRect, Hwnd focusWindow);
    // Closes without a notification.
    void Hide();
    bool IsOpen() const { return open_; }

    // A key handed over by the focus window (mods: 1 Shift, 2 Ctrl, 4 Alt). Up, Down, Left, Right,
    // Home, End, PgUp and PgDn move the highlight as a list box does, Enter chooses the highlighted
    // item, Escape closes. False for every other key and while the list is closed.
    bool HandleKey(ui::VirtualKey key, unsigned mods);

private:
    explicit DropDownList(Hwnd hwnd) : hwnd_(hwnd) {}
    static ui::LResult Proc(Hwnd, ui::MessageId, ui::WParam, ui::LParam);
    ui::LResult Handle(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    static ui::LResult FocusSubclass(Hwnd, ui::MessageId, ui::WParam, ui::LParam, std::uintptr_t, std::uintptr_t);
    void OnButtonDown(ui::Point client, bool left);
    void OnButtonUp(ui::Point client);
    void OnMouseMove(ui::Point client);
    void Paint(gfx::DeviceContext& dc);
    // Closes because of the user; tells the listener (chosen: the chosen index, else -1).
    void Dismiss(int chosen, bool byMouse);
    void Choose(int index, bool byMouse);
    // False when the list went away (destroyed) inside the listener.
    bool Notify(const DropDownEvent& e);
    void StopWatchingFocus();
    // The client area inside the border: items and scroll bar.
    ui::Rect InnerRect() const;
    ui::Rect ScrollBarRect() const;
    int ItemsWidth() const;
    int MaxTop() const;
    void Invalidate();

    Hwnd hwnd_;
    Listener listener_;
    std::vector<DropDownItem> items_;
    gfx::FontPtr font_;
    std::shared_ptr<const gfx::ImageList> images_;
    gfx::Size iconSize_;
    int itemHeight_ = 15;
    bool themed_ = false;
    int highlighted_ = -1;
    int top_ = 0;
    bool open_ = false;
    Hwnd focusWindow_ = 0;
    // Mouse gesture: a press on an item (a release on an item then chooses it), or a thumb drag.
    bool pressOnItems_ = false;
    bool draggingThumb_ = false;
    int thumbGrab_ = 0;
    int pressedPart_ = 0;
};

} // namespace lattix::controls

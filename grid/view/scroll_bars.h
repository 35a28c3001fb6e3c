// cScrollBars: the scroll bar engine of one grid window. It drives both bars of the window (as
// standard window bars or with the flat look), keeps each bar's value, range, steps, visibility,
// enabled state and display mode, turns the window's scroll and wheel messages into scroll
// requests, and decides from the grid's geometry which bars show and what their ranges are
// (Adjust).
//
// Values are 0..max. The window bar of a bar has the range 0..max + large change - 1 with the large
// change as its page, so that its thumb reaches exactly value = max.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui/window_manager.h"

namespace lattix {

// EScrollBar, EScrollBarDisplayMode, EScrollBarStyles, EScrollReasons.
inline constexpr int kBarH = 0;
inline constexpr int kBarV = 1;
inline constexpr int32_t lxScrollBarDisplayNever = 0;
inline constexpr int32_t lxScrollBarDisplayNormal = 1;
inline constexpr int32_t lxScrollBarDisplayAlways = 2;
inline constexpr int32_t lxScrollBarRegular = 0;
inline constexpr int32_t lxScrollBarEncarta = 1;
inline constexpr int32_t lxScrollBarFlat = 2;
inline constexpr int32_t lxScrollReasonLineUpOrLeft = 0;
inline constexpr int32_t lxScrollReasonLineDownOrRight = 1;
inline constexpr int32_t lxScrollReasonPageUpOrLeft = 2;
inline constexpr int32_t lxScrollReasonPageDownOrRight = 3;
inline constexpr int32_t lxScrollReasonThumbPosition = 4;
inline constexpr int32_t lxScrollReasonThumbTrack = 5;

// What the engine asks of the grid it serves.
class ScrollBarsListener {
public:
    virtual ~ScrollBarsListener() = default;
    // MouseWheel: returns bDoDefault as the host left it; shift may be changed by the host.
    virtual bool OnMouseWheel(int32_t distance, int32_t button, int32_t& shift, float x, float y) = 0;
    // ScrollBarBeforeScroll: the host may change newValue or cancel (false).
    virtual bool OnBeforeScroll(int bar, int32_t reason, bool wheel, int32_t& newValue) = 0;
    virtual void OnValueChanged(int bar, int32_t value) = 0;
    virtual void OnThumbTrack(int bar, int32_t value) = 0;
    virtual void OnEndScroll(int bar) = 0;
    virtual void OnEnabledChanged(int bar, bool enabled) = 0;
    virtual void OnVisibilityChanged(int bar, bool visible) = 0;
    // The horizontal range or value changed so that the header bar must move.
    virtual void OnHeaderReposition() = 0;
};

// The grid's geometry as Adjust needs it.
struct ScrollGeometry {
    int32_t cellsWidth = 0;  // client width with no bar shown
    int32_t cellsHeight = 0; // client height below the header with no bar shown
    int32_t frozenWidth = 0;
    int32_t scrollableWidth = 0; // width of the shown non-frozen columns
    int32_t contentHeight = 0;   // bottom of the last visible row
    int32_t frozenCols = 0;
    // Widths of the shown non-frozen columns, in position order (for column scrolling).
    std::vector<int32_t> scrollableWidths;
    int32_t defaultRowHeight = 17;
    bool updatesSuspended = false;
};

struct ScrollAdjustResult {
    int32_t viewWidth = 0;
    int32_t viewHeight = 0;
    bool hShown = false;
    bool vShown = false;
    int32_t scrollX = 0; // pixels (0 with frozen columns)
    int32_t scrollY = 0;
};

class cScrollBars {
public:
    struct Bar {
        int32_t value = 0;
        int32_t max = 100;
        int32_t smallChange = 1;
        int32_t largeChange = 10;
        bool visible = false;
        bool enabled = true;
        int32_t displayMode = lxScrollBarDisplayNormal;
        bool scrollable = false;
        bool wheelWhenHidden = false;
        // The bar's own flag and desired small change (ScrollBarObject).
        bool objectEnabled = true;
        int32_t smallChangeDesired = 0;
    };

    // Attaches to the window (subclassing it for its scroll and wheel messages). The flat look is
    // used when asked for; `style` is an EScrollBarStyles value.
    cScrollBars(ui::Hwnd hwnd, ScrollBarsListener* listener, bool useFlat, int32_t style);
    ~cScrollBars();
    cScrollBars(const cScrollBars&) = delete;
    cScrollBars& operator=(const cScrollBars&) = delete;

    ui::Hwnd hwnd() const { return hwnd_; }
    const Bar& bar(int b) const { return bars_[static_cast<std::size_t>(b & 1)]; }
    Bar& mutableBar(int b) { return bars_[static_cast<std::size_t>(b & 1)]; }

    // Setting a value: clamped to 0..max; the same value does nothing; otherwise stored, shown on
    // the window bar, and the change reported.
    void SetValue(int b, int32_t v);
    // Moves the thumb to a position the view already has, without telling the listener.
    void SyncValue(int b, int32_t v);
    // Setting max: a value beyond it comes down to it (and the change is reported).
    void SetMax(int b, int32_t m);
    void SetLargeChange(int b, int32_t p);
    void SetSmallChange(int b, int32_t s) { mutableBar(b).smallChange = std::max<int32_t>(1, s); }
    void Show(int b, bool visible);
    void Enable(int b, bool enabled);
    void SetDisplayMode(int b, int32_t mode);

    bool UsesFlat() const { return flat_; }
    int32_t Style() const { return style_; }
    // Switches between the flat and the standard bars; a failing flat service leaves the standard.
    void SetUseFlat(bool flat);
    void SetStyle(int32_t style);
    // Themed standard bars (when visual styles are in effect).
    void SetThemed(bool themed);

    // Bar visibility and ranges from the geometry (with the enabled and visibility events).
    ScrollAdjustResult Adjust(const ScrollGeometry& g, bool raiseVisibilityEvents);

    // A scroll request as the bars and the wheel make it (also used by the message handling).
    // code: the window scroll notification code; n: line steps for the wheel.
    void Scroll(int b, int code, bool wheel = false, int32_t lines = 1);
    // A wheel message: delta in wheel units (negative towards the user, or to the left for the
    // horizontal wheel). Deltas add up per direction; each whole notch scrolls once. A remainder
    // is dropped when the direction changes or after a pause of kWheelPauseMs.
    void Wheel(int delta, unsigned keyState, ui::Point client, bool horizontal = false);
    // The part of a notch the vertical or horizontal wheel has gathered so far.
    int WheelRemainder(bool horizontal) const { return wheelRest_[horizontal ? 1 : 0].delta; }

    static constexpr std::uint32_t kWheelPauseMs = 1000;

    int32_t Thickness(int b) const;

private:
    struct WheelRest {
        int delta = 0;
        std::uint32_t at = 0;
    };
    // One whole notch; false when the engine went away during the events it raised.
    bool WheelNotch(bool towardsUser, unsigned keyState, ui::Point client, bool horizontal);
    static ui::LResult Subclass(ui::Hwnd, ui::MessageId, ui::WParam, ui::LParam, std::uintptr_t, std::uintptr_t);
    void ApplyRange(int b);
    int SbOf(int b) const { return b == kBarH ? ui::SB_HORZ : ui::SB_VERT; }

    ui::Hwnd hwnd_;
    ScrollBarsListener* listener_;
    bool flat_ = false;
    int32_t style_ = lxScrollBarRegular;
    std::array<Bar, 2> bars_{};
    bool adjusting_ = false;
    std::array<WheelRest, 2> wheelRest_{};
    // Cleared by the destructor: an event handler may replace the engine while a wheel message
    // still has notches to deliver.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The wheel's lines per notch: the system setting, 3 for a setting below 1, and -1 for the
// all-ones value that asks for a page per notch.
int32_t WheelLinesPerNotch();

} // namespace lattix

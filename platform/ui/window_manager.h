// The window manager: the window tree, message dispatch with subclass chains, focus, capture,
// mouse-leave tracking, invalidation and paint, non-client scroll bars, timers, the clipboard,
// popup menus, message boxes and system information. One instance serves the process (Wm());
// the environment it runs in is a Backend (headless for tests, a desktop toolkit otherwise).
//
// Handles are plain numbers: calls on a handle that no longer names a window fail harmlessly
// (0, false or an empty result) and change nothing.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "platform/gfx/system_colors.h"
#include "platform/ui/backend.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/keys.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/messages.h"
#include "platform/ui/styles.h"
#include "platform/ui/system_info.h"
#include "platform/ui/types.h"

namespace lattix::gfx {
class DeviceContext;
}

namespace lattix::ui {

using WndProc = LResult (*)(Hwnd, MessageId, WParam, LParam);
using SubclassProc = LResult (*)(Hwnd, MessageId, WParam, LParam, std::uintptr_t id, std::uintptr_t refData);
// Called when a timer fires: window (0 for a task timer), timer id, clock time in milliseconds.
using TimerProc = std::function<void(Hwnd, TimerId, std::uint32_t)>;
// Observes every message as it is delivered (sent or posted), before the window sees it.
using MessageSpy = std::function<void(const Message&)>;

struct WindowClass {
    std::string name;
    WndProc proc = nullptr;
    std::uint32_t style = 0;
    // Colour the default erase fills the client area with: RGB, or a system colour
    // (gfx::kSystemColorFlag | index); CLR_NONE leaves the area as it is.
    gfx::Color background = gfx::kSystemColorFlag | gfx::COLOR_WINDOW;
    Cursor cursor = Cursor::Arrow;
};

struct CreateParams {
    std::string className;
    std::string text;
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    // Position relative to the parent's client area for a child, in screen coordinates otherwise.
    Rect rect{};
    // The parent of a child window, the owner of a popup or top-level window.
    Hwnd parent = 0;
    int id = 0;
    void* createParams = nullptr;
};

// Filled by BeginPaint. The device context draws into the window's client area (origin at the
// client's top left) and lives until EndPaint.
struct PaintStruct {
    Hwnd hwnd = 0;
    gfx::DeviceContext* dc = nullptr;
    Rect rcPaint{};
    bool erase = false;
};

// Scroll bar looks of the flat scroll bar engine.
inline constexpr int FSB_REGULAR_MODE = 0;
inline constexpr int FSB_ENCARTA_MODE = 1;
inline constexpr int FSB_FLAT_MODE = 2;

// MonitorFromPoint / MonitorFromRect / MonitorFromWindow fallbacks.
inline constexpr unsigned MONITOR_DEFAULTTONULL = 0;
inline constexpr unsigned MONITOR_DEFAULTTOPRIMARY = 1;
inline constexpr unsigned MONITOR_DEFAULTTONEAREST = 2;

struct WindowRecord;
struct SubclassNode;

class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // ---- Environment ------------------------------------------------------------------------
    // Installs the backend (not owned). Throws std::logic_error while windows exist.
    void AttachBackend(Backend* backend);
    // Destroys every window, stops every timer and forgets all input state; detaches the backend.
    void Reset();
    bool HasBackend() const { return backend_ != nullptr; }
    Backend& GetBackend() const;

    // ---- Window classes and windows ---------------------------------------------------------
    // False when the name is empty or taken, or the procedure is missing.
    bool RegisterClass(const WindowClass& windowClass);
    bool IsClassRegistered(const std::string& name) const;
    // Sends WM_CREATE (a result of -1 refuses creation), then WM_SIZE and WM_MOVE. Returns 0 when
    // the class is unknown, a child has no valid parent, or WM_CREATE refused.
    Hwnd CreateWindow(const CreateParams& params);
    // Sends WM_DESTROY to the window and then its descendants, then WM_NCDESTROY from the
    // innermost out. Timers, capture, focus and mouse tracking of the windows end with them.
    bool DestroyWindow(Hwnd hwnd);
    bool IsWindow(Hwnd hwnd) const;
    // The visible flag of the window itself and of all its ancestors.
    bool IsWindowVisible(Hwnd hwnd) const;
    bool IsWindowEnabled(Hwnd hwnd) const;
    bool IsChild(Hwnd parent, Hwnd hwnd) const;
    Hwnd GetParent(Hwnd hwnd) const;
    Hwnd GetOwner(Hwnd hwnd) const;
    // The top-level window (no parent) that contains hwnd, or hwnd itself.
    Hwnd GetAncestorRoot(Hwnd hwnd) const;
    // GW_CHILD (topmost child), GW_HWNDNEXT (next lower sibling), GW_HWNDPREV, GW_OWNER.
    Hwnd GetWindow(Hwnd hwnd, int relation) const;
    // Children from the top of the z-order down.
    std::vector<Hwnd> GetChildren(Hwnd hwnd) const;
    // Windows without a parent (top-level and popup), from the top of the z-order down.
    std::vector<Hwnd> GetTopLevelWindows() const;
    std::string GetClassName(Hwnd hwnd) const;
    int GetDlgCtrlID(Hwnd hwnd) const;

    // ---- Attributes -------------------------------------------------------------------------
    std::uint32_t GetStyle(Hwnd hwnd) const;
    std::uint32_t GetExStyle(Hwnd hwnd) const;
    // Changes the style bits; WS_VISIBLE, WS_DISABLED, WS_HSCROLL and WS_VSCROLL take effect as
    // ShowWindow, EnableWindow and ShowScrollBar would. Returns the previous style.
    std::uint32_t SetStyle(Hwnd hwnd, std::uint32_t style);
    std::uint32_t SetExStyle(Hwnd hwnd, std::uint32_t exStyle);
    bool SetWindowText(Hwnd hwnd, const std::string& text);
    std::string GetWindowText(Hwnd hwnd) const;
    std::intptr_t SetUserData(Hwnd hwnd, std::intptr_t value);
    std::intptr_t GetUserData(Hwnd hwnd) const;
    // Named window properties: 0 is "not set".
    bool SetProp(Hwnd hwnd, const std::string& name, std::intptr_t value);
    std::intptr_t GetProp(Hwnd hwnd, const std::string& name) const;
    // Removes the property and returns its value (0 when it was not set).
    std::intptr_t RemoveProp(Hwnd hwnd, const std::string& name);
    std::vector<std::string> GetPropNames(Hwnd hwnd) const;

    // ---- Geometry ---------------------------------------------------------------------------
    // Window rectangle in screen coordinates.
    Rect GetWindowRect(Hwnd hwnd) const;
    // Client area in client coordinates: (0, 0, width, height).
    Rect GetClientRect(Hwnd hwnd) const;
    // Client area's rectangle relative to the window's own top left corner.
    Rect GetClientRectInWindow(Hwnd hwnd) const;
    // x, y relative to the parent's client area (screen for windows without parent).
    bool MoveWindow(Hwnd hwnd, int x, int y, int width, int height, bool repaint = true);
    bool SetWindowPos(Hwnd hwnd, Hwnd insertAfter, int x, int y, int width, int height, unsigned flags);
    bool ShowWindow(Hwnd hwnd, int command);
    // Returns the previous disabled state (true when it was disabled), as the classic call does.
    bool EnableWindow(Hwnd hwnd, bool enable);
    bool ClientToScreen(Hwnd hwnd, Point& pt) const;
    bool ScreenToClient(Hwnd hwnd, Point& pt) const;
    // The deepest visible window under a screen point (disabled windows included), or 0.
    Hwnd WindowFromPoint(Point screen) const;
    // HTCLIENT, HTVSCROLL, HTHSCROLL, HTBORDER or HTNOWHERE for a screen point over hwnd.
    int HitTestNonClient(Hwnd hwnd, Point screen) const;

    // ---- Messages ---------------------------------------------------------------------------
    // Runs the window's subclass chain and procedure now and returns its result; nested sends
    // re-enter the window. 0 for an invalid window.
    LResult SendMessage(Hwnd hwnd, MessageId message, WParam wParam = 0, LParam lParam = 0);
    // Queues the message; it is delivered by PumpMessages in posting order. hwnd 0 is refused.
    bool PostMessage(Hwnd hwnd, MessageId message, WParam wParam = 0, LParam lParam = 0);
    // Delivers queued messages, then paints windows with a pending update region, until both
    // are exhausted. Returns the number of messages delivered (paint included).
    std::size_t PumpMessages();
    bool HasPendingMessages() const { return !queue_.empty(); }
    std::size_t QueuedMessageCount() const { return queue_.size(); }
    // Removes and returns the first queued message for hwnd (0: any) in [first, last] (0, 0: all).
    std::optional<Message> PeekMessage(Hwnd hwnd = 0, MessageId first = 0, MessageId last = 0);
    LResult DispatchMessage(const Message& msg);
    // The default handling of every message.
    LResult DefWindowProc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam);
    LResult CallWindowProc(WndProc proc, Hwnd hwnd, MessageId message, WParam wParam, LParam lParam);
    // The message being handled now (the innermost one), for time and cursor position.
    const Message* CurrentMessage() const;
    void SetMessageSpy(MessageSpy spy) { spy_ = std::move(spy); }

    // ---- Window procedure and subclass chain ------------------------------------------------
    // Replaces the window procedure and returns the previous one (nullptr for an invalid window
    // or a null procedure, which changes nothing).
    WndProc SetWindowProc(Hwnd hwnd, WndProc proc);
    WndProc GetWindowProc(Hwnd hwnd) const;
    // Installs (proc, id) at the head of the chain; the same pair again only updates refData.
    bool SetWindowSubclass(Hwnd hwnd, SubclassProc proc, std::uintptr_t id, std::uintptr_t refData);
    // Removes (proc, id) wherever it stands in the chain, also while it is running.
    bool RemoveWindowSubclass(Hwnd hwnd, SubclassProc proc, std::uintptr_t id);
    bool GetWindowSubclass(Hwnd hwnd, SubclassProc proc, std::uintptr_t id, std::uintptr_t* refData) const;
    // From inside a subclass procedure: calls the next entry of the chain, or the window procedure.
    LResult DefSubclassProc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam);

    // ---- Focus, activation, capture, cursor -------------------------------------------------
    // Sends WM_KILLFOCUS to the old focus and WM_SETFOCUS to the new one; returns the old focus.
    Hwnd SetFocus(Hwnd hwnd);
    Hwnd GetFocus() const { return focus_; }
    Hwnd SetActiveWindow(Hwnd hwnd);
    Hwnd GetActiveWindow() const { return active_; }
    // Mouse input goes to hwnd until released; the window losing capture gets WM_CAPTURECHANGED.
    Hwnd SetCapture(Hwnd hwnd);
    bool ReleaseCapture();
    Hwnd GetCapture() const { return capture_; }
    Point GetCursorPos() const { return cursorPos_; }
    // Moves the pointer as the user would (mouse move messages follow).
    bool SetCursorPos(Point screen);
    Cursor SetCursor(Cursor cursor);
    Cursor GetCursor() const { return cursor_; }
    // TME_LEAVE (with TME_CANCEL to stop): posts WM_MOUSELEAVE once the pointer leaves the client
    // area (at once when it is not there now). TME_HOVER posts WM_MOUSEHOVER after the hover time.
    bool TrackMouseEvent(unsigned flags, Hwnd hwnd, unsigned hoverTimeMs = HOVER_DEFAULT);
    bool IsTrackingMouseLeave(Hwnd hwnd) const;

    // ---- Keyboard state ---------------------------------------------------------------------
    // High bit (negative result) while the key is down, low bit toggled on each press.
    std::int16_t GetKeyState(VirtualKey key) const;
    std::int16_t GetAsyncKeyState(VirtualKey key) const { return GetKeyState(key); }
    // 1 Shift, 2 Ctrl, 4 Alt from the current key state.
    unsigned ModifierState() const;
    // The character a key press produces, as the message loop's translation does; 0 for none.
    static char32_t CharForKey(VirtualKey key, bool shift, bool ctrl);

    // ---- Input (from the backend or a test host); each call delivers what it causes --------
    void InjectMouseMove(Point screen);
    // button: VK_LBUTTON, VK_RBUTTON or VK_MBUTTON.
    void InjectMouseButton(VirtualKey button, bool down, Point screen);
    void InjectMouseWheel(int delta, Point screen, bool horizontal = false);
    void InjectKey(VirtualKey key, bool down);
    void InjectChar(char32_t ch);
    // Input methods. Composition messages go to the focus (the active window without one); a
    // window that takes the focus in the middle of a composition gets WM_IME_STARTCOMPOSITION
    // before its first update. InjectComposition starts a composition when none runs in the target
    // and ends it once nothing is left being composed; InjectCompositionEnd drops what is being
    // composed.
    void InjectCompositionStart();
    void InjectComposition(const CompositionText& text);
    void InjectCompositionEnd();
    bool Composing() const { return compositionTarget_ != 0; }
    // Asks the focus for its caret and the text around it (WM_IME_REQUEST); the caret comes back in
    // screen coordinates. Returns the window that answered, 0 when none did.
    Hwnd QueryInputMethod(InputMethodQuery& query);

    // ---- Invalidation and paint -------------------------------------------------------------
    // rect in client coordinates; nullptr invalidates the whole client area.
    bool InvalidateRect(Hwnd hwnd, const Rect* rect, bool erase);
    bool ValidateRect(Hwnd hwnd, const Rect* rect);
    // The bounding rectangle of the pending update region (empty when none).
    Rect GetUpdateRect(Hwnd hwnd) const;
    // Sends WM_PAINT now when the update region is not empty.
    bool UpdateWindow(Hwnd hwnd);
    bool RedrawWindow(Hwnd hwnd, const Rect* rect, unsigned flags);
    // Starts painting: sends WM_ERASEBKGND when erasing is pending, clears the update region.
    // Returns nullptr for an invalid window or one already painting.
    gfx::DeviceContext* BeginPaint(Hwnd hwnd, PaintStruct& ps);
    bool EndPaint(Hwnd hwnd, const PaintStruct& ps);
    // A device context on the whole client area outside of painting; release with ReleaseDC.
    gfx::DeviceContext* GetDC(Hwnd hwnd);
    bool ReleaseDC(Hwnd hwnd, gfx::DeviceContext* dc);
    // The client-area picture of one window (what it painted last).
    const gfx::Bitmap* GetClientBitmap(Hwnd hwnd) const;
    // Composes the window, its children and (for a top-level window) its visible owned popups into
    // one picture: the window rectangle, widened to hold the popups. Pending paints run first.
    gfx::Bitmap RenderWindow(Hwnd hwnd, Point* originOut = nullptr);
    // Composes the window and its children (no popups, no pending paints run) into `out`, which
    // takes the window's size; its storage is kept when the size is unchanged, so a desktop host can
    // present the same pixels again and again. False for an invalid window.
    bool ComposeWindow(Hwnd hwnd, gfx::Bitmap& out);
    bool IsRedrawEnabled(Hwnd hwnd) const;

    // ---- Non-client scroll bars -------------------------------------------------------------
    int SetScrollInfo(Hwnd hwnd, int bar, const ScrollInfo& info, bool redraw = true);
    bool GetScrollInfo(Hwnd hwnd, int bar, ScrollInfo& info) const;
    int SetScrollPos(Hwnd hwnd, int bar, int pos, bool redraw = true);
    int GetScrollPos(Hwnd hwnd, int bar) const;
    bool SetScrollRange(Hwnd hwnd, int bar, int min, int max, bool redraw = true);
    // bar: SB_HORZ, SB_VERT or SB_BOTH. The client area changes, and WM_SIZE follows.
    bool ShowScrollBar(Hwnd hwnd, int bar, bool show);
    bool IsScrollBarShown(Hwnd hwnd, int bar) const;
    // arrows: ESB_ENABLE_BOTH or ESB_DISABLE_BOTH (or one side).
    bool EnableScrollBar(Hwnd hwnd, int bar, int arrows);
    int GetScrollBarArrowState(Hwnd hwnd, int bar) const;
    // Flat scroll bars: the same bars with another look.
    bool InitializeFlatScrollBars(Hwnd hwnd);
    bool UninitializeFlatScrollBars(Hwnd hwnd);
    bool HasFlatScrollBars(Hwnd hwnd) const;
    bool SetFlatScrollBarMode(Hwnd hwnd, int bar, int mode);
    int GetFlatScrollBarMode(Hwnd hwnd, int bar) const;
    // Whether the window's own frame parts (its regular scroll bars and their corner) are drawn
    // with the visual styles while the system has them in use; windows start in the classic look.
    bool SetWindowTheme(Hwnd hwnd, bool themed);
    bool IsWindowThemed(Hwnd hwnd) const;
    // Rectangle of a shown bar relative to the window's top left (empty when hidden).
    Rect GetScrollBarRect(Hwnd hwnd, int bar) const;
    // Thickness of the vertical bar's width and the horizontal bar's height.
    int ScrollBarThickness() const;
    // The thickness of one bar: SB_HORZ its height, SB_VERT its width (the system metrics).
    int ScrollBarThickness(int bar) const;
    // The part of a window's bar under the pointer (an internals::ScrollPart: an arrow or the
    // thumb), drawn hot; 0 for none.
    int ScrollHotPart(Hwnd hwnd, int bar) const;

    // ---- Timers -----------------------------------------------------------------------------
    // Window timer (hwnd != 0): keyed by (hwnd, id), WM_TIMER or the callback on each tick; a
    // task timer (hwnd 0): the id is chosen here and returned. Setting a running timer again
    // restarts it. Returns 0 when refused (invalid window, a task timer without a callback, or the
    // timer limit reached). An elapse below 1 ms counts as 1 ms.
    TimerId SetTimer(Hwnd hwnd, TimerId id, unsigned elapseMs, TimerProc callback = nullptr);
    bool KillTimer(Hwnd hwnd, TimerId id);
    bool IsTimerRunning(Hwnd hwnd, TimerId id) const;
    std::size_t TimerCount() const { return timers_.size(); }
    // Limit of running timers (for tests of exhaustion); the default is 10000.
    void SetTimerLimit(std::size_t limit) { timerLimit_ = limit; }
    std::optional<std::uint64_t> NextTimerDue() const;
    // Fires every timer due at the backend's time, earliest first (ties in start order); a timer
    // killed by an earlier callback does not fire. Returns the number fired.
    std::size_t RunDueTimers();
    std::uint32_t GetTickCount() const;
    // From the system metrics.
    unsigned GetDoubleClickTime() const;
    int GetWheelScrollLines() const;

    // ---- Clipboard, menus, message boxes ----------------------------------------------------
    Clipboard& GetClipboard() { return clipboard_; }
    // Shows a modal message box; returns IDOK, IDCANCEL, IDYES or IDNO (0 for a bad style).
    int MessageBox(Hwnd owner, const std::string& text, const std::string& caption, unsigned style);
    // Shows the menu at a screen point. With TPM_RETURNCMD the chosen command is returned;
    // otherwise WM_COMMAND is posted to the owner and the result is non-zero when one was chosen.
    int TrackPopupMenu(const PopupMenu& menu, unsigned flags, Point screen, Hwnd owner);

    // ---- System information, screen and monitors --------------------------------------------
    SystemInfo GetSystemInfo() const;
    std::vector<MonitorInfo> GetMonitors() const;
    MonitorHandle MonitorFromPoint(Point screen, unsigned flags) const;
    MonitorHandle MonitorFromRect(const Rect& screen, unsigned flags) const;
    MonitorHandle MonitorFromWindow(Hwnd hwnd, unsigned flags) const;
    bool GetMonitorInfo(MonitorHandle monitor, MonitorInfo& info) const;
    Rect GetPrimaryScreenRect() const;
    Rect GetWorkArea() const;
    // Sends WM_THEMECHANGED, or WM_SYSCOLORCHANGE, to every window (parents first).
    void BroadcastThemeChanged();
    void BroadcastSysColorChange();
    void BroadcastMessage(MessageId message, WParam wParam = 0, LParam lParam = 0);

private:
    struct Timer {
        Hwnd hwnd = 0;
        TimerId id = 0;
        unsigned interval = 1;
        std::uint64_t due = 0;
        std::uint64_t seq = 0;
        TimerProc callback;
    };
    struct CallFrame {
        Hwnd hwnd = 0;
        std::shared_ptr<SubclassNode> node;
    };
    // A press on a non-client scroll bar, followed until the button is released.
    struct ScrollTrack {
        Hwnd hwnd = 0;
        int bar = SB_VERT;
        int part = 0; // one of the internals::ScrollPart values
        int grabOffset = 0;
        bool inside = true;
        TimerId repeatTimer = 0;
    };

    WindowRecord* Find(Hwnd hwnd) const;
    std::shared_ptr<WindowRecord> Hold(Hwnd hwnd) const;
    LResult Deliver(WindowRecord& w, MessageId message, WParam wParam, LParam lParam);
    LResult RunChain(WindowRecord& w, MessageId message, WParam wParam, LParam lParam);
    void DestroyRecursive(const std::shared_ptr<WindowRecord>& w);
    void UnlinkFromParent(WindowRecord& w);
    void RecomputeClient(WindowRecord& w, bool notify);
    Point ClientOriginOnScreen(const WindowRecord& w) const;
    Point WindowOriginOnScreen(const WindowRecord& w) const;
    Hwnd DeepestChildAt(const WindowRecord& w, Point screen) const;
    std::vector<Hwnd> AllWindowsParentsFirst() const;
    bool PaintOne();
    // Makes the surface match the client area (or the shown part of a very large one); true when
    // the part kept moved, so that what it held is gone and must be painted again.
    bool EnsureSurface(WindowRecord& w);
    Rect SurfaceRectNeeded(const WindowRecord& w) const;
    // After a move or resize: a window that keeps only its shown part paints the newly shown one.
    void RefreshPartialSurfaces(WindowRecord& w);
    void ComposeInto(const WindowRecord& w, gfx::Bitmap& out, Point origin, const Rect& clip);
    void DrawNonClient(const WindowRecord& w, gfx::Bitmap& out, Point windowOrigin, const Rect& clip);
    void NotifyTopLevelChanged(const WindowRecord& w);
    WParam MouseKeyState() const;
    void RouteMouse(MessageId message, Point screen, Hwnd target);
    void UpdateMouseLeave(Hwnd hoverClient);
    bool HandleScrollBarPress(Hwnd hwnd, int hit, Point screen);
    void HandleScrollTrackMove(Point screen);
    void HandleScrollTrackRelease();
    // The scroll bar part under the pointer (drawn hot); follows every pointer move.
    void UpdateScrollHot(Hwnd under, int hit, Point screen);
    void ScrollBarRepeat();
    void InvalidateNonClient(WindowRecord& w);
    void TimersChangedNotify();
    void ForgetWindowState(WindowRecord& w);
    Timer* FindTimer(Hwnd hwnd, TimerId id);
    const Timer* FindTimer(Hwnd hwnd, TimerId id) const;

    Backend* backend_ = nullptr;
    std::unordered_map<std::string, WindowClass> classes_;
    std::unordered_map<Hwnd, std::shared_ptr<WindowRecord>> windows_;
    std::vector<Hwnd> topLevels_; // z-order, topmost first
    Hwnd nextHandle_ = 0x10010;
    std::deque<Message> queue_;
    std::vector<CallFrame> frames_;
    std::vector<Message> current_;
    MessageSpy spy_;

    Hwnd focus_ = 0;
    Hwnd compositionTarget_ = 0; // the window a composition runs in, 0 when none runs
    Hwnd active_ = 0;
    Hwnd capture_ = 0;
    Point cursorPos_{-1, -1};
    Cursor cursor_ = Cursor::Arrow;
    std::vector<Hwnd> leaveTracking_;
    struct HoverRequest {
        Hwnd hwnd = 0;
        unsigned timeMs = 0;
    };
    HoverRequest hover_{};
    TimerId hoverTimer_ = 0;

    std::uint8_t keyDown_[256] = {};
    std::uint8_t keyToggled_[256] = {};
    struct LastClick {
        Hwnd hwnd = 0;
        VirtualKey button = 0;
        std::uint64_t time = 0;
        Point pos{};
        bool valid = false;
    };
    LastClick lastClick_{};
    std::unique_ptr<ScrollTrack> scrollTrack_;
    struct ScrollHot {
        Hwnd hwnd = 0;
        int bar = SB_VERT;
        int part = 0; // internals::ScrollPart; kPartNone when nothing is hot
    } scrollHot_;

    std::vector<Timer> timers_;
    std::uint64_t timerSeq_ = 0;
    TimerId nextTaskTimerId_ = 1;
    std::size_t timerLimit_ = 10000;

    Clipboard clipboard_;
};

// The process's window manager.
WindowManager& Wm();

} // namespace lattix::ui

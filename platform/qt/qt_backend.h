// The window manager's environment on a Qt desktop.
//
// Time is a monotonic clock; the window manager's timers ride on one QTimer armed for the earliest
// due time; posted messages and pending paints are delivered from Qt's event loop. The clipboard is
// the system one (QClipboard), popup menus are QMenus, message boxes QMessageBoxes, monitors,
// work areas and dpi come from the QScreens. Each top-level window of the window manager is shown
// by a Qt widget: an embedded WindowSurface registered for it (a LattixWidget, for example), or
// else a frameless Qt popup window at the window's screen coordinates (drop-down lists, tooltips).
//
// One desktop serves the process: AttachDesktop() installs it on the window manager once a
// QApplication exists; it goes away with the application.
#pragma once

#include <QElapsedTimer>
class QScreen;
#include <QObject>
#include <QString>
#include <QTimer>

#include <exception>
#include <memory>
#include <unordered_map>

#include "platform/qt/qt_clipboard_store.h"
#include "platform/ui/backend.h"
#include "platform/ui/messages.h"

class QWidget;

namespace lattix::ui::qt {

class WindowSurface;

// Writes an error that a window's handler raised into Qt's log (what: nullptr for one that carries
// no text).
void LogEscapedError(const char* what);
// Runs what the Qt event loop started: an event, a timer, a pump of messages. An error raised by a
// window's handler cannot unwind through Qt; it is logged and the loop goes on.
template <class Work> void RunForEventLoop(Work&& work) noexcept {
    try {
        work();
    } catch (const std::exception& e) {
        LogEscapedError(e.what());
    } catch (...) {
        LogEscapedError(nullptr);
    }
}

class QtBackend final : public QObject, public Backend {
public:
    QtBackend();
    ~QtBackend() override;

    std::uint64_t NowMs() const override;
    void TimersChanged(std::optional<std::uint64_t> nextDueMs) override;
    void MessagesPending() override;
    ClipboardStore& ClipboardStorage() override { return clipboard_; }
    int ShowMessageBox(const MessageBoxRequest& request) override;
    int TrackPopupMenu(const PopupMenuRequest& request) override;
    SystemInfo GetSystemInfo() const override;
    std::vector<MonitorInfo> Monitors() const override;
    void TopLevelChanged(Hwnd topLevel) override;
    void CursorChanged(Cursor cursor) override;

    // Embedded surfaces announce themselves for their top-level window.
    void RegisterSurface(Hwnd topLevel, WindowSurface* surface);
    void UnregisterSurface(Hwnd topLevel, WindowSurface* surface);
    // The widget that presents a top-level window (embedded or popup), or nullptr.
    WindowSurface* SurfaceOf(Hwnd topLevel) const;
    // The Qt window that owns dialogs for a window of the window manager (nullptr: none).
    QWidget* DialogParentOf(Hwnd hwnd) const;
    // Delivers posted messages and pending paints now (what the event loop does when it gets to it).
    void Pump();
    // The popup surface shown for a top-level window without an embedded surface, or nullptr.
    WindowSurface* PopupOf(Hwnd topLevel) const;
    // Takes the system colours from the application's palette and the scroll-bar thickness from
    // its style, and tells every window what changed: a theme change for a new palette or style,
    // a colour change for new colours or a new thickness. Called at start and, a moment after,
    // on each palette or style change.
    void FollowDesktopLook();
    // The windows are on `screen` now (a window moved there, or the screen's scale changed):
    // with another dpi the system metrics follow, every window is told (WM_DPICHANGED), lays
    // out once and repaints. All windows share one scale: the last screen one moved to.
    void FollowScreen(const QScreen* screen);
    // As FollowScreen, for a screen of this device pixel ratio and logical dpi.
    void FollowScreenScale(double ratio, double logicalDpiX, double logicalDpiY);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ScheduleLookSync();
    void FireTimers();
    void SyncPopup(Hwnd topLevel);
    void SyncPopupsOwnedBy(Hwnd owner);
    void ForgetPopup(Hwnd topLevel);
    static LResult PopupSubclass(Hwnd, MessageId, WParam, LParam, std::uintptr_t, std::uintptr_t);

    QElapsedTimer clock_;
    QTimer timer_;
    bool pumpScheduled_ = false;
    bool lookSyncScheduled_ = false;
    // The style the look was last taken from (its name: a new style object of the same kind
    // changes nothing).
    QString styleName_;
    QtClipboardStore clipboard_;
    std::unordered_map<Hwnd, WindowSurface*> surfaces_;
    std::unordered_map<Hwnd, std::unique_ptr<WindowSurface>> popups_;
};

// The ratio of device pixels to Qt's logical pixels on the desktop's screens (1, 1.25, 2, ...). The
// window manager works in device pixels: its windows, the grid's pixels and the dpi it is told are
// those of the device, and a surface shows its bitmap at this ratio, pixel for pixel.
double DevicePixelRatio();
// A length in logical pixels in device pixels, rounded to the nearest.
int ToDevicePixels(double logical);

// Installs the Qt desktop on the window manager (once; later calls return the same backend).
// Throws std::logic_error without a QApplication, or when the window manager runs on another
// backend.
QtBackend& AttachDesktop();
// The installed desktop, or nullptr.
QtBackend* Desktop();

} // namespace lattix::ui::qt

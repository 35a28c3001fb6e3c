#include "platform/qt/qt_backend.h"
#include "platform/qt/qt_drag_drop.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>

#include <cmath>
#include <stdexcept>

#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_metrics.h"
#include "platform/qt/desktop_look.h"
#include "platform/qt/key_mapping.h"
#include "platform/qt/window_surface.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui::qt {

namespace {

QtBackend* theDesktop = nullptr;

QMessageBox::StandardButton QtButtonOf(int result) {
    switch (result) {
    case IDOK: return QMessageBox::Ok;
    case IDCANCEL: return QMessageBox::Cancel;
    case IDYES: return QMessageBox::Yes;
    case IDNO: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon QtIconOf(MessageBoxIcon icon) {
    switch (icon) {
    case MessageBoxIcon::Stop: return QMessageBox::Critical;
    case MessageBoxIcon::Question: return QMessageBox::Question;
    case MessageBoxIcon::Exclamation: return QMessageBox::Warning;
    case MessageBoxIcon::Information: return QMessageBox::Information;
    case MessageBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A logical rectangle of the desktop in device pixels.
Rect RectOf(const QRect& r) {
    return rectOfSize(ToDevicePixels(r.x()), ToDevicePixels(r.y()), ToDevicePixels(r.width()), ToDevicePixels(r.height()));
}

} // namespace

namespace {
// The scale the windows are drawn at: that of the screen they were last seen on (the primary
// screen's at start). Zero until first asked.
double screenRatio = 0;
double screenDpiX = 96, screenDpiY = 96;

void TakeScaleOf(const QScreen* screen) {
    screenRatio = screen != nullptr && screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : 1.0;
    screenDpiX = screen != nullptr ? screen->logicalDotsPerInchX() : 96;
    screenDpiY = screen != nullptr ? screen->logicalDotsPerInchY() : 96;
}
} // namespace

double DevicePixelRatio() {
    if (screenRatio <= 0) TakeScaleOf(QGuiApplication::primaryScreen());
    return screenRatio;
}

int ToDevicePixels(double logical) { return static_cast<int>(std::lround(logical * DevicePixelRatio())); }

void LogEscapedError(const char* what) {
    qWarning("lattix: an event handler raised an error: %s", what != nullptr ? what : "(no description)");
}

QtBackend::QtBackend() {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { FireTimers(); });
}

QtBackend::~QtBackend() {
    timer_.stop();
    popups_.clear();
}

std::uint64_t QtBackend::NowMs() const { return static_cast<std::uint64_t>(clock_.elapsed()); }

void QtBackend::TimersChanged(std::optional<std::uint64_t> nextDueMs) {
    if (!nextDueMs) {
        timer_.stop();
        return;
    }
    std::uint64_t now = NowMs();
    std::uint64_t wait = *nextDueMs > now ? *nextDueMs - now : 0;
    timer_.start(static_cast<int>(std::min<std::uint64_t>(wait, 24u * 3600u * 1000u)));
}

void QtBackend::FireTimers() {
    RunForEventLoop([] { Wm().RunDueTimers(); });
    Pump();
}

void QtBackend::MessagesPending() {
    if (pumpScheduled_) return;
    pumpScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pumpScheduled_ = false;
            Pump();
        },
        Qt::QueuedConnection);
}

void QtBackend::Pump() {
    // A window handler may open a modal dialog whose event loop pumps again: the window manager
    // delivers each message once, whichever loop takes it.
    RunForEventLoop([] { Wm().PumpMessages(); });
}

int QtBackend::ShowMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(DialogParentOf(request.owner));
    box.setWindowTitle(QString::fromStdString(request.caption));
    box.setText(QString::fromStdString(request.text));
    box.setIcon(QtIconOf(request.Icon()));
    QMessageBox::StandardButtons buttons;
    for (int b : request.Buttons()) buttons |= QtButtonOf(b);
    box.setStandardButtons(buttons);
    box.setDefaultButton(QtButtonOf(request.DefaultButton()));
    std::vector<int> offered = request.Buttons();
    // Escape answers Cancel where there is one, and OK on a box with OK alone.
    for (int b : offered)
        if (b == IDCANCEL || (offered.size() == 1 && b == IDOK)) box.setEscapeButton(QtButtonOf(b));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked != nullptr) {
        QMessageBox::StandardButton which = box.standardButton(clicked);
        for (int b : offered)
            if (QtButtonOf(b) == which) return b;
    }
    for (int b : offered)
        if (b == IDCANCEL) return IDCANCEL;
    return request.DefaultButton();
}

int QtBackend::TrackPopupMenu(const PopupMenuRequest& request) {
    QMenu menu(DialogParentOf(request.owner));
    for (const MenuItem& item : request.menu.Items()) {
        if (item.separator) {
            menu.addSeparator();
            continue;
        }
        // Both use '&' to mark the mnemonic letter.
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        action->setData(item.command);
    }
    const double ratio = DevicePixelRatio();
    QPoint at(static_cast<int>(request.screenPos.x / ratio), static_cast<int>(request.screenPos.y / ratio));
    QSize size = menu.sizeHint();
    if (request.flags & TPM_RIGHTALIGN) at.rx() -= size.width();
    else if (request.flags & TPM_CENTERALIGN) at.rx() -= size.width() / 2;
    QAction* chosen = menu.exec(at);
    if (chosen == nullptr) return 0;
    int command = chosen->data().toInt();
    return request.menu.IsChoosable(command) ? command : 0;
}

SystemInfo QtBackend::GetSystemInfo() const {
    SystemInfo info;
    // The grid draws device pixels: its dpi is the logical one times the ratio.
    const double ratio = DevicePixelRatio();
    info.dpiX = static_cast<int>(std::lround(screenDpiX * ratio));
    info.dpiY = static_cast<int>(std::lround(screenDpiY * ratio));
    if (info.dpiX < 24 || info.dpiX > 1200) info.dpiX = 96;
    if (info.dpiY < 24 || info.dpiY > 1200) info.dpiY = 96;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        if (screen->depth() > 0) info.bitsPerPixel = screen->depth();
    return info;
}

void QtBackend::FollowScreen(const QScreen* screen) {
    if (screen == nullptr) return;
    FollowScreenScale(screen->devicePixelRatio(), screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
}

void QtBackend::FollowScreenScale(double ratio, double logicalDpiX, double logicalDpiY) {
    if (!(ratio > 0) || !(logicalDpiX > 0) || !(logicalDpiY > 0)) return;
    WindowManager& wm = Wm();
    const SystemInfo old = GetSystemInfo();
    DevicePixelRatio(); // the starting scale is known before it changes
    screenRatio = ratio;
    screenDpiX = logicalDpiX;
    screenDpiY = logicalDpiY;
    const SystemInfo now = GetSystemInfo();
    if (now.dpiX == old.dpiX && now.dpiY == old.dpiY) return;
    // Sizes of the system follow the new scale; timings and the user's choices stay.
    gfx::SystemMetrics metrics = gfx::SystemMetrics::forDpi(now.dpiX);
    const gfx::SystemMetrics& current = gfx::systemMetrics();
    metrics.doubleClickTimeMs = current.doubleClickTimeMs;
    metrics.mouseHoverTimeMs = current.mouseHoverTimeMs;
    metrics.wheelScrollLines = current.wheelScrollLines;
    metrics.bitsPerPixel = current.bitsPerPixel;
    if (QStyle* style = QApplication::style()) {
        const int thickness = ScrollBarThicknessOf(*style, ratio);
        metrics.verticalScrollBarWidth = metrics.horizontalScrollBarHeight = thickness;
        metrics.verticalScrollArrowHeight = metrics.horizontalScrollArrowWidth = thickness;
    }
    gfx::systemMetrics() = metrics;
    if (!wm.HasBackend()) return;
    // The windows' sizes in device pixels change with the ratio; each window then lays out once.
    for (auto& [top, surface] : surfaces_)
        if (surface != nullptr) surface->syncWindowGeometry();
    wm.BroadcastMessage(WM_DPICHANGED, static_cast<WParam>(now.dpiX), 0);
    for (Hwnd top : wm.GetTopLevelWindows()) wm.RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Pump();
}

std::vector<MonitorInfo> QtBackend::Monitors() const {
    std::vector<MonitorInfo> monitors;
    QScreen* primary = QGuiApplication::primaryScreen();
    for (QScreen* s : QGuiApplication::screens()) {
        MonitorInfo m{RectOf(s->geometry()), RectOf(s->availableGeometry()), s == primary};
        if (m.monitor.isEmpty()) continue;
        if (m.primary) monitors.insert(monitors.begin(), m);
        else monitors.push_back(m);
    }
    // The window manager needs a screen to place windows on even without a display.
    if (monitors.empty()) monitors.push_back(MonitorInfo{Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1080}, true});
    return monitors;
}

void QtBackend::RegisterSurface(Hwnd topLevel, WindowSurface* surface) {
    surfaces_[topLevel] = surface;
    ForgetPopup(topLevel);
}

void QtBackend::UnregisterSurface(Hwnd topLevel, WindowSurface* surface) {
    auto it = surfaces_.find(topLevel);
    if (it != surfaces_.end() && it->second == surface) surfaces_.erase(it);
}

WindowSurface* QtBackend::SurfaceOf(Hwnd topLevel) const {
    if (auto it = surfaces_.find(topLevel); it != surfaces_.end()) return it->second;
    return PopupOf(topLevel);
}

WindowSurface* QtBackend::PopupOf(Hwnd topLevel) const {
    auto it = popups_.find(topLevel);
    return it != popups_.end() ? it->second.get() : nullptr;
}

QWidget* QtBackend::DialogParentOf(Hwnd hwnd) const {
    WindowManager& wm = Wm();
    Hwnd root = wm.GetAncestorRoot(hwnd);
    for (int hops = 0; root != 0 && hops < 8; ++hops) {
        if (auto it = surfaces_.find(root); it != surfaces_.end()) return it->second->window();
        root = wm.GetOwner(root);
    }
    return QApplication::activeWindow();
}

void QtBackend::TopLevelChanged(Hwnd topLevel) {
    if (auto it = surfaces_.find(topLevel); it != surfaces_.end()) {
        it->second->update();
        SyncPopupsOwnedBy(topLevel);
        return;
    }
    SyncPopup(topLevel);
}

void QtBackend::SyncPopupsOwnedBy(Hwnd owner) {
    std::vector<Hwnd> owned;
    for (const auto& [hwnd, surface] : popups_)
        if (!Wm().IsWindow(hwnd) || Wm().GetOwner(hwnd) == owner) owned.push_back(hwnd);
    for (Hwnd h : owned) SyncPopup(h);
}

void QtBackend::SyncPopup(Hwnd topLevel) {
    WindowManager& wm = Wm();
    if (!wm.IsWindow(topLevel) || wm.GetAncestorRoot(topLevel) != topLevel) {
        ForgetPopup(topLevel);
        return;
    }
    WindowSurface* popup = PopupOf(topLevel);
    if (!wm.IsWindowVisible(topLevel)) {
        if (popup != nullptr) popup->hide();
        return;
    }
    if (popup == nullptr) {
        auto surface = std::make_unique<WindowSurface>(topLevel, WindowSurface::Kind::Popup);
        popup = surface.get();
        popups_[topLevel] = std::move(surface);
        // The popup's surface goes when its window is destroyed.
        wm.SetWindowSubclass(topLevel, &QtBackend::PopupSubclass, 1, reinterpret_cast<std::uintptr_t>(this));
    }
    popup->followWindow();
    if (!popup->isVisible()) popup->show();
    popup->update();
}

void QtBackend::ForgetPopup(Hwnd topLevel) {
    auto it = popups_.find(topLevel);
    if (it == popups_.end()) return;
    std::unique_ptr<WindowSurface> surface = std::move(it->second);
    popups_.erase(it);
    surface->hide();
    // Events for the widget may still be queued: Qt deletes it when it is safe.
    surface.release()->deleteLater();
}

LResult QtBackend::PopupSubclass(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam, std::uintptr_t,
                                 std::uintptr_t refData) {
    LResult result = Wm().DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) reinterpret_cast<QtBackend*>(refData)->ForgetPopup(hwnd);
    return result;
}

void QtBackend::CursorChanged(Cursor cursor) {
    WindowManager& wm = Wm();
    Hwnd under = wm.GetCapture() != 0 ? wm.GetCapture() : wm.WindowFromPoint(wm.GetCursorPos());
    if (under == 0) return;
    if (WindowSurface* surface = SurfaceOf(wm.GetAncestorRoot(under))) surface->setCursor(CursorShapeOf(cursor));
}

QtBackend& AttachDesktop() {
    if (theDesktop != nullptr) return *theDesktop;
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) throw std::logic_error("the Qt desktop needs a QApplication");
    WindowManager& wm = Wm();
    if (wm.HasBackend()) throw std::logic_error("the window manager runs on another backend");
    // Colours, sizes and timings follow the desktop.
    auto* backend = new QtBackend;
    SystemInfo info = backend->GetSystemInfo();
    gfx::SystemMetrics metrics = gfx::SystemMetrics::forDpi(info.dpiX);
    metrics.doubleClickTimeMs = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    metrics.wheelScrollLines = QApplication::wheelScrollLines();
    metrics.bitsPerPixel = info.bitsPerPixel;
    gfx::systemMetrics() = metrics;
    wm.AttachBackend(backend);
    theDesktop = backend;
    backend->FollowDesktopLook();
    app->installEventFilter(backend);
    InstallQtDragPerformer();
    // The desktop ends with the application, while Qt is still whole: windows still open are
    // closed first.
    qAddPostRoutine([] {
        if (theDesktop == nullptr) return;
        Wm().Reset();
        delete theDesktop;
        theDesktop = nullptr;
    });
    return *backend;
}

QtBackend* Desktop() { return theDesktop; }

bool QtBackend::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::ApplicationPaletteChange:
    case QEvent::ThemeChange:
        if (watched == QCoreApplication::instance()) ScheduleLookSync();
        break;
    case QEvent::StyleChange:
        // A new application style reaches every widget; one look-up serves them all.
        if (watched->isWidgetType()) ScheduleLookSync();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

void QtBackend::ScheduleLookSync() {
    if (lookSyncScheduled_) return;
    lookSyncScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            lookSyncScheduled_ = false;
            RunForEventLoop([this] { FollowDesktopLook(); });
        },
        Qt::QueuedConnection);
}

void QtBackend::FollowDesktopLook() {
    WindowManager& wm = Wm();
    SystemColorTable colors = SystemColorsOf(QApplication::palette());
    gfx::SystemColors& table = gfx::systemColors();
    bool colorsChanged = colors != table.table();
    for (int i = 0; colorsChanged && i < gfx::kSystemColorCount; ++i) table.set(i, colors[static_cast<std::size_t>(i)]);

    QStyle* style = QApplication::style();
    QString styleName = style != nullptr ? style->name() : QString();
    bool styleChanged = styleName != styleName_;
    bool first = styleName_.isNull();
    styleName_ = styleName.isNull() ? QString("") : styleName;
    bool thicknessChanged = false;
    if (style != nullptr) {
        int thickness = ScrollBarThicknessOf(*style, DevicePixelRatio());
        gfx::SystemMetrics& m = gfx::systemMetrics();
        thicknessChanged = thickness != m.verticalScrollBarWidth || thickness != m.horizontalScrollBarHeight;
        m.verticalScrollBarWidth = m.horizontalScrollBarHeight = thickness;
        m.verticalScrollArrowHeight = m.horizontalScrollArrowWidth = thickness;
    }
    if (first || !wm.HasBackend()) return;
    if (colorsChanged || styleChanged) wm.BroadcastThemeChanged();
    if (colorsChanged || thicknessChanged) wm.BroadcastSysColorChange();
    if (colorsChanged || styleChanged || thicknessChanged) {
        for (Hwnd top : wm.GetTopLevelWindows()) wm.RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Pump();
    }
}

} // namespace lattix::ui::qt

#include "platform/qt/window_surface.h"
#include "platform/qt/qt_drag_drop.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

#include "platform/qt/key_mapping.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui::qt {

namespace {

// What a window answers to WM_GETDLGCODE.
constexpr LResult DLGC_WANTARROWS = 0x0001;
constexpr LResult DLGC_WANTTAB = 0x0002;
constexpr LResult DLGC_WANTALLKEYS = 0x0004;

// Where the pointer goes when it leaves every surface: no window lies there.
constexpr Point kNowhere{-32000, -32000};

bool IsNavigationKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_F2:
    case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}

bool IsModifierKey(int key) { return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt; }

} // namespace

void SyncModifiers(Qt::KeyboardModifiers modifiers) {
    WindowManager& wm = Wm();
    const std::pair<Qt::KeyboardModifier, VirtualKey> keys[] = {
        {Qt::ShiftModifier, VK_SHIFT}, {Qt::ControlModifier, VK_CONTROL}, {Qt::AltModifier, VK_MENU}};
    for (auto [modifier, key] : keys) {
        bool down = modifiers.testFlag(modifier);
        if (down != (wm.GetKeyState(key) < 0)) wm.InjectKey(key, down);
    }
}

WindowSurface::WindowSurface(Hwnd topLevel, Kind kind, QWidget* parent)
    : QWidget(parent, kind == Kind::Popup ? Qt::ToolTip | Qt::FramelessWindowHint : Qt::WindowFlags{}),
      topLevel_(topLevel), kind_(kind) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    if (kind == Kind::Popup) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFocusPolicy(Qt::NoFocus);
    } else {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_InputMethodEnabled);
        if (QtBackend* desktop = Desktop()) desktop->RegisterSurface(topLevel, this);
        AcceptDropsOn(this);
    }
}

WindowSurface::~WindowSurface() {
    if (watchedWindow_ != nullptr) watchedWindow_->removeEventFilter(this);
    if (kind_ == Kind::Embedded)
        if (QtBackend* desktop = Desktop()) desktop->UnregisterSurface(topLevel_, this);
}

Hwnd WindowSurface::focusTarget() const {
    Hwnd child = Wm().GetWindow(topLevel_, GW_CHILD);
    return child != 0 ? child : topLevel_;
}

Point WindowSurface::ScreenPointOf(QPointF local) const {
    Rect r = Wm().GetWindowRect(topLevel_);
    const double ratio = DevicePixelRatio();
    return Point{r.left + static_cast<int>(std::floor(local.x() * ratio)),
                 r.top + static_cast<int>(std::floor(local.y() * ratio))};
}

void WindowSurface::syncWindowGeometry() {
    if (kind_ != Kind::Embedded) return;
    WindowManager& wm = Wm();
    if (!wm.IsWindow(topLevel_)) return;
    QPoint g = mapToGlobal(QPoint(0, 0));
    // The window in device pixels.
    int x = ToDevicePixels(g.x()), y = ToDevicePixels(g.y()), w = ToDevicePixels(width()), h = ToDevicePixels(height());
    Rect r = wm.GetWindowRect(topLevel_);
    if (r.left == x && r.top == y && r.width() == w && r.height() == h) return;
    wm.SetWindowPos(topLevel_, 0, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowSurface::followWindow() {
    Rect r = Wm().GetWindowRect(topLevel_);
    if (r.isEmpty()) return;
    const double ratio = DevicePixelRatio();
    auto logical = [ratio](int v) { return static_cast<int>(std::lround(v / ratio)); };
    setGeometry(logical(r.left), logical(r.top), logical(r.width()), logical(r.height()));
}

bool WindowSurface::event(QEvent* e) {
    bool handled = true;
    RunForEventLoop([&] { handled = handleEvent(e); });
    return handled;
}

bool WindowSurface::handleEvent(QEvent* e) {
    // The window may want Tab and the navigation keys before Qt uses them to move the focus or to
    // run shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (IsNavigationKey(key->key()) || WantsKey(key->key())) {
            e->accept();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && WantsKey(key->key())) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::event(e);
}

bool WindowSurface::WantsKey(int qtKey) const {
    WindowManager& wm = Wm();
    Hwnd focus = wm.GetFocus();
    if (focus == 0 || wm.GetAncestorRoot(focus) != topLevel_) return false;
    LResult code = wm.SendMessage(focus, WM_GETDLGCODE, VirtualKeyOf(qtKey), 0);
    if (code & DLGC_WANTALLKEYS) return true;
    if (qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) return (code & DLGC_WANTTAB) != 0;
    return (code & DLGC_WANTARROWS) != 0;
}

const gfx::Bitmap* WindowSurface::PictureToPresent() {
    WindowManager& wm = Wm();
    if (!wm.IsWindow(topLevel_)) return nullptr;
    // Paints still pending in this window tree run first (paints only, no other messages), so the
    // picture shown is the current one.
    wm.RedrawWindow(topLevel_, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A frameless window whose client area one child covers entirely looks like that child: the
    // child alone is shown, which spares composing the covered parent.
    Hwnd source = topLevel_;
    for (;;) {
        Rect box = wm.GetWindowRect(source);
        Rect client = wm.GetClientRectInWindow(source);
        if (client != Rect{0, 0, box.width(), box.height()}) break;
        std::vector<Hwnd> children = wm.GetChildren(source);
        Hwnd only = 0;
        int shown = 0;
        for (Hwnd c : children)
            if (wm.IsWindowVisible(c)) {
                only = c;
                ++shown;
            }
        if (shown != 1 || wm.GetWindowRect(only) != box) break;
        source = only;
    }
    // A window without frame or children is shown straight from its own bitmap, with no copy at all.
    Rect box = wm.GetWindowRect(source);
    if (wm.GetChildren(source).empty() && wm.GetClientRectInWindow(source) == Rect{0, 0, box.width(), box.height()}) {
        const gfx::Bitmap* own = wm.GetClientBitmap(source);
        if (own != nullptr && own->width() == box.width() && own->height() == box.height()) return own;
    }
    if (!wm.ComposeWindow(source, picture_)) return nullptr;
    return &picture_;
}

void WindowSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    presented_ = PictureToPresent();
    if (presented_ == nullptr || presented_->isEmpty()) {
        presented_ = nullptr;
        painter.fillRect(rect(), palette().window());
        return;
    }
    const gfx::Bitmap& picture = *presented_;
    // The image borrows the bitmap's pixels: 0xAARRGGBB words, rows without padding.
    QImage image(reinterpret_cast<const uchar*>(picture.data()), picture.width(), picture.height(),
                 picture.strideBytes(), QImage::Format_RGB32);
    // Device pixels: at a ratio of 2 the image covers half its size in logical pixels, sharp.
    const double ratio = DevicePixelRatio();
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPoint(0, 0), image);
    const int shownWidth = static_cast<int>(picture.width() / ratio), shownHeight = static_cast<int>(picture.height() / ratio);
    if (shownWidth < width() || shownHeight < height()) {
        QRegion rest = QRegion(rect()) - QRegion(0, 0, shownWidth, shownHeight);
        for (const QRect& r : rest) painter.fillRect(r, palette().window());
    }
}

void WindowSurface::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    syncWindowGeometry();
}

void WindowSurface::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    syncWindowGeometry();
}

void WindowSurface::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // A move to a screen of another scale relays out every window at that scale.
    QWindow* native = window()->windowHandle();
    if (native != nullptr && native != screenWatched_) {
        if (screenWatched_ != nullptr) disconnect(screenWatched_, &QWindow::screenChanged, this, nullptr);
        screenWatched_ = native;
        connect(native, &QWindow::screenChanged, this, [](QScreen* screen) {
            if (QtBackend* desktop = Desktop()) RunForEventLoop([&] { desktop->FollowScreen(screen); });
        });
    }
    if (kind_ == Kind::Embedded) {
        // The widget's screen position changes when any ancestor moves.
        QWidget* top = window();
        if (top != this && top != watchedWindow_) {
            if (watchedWindow_ != nullptr) watchedWindow_->removeEventFilter(this);
            watchedWindow_ = top;
            top->installEventFilter(this);
        }
        syncWindowGeometry();
    }
}

bool WindowSurface::eventFilter(QObject* watched, QEvent* e) {
    if (watched == watchedWindow_ && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) syncWindowGeometry();
    return QWidget::eventFilter(watched, e);
}

void WindowSurface::mousePressEvent(QMouseEvent* e) {
    VirtualKey button = ButtonKeyOf(e->button());
    if (button == 0) return;
    if (kind_ == Kind::Embedded && focusPolicy() != Qt::NoFocus && !hasFocus()) setFocus(Qt::MouseFocusReason);
    syncWindowGeometry();
    SyncModifiers(e->modifiers());
    Wm().InjectMouseButton(button, true, ScreenPointOf(e->position()));
    e->accept();
}

void WindowSurface::mouseDoubleClickEvent(QMouseEvent* e) {
    // The window manager tells double clicks from single ones by its own clock and distance.
    mousePressEvent(e);
}

void WindowSurface::mouseReleaseEvent(QMouseEvent* e) {
    VirtualKey button = ButtonKeyOf(e->button());
    if (button == 0) return;
    SyncModifiers(e->modifiers());
    Wm().InjectMouseButton(button, false, ScreenPointOf(e->position()));
    e->accept();
    updateInputMethod();
}

void WindowSurface::mouseMoveEvent(QMouseEvent* e) {
    SyncModifiers(e->modifiers());
    Wm().InjectMouseMove(ScreenPointOf(e->position()));
    e->accept();
}

void WindowSurface::wheelEvent(QWheelEvent* e) {
    SyncModifiers(e->modifiers());
    Point at = ScreenPointOf(e->position());
    QPoint delta = e->angleDelta();
    // Qt counts eighths of a degree, 120 to the notch, as the window manager does; a horizontal
    // turn to the right is negative in Qt and positive for the window manager.
    if (delta.y() != 0) Wm().InjectMouseWheel(delta.y(), at, false);
    if (delta.x() != 0) Wm().InjectMouseWheel(-delta.x(), at, true);
    e->accept();
}

void WindowSurface::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    WindowManager& wm = Wm();
    // While a button is held the window keeps the pointer (capture); otherwise it has left.
    if (wm.GetCapture() == 0 && QGuiApplication::mouseButtons() == Qt::NoButton) wm.InjectMouseMove(kNowhere);
}

void WindowSurface::keyPressEvent(QKeyEvent* e) {
    WindowManager& wm = Wm();
    const int key = e->key();
    if (IsModifierKey(key)) {
        SyncModifiers(e->modifiers());
        e->accept();
        return;
    }
    SyncModifiers(e->modifiers());
    const bool keypad = e->modifiers().testFlag(Qt::KeypadModifier);
    VirtualKey vk = VirtualKeyOf(key, keypad);
    const QString text = e->text();
    if (vk == 0 && text.isEmpty()) {
        e->ignore();
        return;
    }
    wm.InjectKey(vk != 0 ? vk : VK_PACKET, true);
    // Characters as the message loop's translation makes them: none while Alt is held, none for
    // Delete (Qt reports DEL as its text).
    if (!e->modifiers().testFlag(Qt::AltModifier) && key != Qt::Key_Delete)
        for (char32_t ch : text.toUcs4())
            if (ch != 0x7F) wm.InjectChar(ch);
    e->accept();
    updateInputMethod();
}

void WindowSurface::keyReleaseEvent(QKeyEvent* e) {
    const int key = e->key();
    if (IsModifierKey(key)) {
        SyncModifiers(e->modifiers());
        e->accept();
        return;
    }
    if (e->isAutoRepeat()) {
        e->accept();
        return;
    }
    VirtualKey vk = VirtualKeyOf(key, e->modifiers().testFlag(Qt::KeypadModifier));
    if (vk == 0 && e->text().isEmpty()) {
        e->ignore();
        return;
    }
    Wm().InjectKey(vk != 0 ? vk : VK_PACKET, false);
    e->accept();
}

void WindowSurface::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    WindowManager& wm = Wm();
    Hwnd focus = wm.GetFocus();
    if (focus != 0 && wm.GetAncestorRoot(focus) == topLevel_) return;
    wm.SetActiveWindow(topLevel_);
    wm.SetFocus(focusTarget());
    updateInputMethod();
}

void WindowSurface::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    // A menu or a dialog of this window's own leaves its focus where it is; focus moving on to
    // another widget takes it away.
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason) return;
    WindowManager& wm = Wm();
    Hwnd focus = wm.GetFocus();
    if (focus != 0 && wm.GetAncestorRoot(focus) == topLevel_) wm.SetFocus(0);
}

} // namespace lattix::ui::qt

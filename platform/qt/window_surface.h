// A Qt widget that shows one top-level window of the window manager and feeds it Qt's input.
//
// The window's picture (its client area, children and frame) is composed into a bitmap that this
// widget keeps; a QImage over that bitmap's pixels is drawn without converting or copying it first.
// Mouse, wheel and keyboard go to the window manager at screen coordinates, so capture, focus and
// double clicks follow its rules; input methods compose into the focused window; Qt focus is the
// window manager's focus; a resize of the widget resizes the window; the widget's place on the
// screen is the window's place.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "platform/gfx/bitmap.h"
#include "platform/ui/types.h"

namespace lattix::ui::qt {

class WindowSurface : public QWidget {
public:
    enum class Kind {
        Embedded, // a child widget in a Qt layout; the window follows the widget's geometry
        Popup,    // a frameless top-level Qt window; the widget follows the window's geometry
    };

    // Presents topLevel (a window without parent). The surface does not own the window.
    WindowSurface(Hwnd topLevel, Kind kind, QWidget* parent = nullptr);
    ~WindowSurface() override;

    Hwnd topLevel() const { return topLevel_; }
    Kind kind() const { return kind_; }
    // The window that takes the keyboard when the widget gets the Qt focus.
    virtual Hwnd focusTarget() const;
    // The picture last presented (for tests and screenshots): the window manager's bitmap of the
    // presented window, or the composition of the window tree.
    const gfx::Bitmap& picture() const { return presented_ != nullptr ? *presented_ : picture_; }
    // Moves and sizes a popup surface to its window.
    void followWindow();
    // Places the window where the widget is on the screen.
    void syncWindowGeometry();
    // Qt's input method asks here (public, as in QWidget): the answers come from the focused
    // window's WM_IME_REQUEST.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    bool event(QEvent* e) override;
    // The events themselves; event() keeps an error a handler raises from unwinding through Qt.
    bool handleEvent(QEvent* e);
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    // Input methods (platform/qt/window_surface_input_method.cpp): compositions go to the window
    // with the focus as WM_IME_* messages.
    void inputMethodEvent(QInputMethodEvent* e) override;
    // Tells the platform's input method that the caret or the text may have moved.
    void updateInputMethod();

private:
    Point ScreenPointOf(QPointF local) const;
    const gfx::Bitmap* PictureToPresent();
    bool WantsKey(int qtKey) const;

    Hwnd topLevel_;
    Kind kind_;
    gfx::Bitmap picture_;
    const gfx::Bitmap* presented_ = nullptr;
    QWidget* watchedWindow_ = nullptr;
    // The native window whose screen changes are followed.
    QPointer<QWindow> screenWatched_;
};

// Makes the window manager's Shift, Ctrl and Alt state match Qt's modifiers.
void SyncModifiers(Qt::KeyboardModifiers modifiers);

} // namespace lattix::ui::qt

#include "platform/qt/qt_drag_drop.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

#include "platform/qt/qt_backend.h"
#include "platform/qt/window_surface.h"
#include "platform/ui/drag_drop.h"
#include "platform/ui/messages.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui::qt {

namespace {

int32_t EffectOf(Qt::DropAction a) {
    switch (a) {
    case Qt::CopyAction: return kDropEffectCopy;
    case Qt::MoveAction: return kDropEffectMove;
    case Qt::LinkAction: return kDropEffectLink;
    default: return kDropEffectNone;
    }
}

Qt::DropActions ActionsOf(int32_t effects) {
    Qt::DropActions a;
    if (effects & kDropEffectCopy) a |= Qt::CopyAction;
    if (effects & kDropEffectMove) a |= Qt::MoveAction;
    if (effects & kDropEffectLink) a |= Qt::LinkAction;
    return a;
}

int32_t EffectsOf(Qt::DropActions a) {
    return (a & Qt::CopyAction ? kDropEffectCopy : 0) | (a & Qt::MoveAction ? kDropEffectMove : 0) |
           (a & Qt::LinkAction ? kDropEffectLink : 0);
}

// The preferred single effect: Copy before Move before Link.
Qt::DropAction ActionOf(int32_t effect) {
    if (effect & kDropEffectCopy) return Qt::CopyAction;
    if (effect & kDropEffectMove) return Qt::MoveAction;
    if (effect & kDropEffectLink) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

DragData DataOf(const QMimeData* mime) {
    DragData data;
    if (!mime) return data;
    if (mime->hasText()) data.set(kMimeText, mime->text().toStdString());
    if (mime->hasFormat(kMimeTabText)) data.set(kMimeTabText, mime->data(kMimeTabText).toStdString());
    else if (mime->hasText()) data.set(kMimeTabText, mime->text().toStdString());
    return data;
}

WindowSurface* SurfaceOf(Hwnd hwnd) {
    Hwnd top = hwnd;
    while (Wm().GetParent(top) != 0) top = Wm().GetParent(top);
    for (QWidget* w : QApplication::allWidgets())
        if (auto* s = dynamic_cast<WindowSurface*>(w); s && s->topLevel() == top) return s;
    return nullptr;
}

int32_t Perform(Hwnd source, DragData& data, int32_t allowed, DragSource* feedback) {
    WindowSurface* surface = SurfaceOf(source);
    if (!surface) return kDropEffectNone;
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdString(data.get(kMimeText)));
    if (data.has(kMimeTabText)) mime->setData(kMimeTabText, QByteArray::fromStdString(data.get(kMimeTabText)));
    QDrag drag(surface);
    drag.setMimeData(mime);
    if (feedback)
        QObject::connect(&drag, &QDrag::actionChanged, [feedback](Qt::DropAction a) { feedback->GiveFeedback(EffectOf(a)); });
    return EffectOf(drag.exec(ActionsOf(allowed), ActionOf(allowed & kDropEffectMove ? kDropEffectMove : allowed)));
}

// Forwards Qt's drag events on a surface to the drop target of the window under the mouse.
class DropBridge final : public QObject {
public:
    explicit DropBridge(WindowSurface* surface) : QObject(surface), surface_(surface) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: over(static_cast<QDragMoveEvent*>(e)); return true;
        case QEvent::DragLeave: leave(); return true;
        case QEvent::Drop: drop(static_cast<QDropEvent*>(e)); return true;
        default: return false;
        }
    }

private:
    DragOverInfo infoOf(QDropEvent* e, Hwnd& owner, DropTarget*& target) {
        const Rect r = Wm().GetWindowRect(surface_->topLevel());
        const double ratio = DevicePixelRatio();
        Point p{r.left + static_cast<int>(e->position().x() * ratio), r.top + static_cast<int>(e->position().y() * ratio)};
        target = DragDrop().TargetOf(Wm().WindowFromPoint(p), &owner);
        DragOverInfo info;
        info.point = p;
        if (target) Wm().ScreenToClient(owner, info.point);
        const Qt::MouseButtons b = e->buttons();
        const Qt::KeyboardModifiers m = e->modifiers();
        info.keyState = (b & Qt::LeftButton ? MK_LBUTTON : 0) | (b & Qt::RightButton ? MK_RBUTTON : 0) |
                        (b & Qt::MiddleButton ? MK_MBUTTON : 0) | (m & Qt::ShiftModifier ? MK_SHIFT : 0) |
                        (m & Qt::ControlModifier ? MK_CONTROL : 0);
        info.allowedEffects = EffectsOf(e->possibleActions());
        return info;
    }
    void over(QDragMoveEvent* e) {
        Hwnd owner = 0;
        DropTarget* target = nullptr;
        const DragOverInfo info = infoOf(e, owner, target);
        if (target != current_) leave();
        int32_t effect = kDropEffectNone;
        if (target) {
            if (target != current_) {
                data_ = DataOf(e->mimeData());
                current_ = target;
                effect = target->DragEnter(data_, info);
            } else {
                effect = target->DragOver(data_, info);
            }
        }
        if (effect != kDropEffectNone) {
            e->setDropAction(ActionOf(effect));
            e->accept();
        } else {
            // Still accepted as a whole, so that moves over the surface keep arriving.
            e->setDropAction(Qt::IgnoreAction);
            e->accept();
        }
    }
    void leave() {
        if (current_) current_->DragLeave(data_);
        current_ = nullptr;
    }
    void drop(QDropEvent* e) {
        Hwnd owner = 0;
        DropTarget* target = nullptr;
        const DragOverInfo info = infoOf(e, owner, target);
        if (target != current_) leave();
        if (!target) {
            e->ignore();
            return;
        }
        if (!current_) data_ = DataOf(e->mimeData());
        current_ = nullptr;
        const int32_t effect = target->Drop(data_, info);
        e->setDropAction(ActionOf(effect));
        if (effect != kDropEffectNone) e->accept();
        else e->ignore();
    }

    WindowSurface* surface_;
    DropTarget* current_ = nullptr;
    DragData data_;
};

} // namespace

void InstallQtDragPerformer() { DragDrop().SetPerformer(&Perform); }

void AcceptDropsOn(QWidget* surface) {
    auto* s = dynamic_cast<WindowSurface*>(surface);
    if (!s) return;
    s->setAcceptDrops(true);
    s->installEventFilter(new DropBridge(s));
}

} // namespace lattix::ui::qt

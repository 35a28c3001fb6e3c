// Helpers of the Qt tests: running the event loop until something happened, and answering the
// modal dialogs and menus that a call opens.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <memory>

namespace lattix::qttest {

// Processes events until done() holds or the time limit (real time) passes.
inline bool RunUntil(const std::function<bool()>& done, int limitMs = 3000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A top-level window holding `widget` alone, without margins, resized and shown (the caller waits
// for it to be exposed).
inline std::unique_ptr<QWidget> ShowAlone(QWidget* widget, int width = 400, int height = 300) {
    auto window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(widget);
    window->resize(width, height);
    window->show();
    return window;
}

// Runs `answer` from the event loop as soon as `ready()` finds what a modal call opened.
inline void WhenReady(std::function<bool()> ready, std::function<void()> answer) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, ready = std::move(ready), answer = std::move(answer)] {
        if (!ready()) return;
        poll->stop();
        poll->deleteLater();
        answer();
    });
    poll->start();
}

} // namespace lattix::qttest

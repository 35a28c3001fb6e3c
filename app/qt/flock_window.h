// FrmFlock on the desktop: the flock grid and the buttons "Return" and "Save and Return".
#pragma once

#include <QWidget>

#include "bindings/qt/lattix_widget.h"

class QPushButton;

namespace avigram {

class AvigramDesktop;

class FlockWindow : public QWidget {
public:
    explicit FlockWindow(AvigramDesktop& app);
    ~FlockWindow() override;

    void Sync();

    lattix::LattixWidget* gridFlock = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    AvigramDesktop& app_;
};

// The program's icon: a bell curve over weight class bars.
QIcon AvigramIcon();

} // namespace avigram

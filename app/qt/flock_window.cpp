#include "app/qt/flock_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <cmath>

#include "app/forms/frm_flock.h"
#include "app/qt/avigram_desktop.h"
#include "app/qt/control_widgets.h"

namespace avigram {

FlockWindow::FlockWindow(AvigramDesktop& app) : QWidget(nullptr, Qt::Window), app_(app) {
    setFont(FormFont());
    setObjectName("FrmFlock");
    setWindowIcon(AvigramIcon());
    FrmFlock& form = *app_.form().FlockWindow();
    gridFlock = new lattix::LattixWidget(form.GridFlock().shared(), this);
    gridFlock->setObjectName("GridFlock");
    gridFlock->setAccessibleName(QStringLiteral("Flocks"));
    command1 = new QPushButton(this);
    command1->setObjectName("Command1");
    command2 = new QPushButton(this);
    command2->setObjectName("Command2");
    for (QPushButton* b : {command1, command2}) b->setAutoDefault(false);
    connect(command1, &QPushButton::clicked, this, [this] {
        app_.Run([this] {
            if (FrmFlock* f = app_.form().FlockWindow()) f->Command1_Click();
        });
    });
    connect(command2, &QPushButton::clicked, this, [this] {
        app_.Run([this] {
            if (FrmFlock* f = app_.form().FlockWindow()) f->Command2_Click();
        });
    });
    resize(Pixels(form.at.width), Pixels(form.at.height));
}

FlockWindow::~FlockWindow() = default;

void FlockWindow::Sync() {
    FrmFlock* form = app_.form().FlockWindow();
    if (form == nullptr) return;
    setWindowTitle(QString::fromStdString(form->caption));
    Place(gridFlock, form->GridFlockSite.at);
    gridFlock->setToolTip(QString::fromStdString(form->GridFlockSite.toolTipText));
    for (auto [widget, button] : {std::pair{command1, &form->Command1}, std::pair{command2, &form->Command2}}) {
        widget->setText(QString::fromStdString(button->caption));
        Place(widget, button->at);
        FitCaption(widget, widget->text());
        SetBackColour(widget, button->backColor);
        widget->setVisible(button->visible);
    }
    if (form->visible && !isVisible()) {
        show();
        raise();
    } else if (!form->visible && isVisible()) {
        hide();
    }
}

void FlockWindow::closeEvent(QCloseEvent* e) {
    // The window is only ever hidden; its grid keeps what was typed.
    e->ignore();
    app_.Run([this] {
        if (FrmFlock* f = app_.form().FlockWindow()) f->visible = false;
    });
}

QIcon AvigramIcon() {
    QIcon icon;
    for (int size : {16, 32, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 64.0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x5d, 0x8a));
        p.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 10 * s, 10 * s);
        // Weight class bars under a bell curve.
        p.setBrush(QColor(0xc0, 0xc0, 0xff));
        const int bars = 7;
        for (int i = 0; i < bars; ++i) {
            double z = (i - 3) / 1.4;
            double h = 40 * std::exp(-z * z / 2);
            p.drawRect(QRectF((9 + i * 6.6) * s, (54 - h) * s, 5.6 * s, h * s));
        }
        QPainterPath curve;
        for (int x = 0; x <= 48; ++x) {
            double z = (x - 24) / 9.0;
            QPointF pt((8 + x) * s, (52 - 42 * std::exp(-z * z / 2)) * s);
            if (x == 0) curve.moveTo(pt);
            else curve.lineTo(pt);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xff, 0xd0, 0x40), 3 * s));
        p.drawPath(curve);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace avigram

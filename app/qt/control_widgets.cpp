#include "app/qt/control_widgets.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <cmath>

#include "platform/gfx/system_colors.h"

namespace avigram {

namespace {
int ScreenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    int dpi = screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 96;
    return dpi >= 24 ? dpi : 96;
}
} // namespace

int Pixels(int twips) { return TwipsToPixels(twips, ScreenDpi()); }

int Twips(int pixels) { return static_cast<int>(std::lround(pixels * 1440.0 / ScreenDpi())); }

QColor ColourOf(uint32_t colour) {
    lattix::gfx::Color rgb = (colour & lattix::gfx::kSystemColorFlag) != 0
                                 ? lattix::gfx::sysColor(static_cast<int>(colour & 0xFF))
                                 : static_cast<lattix::gfx::Color>(colour);
    return QColor(lattix::gfx::redOf(rgb), lattix::gfx::greenOf(rgb), lattix::gfx::blueOf(rgb));
}

void Place(QWidget* widget, const Placement& at, QPoint origin) {
    widget->setGeometry(Pixels(at.left) - origin.x(), Pixels(at.top) - origin.y(), Pixels(at.width),
                        Pixels(at.height));
}

QFont FormFont() {
    QFont font = QGuiApplication::font();
    font.setPointSizeF(8.0);
    return font;
}

void FitCaption(QWidget* button, const QString& caption) {
    QFont font = FormFont();
    const int room = button->width() - 6;
    while (QFontMetrics(font).horizontalAdvance(caption) > room && font.pointSizeF() > 6.0)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (button->font() != font) button->setFont(font);
}

void SetBackColour(QWidget* widget, uint32_t colour) {
    QString style = QStringLiteral("background-color: %1;").arg(ColourOf(colour).name());
    if (qobject_cast<QPushButton*>(widget) != nullptr)
        style += QStringLiteral(" border: 1px solid #808080; border-radius: 2px; padding: 0px 2px;");
    if (widget->styleSheet() != style) widget->setStyleSheet(style);
}

} // namespace avigram

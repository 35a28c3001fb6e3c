// A dark desktop palette for the Qt tests: light text on dark surfaces, a blue highlight.
#pragma once

#include <QColor>
#include <QPalette>

namespace lattix::qttest {

inline QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(230, 230, 230));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(40, 40, 40));
    p.setColor(QPalette::Text, QColor(220, 220, 220));
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    p.setColor(QPalette::Highlight, QColor(38, 79, 120));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    p.setColor(QPalette::Light, QColor(90, 90, 96));
    p.setColor(QPalette::Midlight, QColor(75, 75, 80));
    p.setColor(QPalette::Dark, QColor(25, 25, 27));
    p.setColor(QPalette::Mid, QColor(50, 50, 54));
    p.setColor(QPalette::Shadow, QColor(0, 0, 0));
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    p.setColor(QPalette::ToolTipText, QColor(235, 235, 235));
    p.setColor(QPalette::Link, QColor(86, 156, 214));
    p.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(120, 120, 120));
    return p;
}

} // namespace lattix::qttest

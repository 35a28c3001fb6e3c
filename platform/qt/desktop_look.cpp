#include "platform/qt/desktop_look.h"

#include <QPalette>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace lattix::ui::qt {

namespace {

gfx::Color ColorOf(const QColor& c) { return gfx::rgb(c.red(), c.green(), c.blue()); }

} // namespace

SystemColorTable SystemColorsOf(const QPalette& p) {
    auto role = [&p](QPalette::ColorRole r, QPalette::ColorGroup g = QPalette::Active) { return ColorOf(p.color(g, r)); };
    using namespace gfx;
    SystemColorTable t{};
    const Color button = role(QPalette::Button);
    t[COLOR_SCROLLBAR] = button;
    t[COLOR_BACKGROUND] = role(QPalette::Dark);
    t[COLOR_ACTIVECAPTION] = role(QPalette::Highlight);
    t[COLOR_INACTIVECAPTION] = role(QPalette::Mid);
    t[COLOR_MENU] = role(QPalette::Window);
    t[COLOR_WINDOW] = role(QPalette::Base);
    t[COLOR_WINDOWFRAME] = role(QPalette::Shadow);
    t[COLOR_MENUTEXT] = role(QPalette::WindowText);
    t[COLOR_WINDOWTEXT] = role(QPalette::Text);
    t[COLOR_CAPTIONTEXT] = role(QPalette::HighlightedText);
    t[COLOR_ACTIVEBORDER] = button;
    t[COLOR_INACTIVEBORDER] = button;
    t[COLOR_APPWORKSPACE] = role(QPalette::Mid);
    t[COLOR_HIGHLIGHT] = role(QPalette::Highlight);
    t[COLOR_HIGHLIGHTTEXT] = role(QPalette::HighlightedText);
    t[COLOR_BTNFACE] = button;
    t[COLOR_BTNSHADOW] = role(QPalette::Dark);
    t[COLOR_GRAYTEXT] = role(QPalette::Text, QPalette::Disabled);
    t[COLOR_BTNTEXT] = role(QPalette::ButtonText);
    t[COLOR_INACTIVECAPTIONTEXT] = role(QPalette::WindowText, QPalette::Disabled);
    t[COLOR_BTNHIGHLIGHT] = role(QPalette::Light);
    t[COLOR_3DDKSHADOW] = role(QPalette::Shadow);
    t[COLOR_3DLIGHT] = role(QPalette::Midlight);
    t[COLOR_INFOTEXT] = role(QPalette::ToolTipText);
    t[COLOR_INFOBK] = role(QPalette::ToolTipBase);
    // The unnamed entry carries the alternate rows' colour.
    t[25] = role(QPalette::AlternateBase);
    t[COLOR_HOTLIGHT] = role(QPalette::Link);
    t[COLOR_GRADIENTACTIVECAPTION] = role(QPalette::Highlight);
    t[COLOR_GRADIENTINACTIVECAPTION] = role(QPalette::Mid);
    t[COLOR_MENUHILIGHT] = role(QPalette::Highlight);
    t[COLOR_MENUBAR] = role(QPalette::Window);
    return t;
}

int ScrollBarThicknessOf(const QStyle& style, double devicePixelRatio) {
    int extent = style.pixelMetric(QStyle::PM_ScrollBarExtent);
    if (extent < 1) extent = 17;
    return std::max(1, static_cast<int>(std::lround(extent * devicePixelRatio)));
}

} // namespace lattix::ui::qt

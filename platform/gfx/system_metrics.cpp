#include "platform/gfx/system_metrics.h"

#include <cmath>
#include <stdexcept>

namespace lattix::gfx {

SystemMetrics SystemMetrics::forDpi(int dpi) {
    if (dpi < 24 || dpi > 1200) throw std::invalid_argument("SystemMetrics: dpi out of range");
    SystemMetrics m;
    auto scale = [dpi](int& v) { v = int(std::nearbyint(v * double(dpi) / 96.0)); };
    m.dpi = dpi;
    for (int* v : {&m.verticalScrollBarWidth, &m.horizontalScrollBarHeight, &m.verticalScrollArrowHeight,
                   &m.horizontalScrollArrowWidth, &m.minimumThumbSize, &m.comboButtonWidth, &m.checkBoxSize,
                   &m.edgeWidth, &m.edgeHeight, &m.doubleClickWidth, &m.doubleClickHeight, &m.dragWidth,
                   &m.dragHeight, &m.iconSize, &m.smallIconSize})
        scale(*v);
    return m;
}

SystemMetrics& systemMetrics() {
    static SystemMetrics metrics;
    return metrics;
}

} // namespace lattix::gfx

// What the running system offers: the facts the grid's capability detection reads.
#pragma once

#include <cstdint>

namespace lattix::ui {

enum class OsFamily { Windows9x, NT };

struct SystemInfo {
    // Operating-system version (major.minor.build) and family.
    int osMajor = 10;
    int osMinor = 0;
    int osBuild = 19041;
    OsFamily family = OsFamily::NT;
    // Version of the common-controls library; a major version of 0 stands for a library
    // without a version entry point.
    int commonControlsMajor = 6;
    int commonControlsMinor = 10;
    // Visual styles: the system can draw them, and this application is themed.
    bool visualStylesAvailable = true;
    bool visualStylesInUse = true;
    int bitsPerPixel = 32;
    int dpiX = 96;
    int dpiY = 96;

    bool IsUnicode() const { return family == OsFamily::NT; }
    friend bool operator==(const SystemInfo&, const SystemInfo&) = default;
};

// Double-click time and area, hover time and wheel scroll lines are system metrics of the
// drawing layer (gfx::systemMetrics()); the window manager applies them.

} // namespace lattix::ui

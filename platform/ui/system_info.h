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
    // User settings the window layer applies.
    unsigned doubleClickTimeMs = 500;
    int doubleClickWidth = 4;
    int doubleClickHeight = 4;
    int wheelScrollLines = 3;
    unsigned mouseHoverTimeMs = 400;

    bool IsUnicode() const { return family == OsFamily::NT; }
    friend bool operator==(const SystemInfo&, const SystemInfo&) = default;
};

// SystemParametersInfo-style query numbers that the grid uses.
inline constexpr unsigned SPI_GETWORKAREA = 0x0030;
inline constexpr unsigned SPI_GETWHEELSCROLLLINES = 0x0068;

} // namespace lattix::ui

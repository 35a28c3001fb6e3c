#pragma once
// System metrics as a service: sizes of the standard controls and input thresholds. The
// defaults are the classic values at 96 dpi; a backend replaces them (scaled for its dpi).
// Process-wide, used from the user-interface thread.
namespace lattix::gfx {

struct SystemMetrics {
    int dpi = 96;
    int verticalScrollBarWidth = 17;    // width of a vertical scroll bar
    int horizontalScrollBarHeight = 17; // height of a horizontal scroll bar
    int verticalScrollArrowHeight = 17; // height of the arrow buttons of a vertical bar
    int horizontalScrollArrowWidth = 17;
    int minimumThumbSize = 8;
    int comboButtonWidth = 17; // width of the drop-down button of a combo box
    int checkBoxSize = 13;     // side of a check box
    int borderWidth = 1;       // thin border
    int borderHeight = 1;
    int edgeWidth = 2; // 3-D edge
    int edgeHeight = 2;
    int doubleClickTimeMs = 500;
    int doubleClickWidth = 4; // a second click within this box counts as a double click
    int doubleClickHeight = 4;
    int dragWidth = 4; // movement that starts a drag
    int dragHeight = 4;
    int caretBlinkTimeMs = 530;
    int mouseHoverTimeMs = 400;
    int wheelScrollLines = 3;
    int iconSize = 32;
    int smallIconSize = 16;
    int screenWidth = 1920;
    int screenHeight = 1080;
    int bitsPerPixel = 32;

    // The defaults with every size scaled from 96 dpi to `dpi` (times are unchanged).
    // Throws std::invalid_argument for a dpi outside 24..1200.
    static SystemMetrics forDpi(int dpi);
    friend bool operator==(const SystemMetrics&, const SystemMetrics&) = default;
};

SystemMetrics& systemMetrics();

} // namespace lattix::gfx

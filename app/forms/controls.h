// The windows' controls as plain data: what each shows (caption or text, visibility, colours) and
// where it is (left, top, width and height in twips). The windowed front end draws them from here;
// the batch front end and the tests read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace avigram {

// Window coordinates are kept in twips; the screen has 15 twips per pixel at 96 dpi.
inline constexpr int kTwipsPerPixel96 = 15;
int TwipsToPixels(int twips, int dpi = 96);
// A control extent stored in HIMETRIC units (0.01 mm) as twips.
int HimetricToTwips(int himetric);

struct Placement {
    int left = 0, top = 0, width = 0, height = 0; // twips
};

struct Button {
    std::string caption;
    bool visible = true;
    uint32_t backColor = 0x8000000F; // button face
    Placement at;
};

struct TextBox {
    std::string text;
    bool visible = true;
    uint32_t backColor = 0x80000005; // window background
    Placement at;
};

struct OptionButton {
    std::string caption;
    bool checked = false;
    Placement at;
};

struct Label {
    std::string caption;
    bool visible = true;
    Placement at;
};

struct TabControl {
    std::vector<std::string> tabs;
    int currentTab = 0;
    Placement at;
};

struct MenuEntry {
    std::string name;
    std::string caption;
};

// The place of a grid control on its window; the grid itself is driven through its automation
// interface.
struct GridSite {
    std::string name;
    std::string toolTipText;
    Placement at;
};

} // namespace avigram

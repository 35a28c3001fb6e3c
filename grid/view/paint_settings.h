// The appearance properties only the painter reads, with the defaults of a new control (the grid
// lines, focus frame and row text, which the geometry reads too, are kept with the view settings). Colours are
// automation colours (an RGB value or a system colour 0x800000nn); -1 means "not set".
#pragma once

#include <cstdint>
#include <memory>

namespace lattix {

class PictureObject;

namespace grid_lines {
inline constexpr int32_t kNone = 0;
inline constexpr int32_t kVertical = 1;   // bit 0
inline constexpr int32_t kHorizontal = 2; // bit 1
inline constexpr int32_t kBoth = 3;
} // namespace grid_lines

namespace tree_lines {
inline constexpr int32_t kNone = 0;
inline constexpr int32_t kDotted = 1;
inline constexpr int32_t kSolid = 2;
} // namespace tree_lines

struct PaintSettings {
    int32_t gridLineColor = static_cast<int32_t>(0x8000000Fu);
    int32_t highlightBackColor = static_cast<int32_t>(0x8000000Du);
    int32_t highlightForeColor = static_cast<int32_t>(0x8000000Eu);
    int32_t highlightBackColorNoFocus = static_cast<int32_t>(0x8000000Fu);
    int32_t highlightForeColorNoFocus = static_cast<int32_t>(0x80000008u);
    bool highlightSelCells = true;
    bool hideSelection = false;
    bool highlightSelIcons = false;
    uint8_t selectionAlphaBlend = 255;
    bool focusRectNoFocus = false;
    int32_t focusRectColor1 = static_cast<int32_t>(0x80000005u);
    int32_t focusRectColor2 = static_cast<int32_t>(0x80000008u);
    int32_t focusRectNoFocusColor1 = static_cast<int32_t>(0x80000005u);
    int32_t focusRectNoFocusColor2 = static_cast<int32_t>(0x80000011u);
    bool opaqueTextInHatchedCells = true;
    bool disableIcons = true;
    bool enabled = true;
    bool changeColorsWhenDisabled = true;
    int32_t treeLines = tree_lines::kNone;
    int32_t treeLinesColor = static_cast<int32_t>(0x80000010u);
    int32_t treeButtonBackColor = static_cast<int32_t>(0x8000000Fu);
    int32_t treeButtonForeColor = static_cast<int32_t>(0x80000012u);
    int32_t treeButtonBorderColor = static_cast<int32_t>(0x80000010u);
    bool flatCellControls = false;
    bool isVirtual = false;
    std::shared_ptr<PictureObject> backgroundPicture;
};

} // namespace lattix

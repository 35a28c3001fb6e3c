// Class names, parts and states of the visual-styles renderer. Part and state numbers are the
// ones the grid and the standard controls pass around; every class keeps its own numbering.
#pragma once

namespace lattix::theme {

// ---- "Treeview": the expand/collapse glyph of tree rows.
inline constexpr int kTreeviewGlyph = 2;
inline constexpr int kGlyphClosed = 1;
inline constexpr int kGlyphOpened = 2;

// ---- "ComboBox": the drop-down button.
inline constexpr int kComboDropButton = 1;
// ---- "Button": the check box.
inline constexpr int kButtonCheckBox = 3;
// States shared by the drop button (1..4) and the check box (1..12): normal, hot, pressed,
// disabled; the check box repeats them for unchecked (1..4), checked (5..8) and mixed (9..12).
inline constexpr int kStateNormal = 1;
inline constexpr int kStateHot = 2;
inline constexpr int kStatePressed = 3;
inline constexpr int kStateDisabled = 4;
inline constexpr int kCheckUnchecked = 0; // add to a state above
inline constexpr int kCheckChecked = 4;
inline constexpr int kCheckMixed = 8;

// ---- "Header": the items of a column header bar (states normal, hot, pressed).
inline constexpr int kHeaderItem = 1;
inline constexpr int kHeaderSortArrow = 4;
inline constexpr int kSortArrowUp = 1;
inline constexpr int kSortArrowDown = 2;

// ---- "ScrollBar": arrow buttons, thumbs, track halves and the corner box.
inline constexpr int kScrollArrowButton = 1;
inline constexpr int kScrollThumbHorz = 2;
inline constexpr int kScrollThumbVert = 3;
inline constexpr int kScrollLowerTrackHorz = 4;
inline constexpr int kScrollUpperTrackHorz = 5;
inline constexpr int kScrollLowerTrackVert = 6;
inline constexpr int kScrollUpperTrackVert = 7;
inline constexpr int kScrollSizeBox = 10;
// Arrow button states: four per direction (normal, hot, pressed, disabled) for up, down, left
// and right in that order: up 1..4, down 5..8, left 9..12, right 13..16.
inline constexpr int kArrowUp = 0;
inline constexpr int kArrowDown = 4;
inline constexpr int kArrowLeft = 8;
inline constexpr int kArrowRight = 12;
// Thumb and track states: kStateNormal .. kStateDisabled.

// ---- "Listbox": the frame of a list and its items.
inline constexpr int kListBorder = 1;     // state kStateNormal; fills the inside with the window colour
inline constexpr int kListItem = 5;       // state kListItemSelected
inline constexpr int kListItemSelected = 3;

} // namespace lattix::theme

// Cell control glyphs rendered once and copied into cells: the combo button in its four looks,
// the check box in its three states for the 3-D, flat and disabled looks, and the tree button
// collapsed and expanded. Rebuilt when a size or colour they depend on changes.
//
// With visual styles the glyphs come from the theme renderer ("ComboBox" drop button, "Button"
// check box, "Treeview" glyph) by state. Those have soft, partly transparent edges, so they are
// kept with their coverage (premultiplied alpha) and blended over whatever the cell shows.
#pragma once

#include <array>
#include <cstdint>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/device_context.h"

namespace lattix {

class GlyphCache {
public:
    enum ComboLook { kComboNormal = 0, kComboPushed = 1, kComboFlat = 2, kComboFlatPushed = 3 };
    enum CheckLook { kCheck3D = 0, kCheckFlat = 1, kCheckDisabled = 2 };

    // The combo button image of the system combo button width (a square).
    const gfx::Bitmap& combo(ComboLook look);
    // The check box image for a check state (0 unchecked, 1 checked, 2 grayed).
    const gfx::Bitmap& check(CheckLook look, int state);
    // The classic tree button of side `size`: a square in `back`, framed in `border`, with a plus
    // (collapsed) or minus (expanded) sign in `fore`.
    const gfx::Bitmap& treeButton(int size, bool expanded, gfx::Color back, gfx::Color border, gfx::Color fore);

    // Themed glyphs (premultiplied alpha): the drop button by state (theme::kStateNormal ..
    // kStateDisabled), the check box by state 1..12, the tree glyph of side `size`.
    const gfx::Bitmap& themedCombo(int state);
    const gfx::Bitmap& themedCheck(int state);
    const gfx::Bitmap& themedTree(int size, bool expanded);

    void clear();
    int buildCount() const { return builds_; }
    // The screen the themed glyphs are drawn for (their natural sizes follow it); a new dpi drops
    // the themed glyphs made for the old one.
    void setDpi(int dpi);

private:
    std::array<gfx::Bitmap, 4> combo_;
    std::array<gfx::Bitmap, 9> check_;
    std::array<gfx::Bitmap, 2> tree_;
    int comboSide_ = 0, checkSide_ = 0;
    int treeSize_ = 0;
    gfx::Color treeBack_ = 0, treeBorder_ = 0, treeFore_ = 0;
    std::array<gfx::Bitmap, 4> themedCombo_;
    std::array<gfx::Bitmap, 12> themedCheck_;
    std::array<gfx::Bitmap, 2> themedTree_;
    int themedComboSide_ = 0, themedCheckSide_ = 0, themedTreeSize_ = 0;
    int dpi_ = 96;
    int builds_ = 0;
};

} // namespace lattix

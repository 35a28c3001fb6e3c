// The visual-styles renderer: open the data of one class ("Treeview", "ComboBox", "Button",
// "Header", "ScrollBar", "Listbox"), then draw its parts by part and state number (theme_parts.h).
//
// Two looks share the interface. Themed: flat light surfaces, soft grey borders, rounded check
// boxes and thumbs, chevron glyphs and a blue accent, as a current Linux desktop reads. Classic:
// raised 3-D edges, frame controls and the system colours. The classic look is what a window gets
// when visual styles are off; callers that draw their own classic look need not use it.
//
// Drawing is pixel-exact and deterministic (no toolkit, no font), so pictures can be compared.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gfx/device_context.h"
#include "platform/gfx/geometry.h"

namespace lattix::theme {

enum class Look { Themed, Classic };

enum class ThemeClass { Treeview, ComboBox, Button, Header, ScrollBar, ListBox };

class ThemeData {
public:
    // The data of a class by its name (case-insensitive); nullptr for an unknown class. The
    // themed look's glyphs and check boxes have their natural sizes at `dpi` (given at 96 dpi).
    static std::unique_ptr<ThemeData> Open(std::string_view className, Look look = Look::Themed, int dpi = 96);

    ThemeClass themeClass() const { return class_; }
    Look look() const { return look_; }

    // False for a part or state the class does not have.
    bool HasPart(int part, int state) const;
    // Draws the part's background filling `rect` (glyphs and check boxes are centred at their
    // natural size). Drawing stays inside `clip` too when given. False (nothing drawn) for an
    // unknown part or state.
    bool DrawBackground(gfx::DeviceContext& dc, int part, int state, const gfx::Rect& rect,
                        const gfx::Rect* clip = nullptr) const;
    // The natural size of a part (glyph, check box, drop button width, sort arrow); {0, 0} for
    // parts that simply fill their rectangle.
    gfx::Size PartSize(int part, int state) const;
    // The area inside a part's borders where its owner draws content.
    gfx::Rect ContentRect(int part, int state, const gfx::Rect& rect) const;
    // True when the part leaves some pixels of its rectangle undrawn (rounded corners, glyphs),
    // so the parent's background must be drawn first.
    bool IsPartiallyTransparent(int part, int state) const;

private:
    ThemeData(ThemeClass c, Look look, int dpi) : class_(c), look_(look), scale_(dpi / 96.0) {}
    // A size at 96 dpi at this data's dpi.
    int Scaled(int v) const;
    ThemeClass class_;
    Look look_;
    double scale_;
};

// Draws the parent's background behind a partially transparent part: the area is filled with
// `parentColor` (a window has no picture of its parent here).
void DrawParentBackground(gfx::DeviceContext& dc, const gfx::Rect& rect, gfx::Color parentColor);

// The themed look's palette, shared by controls that draw themed surfaces of their own. With the
// default system colours it is a fixed light palette; other system colours (a desktop's palette)
// give one made from them, so that a dark desktop gets dark surfaces.
struct ThemedPalette {
    gfx::Color surface;      // header items, buttons, scroll bar track
    gfx::Color surfaceHot;   // under the pointer
    gfx::Color surfacePressed;
    gfx::Color border;       // soft grey outlines and separators
    gfx::Color glyph;        // chevrons and arrows
    gfx::Color glyphDisabled;
    gfx::Color accent;       // checked boxes
    gfx::Color accentHot;
    gfx::Color accentPressed;
    gfx::Color accentDisabled;
    gfx::Color accentText;   // the check mark on the accent
    gfx::Color box;          // an unchecked box
    gfx::Color boxDisabled;
    gfx::Color boxEdge;
    gfx::Color boxEdgeHot;
    gfx::Color boxEdgeDisabled;
    gfx::Color track;        // scroll bar track
    gfx::Color trackPressed;
    gfx::Color thumb;        // scroll bar thumb
    gfx::Color thumbHot;
    gfx::Color thumbPressed;
    gfx::Color thumbDisabled;
    gfx::Color tooltipBack;
    gfx::Color tooltipText;
    gfx::Color tooltipBorder;
};
// The palette for the system colours in force now.
const ThemedPalette& themedPalette();

} // namespace lattix::theme

#include "platform/theme/theme_data.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/theme/shapes.h"
#include "platform/theme/theme_parts.h"

namespace lattix::theme {

using gfx::Rect;
using gfx::Size;
using gfx::sysColor;

namespace {

constexpr ThemedPalette kLightPalette{
    .surface = gfx::rgb(250, 250, 250),
    .surfaceHot = gfx::rgb(238, 238, 238),
    .surfacePressed = gfx::rgb(222, 222, 222),
    .border = gfx::rgb(213, 208, 204),
    .glyph = gfx::rgb(46, 52, 54),
    .glyphDisabled = gfx::rgb(165, 165, 165),
    .accent = gfx::rgb(53, 132, 228),
    .accentHot = gfx::rgb(73, 150, 240),
    .accentPressed = gfx::rgb(28, 100, 190),
    .accentDisabled = gfx::rgb(200, 200, 200),
    .accentText = gfx::rgb(255, 255, 255),
    .box = gfx::rgb(255, 255, 255),
    .boxDisabled = gfx::rgb(240, 240, 240),
    .boxEdge = gfx::rgb(190, 186, 182),
    .boxEdgeHot = gfx::rgb(150, 150, 150),
    .boxEdgeDisabled = gfx::rgb(220, 220, 220),
    .track = gfx::rgb(246, 245, 244),
    .trackPressed = gfx::rgb(232, 231, 230),
    .thumb = gfx::rgb(165, 165, 162),
    .thumbHot = gfx::rgb(128, 128, 125),
    .thumbPressed = gfx::rgb(90, 90, 88),
    .thumbDisabled = gfx::rgb(212, 212, 210),
    .tooltipBack = gfx::rgb(48, 48, 48),
    .tooltipText = gfx::rgb(255, 255, 255),
    .tooltipBorder = gfx::rgb(24, 24, 24),
};

// a blended towards b by t (0..1).
gfx::Color Mix(gfx::Color a, gfx::Color b, double t) {
    auto ch = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return gfx::rgb(ch(gfx::redOf(a), gfx::redOf(b)), ch(gfx::greenOf(a), gfx::greenOf(b)),
                    ch(gfx::blueOf(a), gfx::blueOf(b)));
}

ThemedPalette PaletteOf(const std::array<gfx::Color, gfx::kSystemColorCount>& c) {
    auto at = [&c](int i) { return c[static_cast<std::size_t>(i)]; };
    const gfx::Color face = at(gfx::COLOR_BTNFACE), text = at(gfx::COLOR_BTNTEXT), window = at(gfx::COLOR_WINDOW);
    const gfx::Color shadow = at(gfx::COLOR_BTNSHADOW), accent = at(gfx::COLOR_HIGHLIGHT);
    const gfx::Color tipBack = at(gfx::COLOR_INFOBK), tipText = at(gfx::COLOR_INFOTEXT);
    const gfx::Color track = Mix(face, window, 0.5);
    return ThemedPalette{
        .surface = face,
        .surfaceHot = Mix(face, text, 0.07),
        .surfacePressed = Mix(face, text, 0.14),
        .border = Mix(face, shadow, 0.45),
        .glyph = text,
        .glyphDisabled = at(gfx::COLOR_GRAYTEXT),
        .accent = accent,
        .accentHot = Mix(accent, gfx::rgb(255, 255, 255), 0.12),
        .accentPressed = Mix(accent, gfx::rgb(0, 0, 0), 0.2),
        .accentDisabled = Mix(face, shadow, 0.6),
        .accentText = at(gfx::COLOR_HIGHLIGHTTEXT),
        .box = window,
        .boxDisabled = face,
        .boxEdge = Mix(window, shadow, 0.7),
        .boxEdgeHot = Mix(window, text, 0.5),
        .boxEdgeDisabled = Mix(window, shadow, 0.3),
        .track = track,
        .trackPressed = Mix(track, text, 0.06),
        .thumb = Mix(track, text, 0.35),
        .thumbHot = Mix(track, text, 0.5),
        .thumbPressed = Mix(track, text, 0.65),
        .thumbDisabled = Mix(track, text, 0.15),
        .tooltipBack = tipBack,
        .tooltipText = tipText,
        .tooltipBorder = Mix(tipBack, tipText, 0.3),
    };
}

} // namespace

const ThemedPalette& themedPalette() {
    // Remade only when the system colours change.
    static std::array<gfx::Color, gfx::kSystemColorCount> basis = gfx::SystemColors::defaults();
    static ThemedPalette palette = kLightPalette;
    const gfx::SystemColors& colors = gfx::systemColors();
    if (colors.table() != basis) {
        basis = colors.table();
        palette = colors.areDefaults() ? kLightPalette : PaletteOf(basis);
    }
    return palette;
}

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A square of side min(natural, rect's smaller side) centred in r.
Rect Centred(const Rect& r, int natural) {
    int side = std::max(0, std::min({natural, r.width(), r.height()}));
    int x = r.left + (r.width() - side) / 2, y = r.top + (r.height() - side) / 2;
    return {x, y, x + side, y + side};
}

enum class Dir { Up, Down, Left, Right };

// A chevron pointing `dir`, fitted in box.
void Chevron(gfx::DeviceContext& dc, const Rect& box, Dir dir, gfx::Color color, double width = 1.6) {
    double cx = box.left + box.width() / 2.0, cy = box.top + box.height() / 2.0;
    double s = std::min(box.width(), box.height()) / 2.0 - width / 2;
    double h = s / 2;
    PointF pts[3];
    switch (dir) {
    case Dir::Up:
        pts[0] = {cx - s, cy + h}, pts[1] = {cx, cy - h}, pts[2] = {cx + s, cy + h};
        break;
    case Dir::Down:
        pts[0] = {cx - s, cy - h}, pts[1] = {cx, cy + h}, pts[2] = {cx + s, cy - h};
        break;
    case Dir::Left:
        pts[0] = {cx + h, cy - s}, pts[1] = {cx - h, cy}, pts[2] = {cx + h, cy + s};
        break;
    case Dir::Right:
        pts[0] = {cx - h, cy - s}, pts[1] = {cx + h, cy}, pts[2] = {cx - h, cy + s};
        break;
    }
    StrokePolyline(dc, pts, width, color);
}

// Solid triangle pointing `dir` in box (sort arrows).
void Triangle(gfx::DeviceContext& dc, const Rect& b, Dir dir, gfx::Color color) {
    double l = b.left, t = b.top, r = b.right, bo = b.bottom, cx = (l + r) / 2;
    if (dir == Dir::Up)
        FillTriangle(dc, {l, bo}, {cx, t}, {r, bo}, color);
    else
        FillTriangle(dc, {l, t}, {r, t}, {cx, bo}, color);
}

// Splits a state of the check box (1..12) into its base state (1..4) and its check kind.
struct CheckState {
    int base;
    int kind; // kCheckUnchecked, kCheckChecked, kCheckMixed
};
CheckState SplitCheckState(int state) { return {(state - 1) % 4 + 1, (state - 1) / 4 * 4}; }

int ArrowBase(int state) { return (state - 1) % 4 + 1; }
Dir ArrowDir(int state) {
    switch ((state - 1) / 4) {
    case 0:
        return Dir::Up;
    case 1:
        return Dir::Down;
    case 2:
        return Dir::Left;
    default:
        return Dir::Right;
    }
}

// ---- themed look --------------------------------------------------------------------------

// scale: the screen's dpi / 96 (the sizes below are at 96 dpi).
int ScaledBy(double scale, int v) { return std::max(1, static_cast<int>(std::lround(v * scale))); }

void ThemedGlyph(gfx::DeviceContext& dc, const Rect& r, int state, double scale) {
    Rect box = Centred(r, ScaledBy(scale, 12));
    const int inset = ScaledBy(scale, 2);
    Chevron(dc, box.inflatedBy(-inset, -inset), state == kGlyphOpened ? Dir::Down : Dir::Right, themedPalette().glyph,
            1.6 * scale);
}

void ThemedDropButton(gfx::DeviceContext& dc, const Rect& r, int state, double scale) {
    const ThemedPalette& p = themedPalette();
    gfx::Color back = state == kStatePressed ? p.surfacePressed : state == kStateHot ? p.surfaceHot : p.surface;
    dc.fillRect(r, back);
    const int line = ScaledBy(scale, 1);
    dc.fillRect({r.left, r.top + 2 * line, r.left + line, r.bottom - 2 * line}, p.border);
    Rect glyph = Centred(r.inflatedBy(-line, 0), ScaledBy(scale, 10));
    Chevron(dc, glyph.inflatedBy(-line, -line), Dir::Down, state == kStateDisabled ? p.glyphDisabled : p.glyph,
            1.6 * scale);
}

void ThemedCheckBox(gfx::DeviceContext& dc, const Rect& r, int state, double scale) {
    const ThemedPalette& p = themedPalette();
    CheckState s = SplitCheckState(state);
    Rect box = Centred(r, ScaledBy(scale, 14));
    const double radius = 3 * scale, stroke = 2.0 * scale;
    bool disabled = s.base == kStateDisabled;
    if (s.kind == kCheckUnchecked) {
        gfx::Color fill = s.base == kStatePressed ? p.surfacePressed : disabled ? p.boxDisabled : p.box;
        gfx::Color edge = s.base == kStateHot || s.base == kStatePressed ? p.boxEdgeHot
                          : disabled                                    ? p.boxEdgeDisabled
                                                                        : p.boxEdge;
        FillRoundRect(dc, box, radius, fill);
        StrokeRoundRect(dc, box, radius, edge);
        return;
    }
    gfx::Color fill = disabled ? p.accentDisabled
                      : s.base == kStatePressed ? p.accentPressed
                      : s.base == kStateHot     ? p.accentHot
                                                : p.accent;
    FillRoundRect(dc, box, radius, fill);
    double l = box.left, t = box.top, w = box.width();
    if (s.kind == kCheckChecked) {
        PointF mark[] = {{l + w * 0.25, t + w * 0.52}, {l + w * 0.43, t + w * 0.70}, {l + w * 0.76, t + w * 0.32}};
        StrokePolyline(dc, mark, stroke, p.accentText);
    } else {
        PointF dash[] = {{l + w * 0.28, t + w * 0.5}, {l + w * 0.72, t + w * 0.5}};
        StrokePolyline(dc, dash, stroke, p.accentText);
    }
}

void ThemedHeaderItem(gfx::DeviceContext& dc, const Rect& r, int state) {
    const ThemedPalette& p = themedPalette();
    gfx::Color back = state == kStatePressed ? p.surfacePressed : state == kStateHot ? p.surfaceHot : p.surface;
    dc.fillRect(r, back);
    dc.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, p.border);
    int inset = std::min(4, r.height() / 4);
    dc.fillRect({r.right - 1, r.top + inset, r.right, r.bottom - 1 - inset}, p.border);
}

void ThemedArrowButton(gfx::DeviceContext& dc, const Rect& r, bool vertical, int state) {
    const ThemedPalette& p = themedPalette();
    int base = ArrowBase(state);
    dc.fillRect(r, p.track);
    Rect inner = r.inflatedBy(-2, -2);
    if (base == kStateHot || base == kStatePressed)
        FillRoundRect(dc, inner, 3, base == kStatePressed ? p.surfacePressed : p.surfaceHot);
    Chevron(dc, Centred(r, 9), ArrowDir(state), base == kStateDisabled ? p.glyphDisabled : p.glyph, 1.5);
    if (vertical)
        dc.fillRect({r.left, r.top, r.left + 1, r.bottom}, p.border);
    else
        dc.fillRect({r.left, r.top, r.right, r.top + 1}, p.border);
}

void ThemedTrack(gfx::DeviceContext& dc, const Rect& r, bool vertical, int state) {
    const ThemedPalette& p = themedPalette();
    dc.fillRect(r, state == kStatePressed ? p.trackPressed : p.track);
    if (vertical)
        dc.fillRect({r.left, r.top, r.left + 1, r.bottom}, p.border);
    else
        dc.fillRect({r.left, r.top, r.right, r.top + 1}, p.border);
}

void ThemedThumb(gfx::DeviceContext& dc, const Rect& r, bool vertical, int state) {
    const ThemedPalette& p = themedPalette();
    ThemedTrack(dc, r, vertical, kStateNormal);
    // A slim pill in the middle of the bar, leaving the border line and a margin clear.
    Rect pill = vertical ? Rect{r.left + 5, r.top + 1, r.right - 4, r.bottom - 1}
                         : Rect{r.left + 1, r.top + 5, r.right - 1, r.bottom - 4};
    gfx::Color c = state == kStatePressed ? p.thumbPressed
                  : state == kStateHot   ? p.thumbHot
                  : state == kStateDisabled ? p.thumbDisabled
                                            : p.thumb;
    FillRoundRect(dc, pill, std::min(pill.width(), pill.height()) / 2.0, c);
}

// ---- classic look ---------------------------------------------------------------------------

void ClassicGlyph(gfx::DeviceContext& dc, const Rect& r, int state) {
    Rect box = Centred(r, 9);
    if (box.width() < 5) return;
    dc.fillRect(box, sysColor(gfx::COLOR_WINDOW));
    dc.frameRect(box, gfx::Brush::solid(sysColor(gfx::COLOR_BTNSHADOW)));
    int cx = box.left + box.width() / 2, cy = box.top + box.height() / 2;
    int arm = (box.width() - 4) / 2;
    gfx::Color ink = sysColor(gfx::COLOR_WINDOWTEXT);
    dc.fillRect({cx - arm, cy, cx + arm + 1, cy + 1}, ink);
    if (state == kGlyphClosed) dc.fillRect({cx, cy - arm, cx + 1, cy + arm + 1}, ink);
}

void ClassicTrack(gfx::DeviceContext& dc, const Rect& r, bool pressed) {
    if (pressed) {
        dc.fillRect(r, sysColor(gfx::COLOR_3DDKSHADOW));
        return;
    }
    dc.fillRect(r, sysColor(gfx::COLOR_SCROLLBAR));
    gfx::Color light = sysColor(gfx::COLOR_BTNHIGHLIGHT);
    Rect area = gfx::intersect(r, dc.clipBox());
    // The checker is anchored to device pixels so that neighbouring pieces join seamlessly.
    gfx::Point o = dc.viewportOrigin();
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left + ((area.left + o.x + y + o.y) & 1); x < area.right; x += 2) dc.setPixel(x, y, light);
}

std::uint32_t ClassicStateFlags(int base) {
    switch (base) {
    case kStatePressed:
        return gfx::DFCS_PUSHED;
    case kStateDisabled:
        return gfx::DFCS_INACTIVE;
    case kStateHot:
        return gfx::DFCS_HOT;
    default:
        return 0;
    }
}

} // namespace

int ThemeData::Scaled(int v) const { return ScaledBy(scale_, v); }

std::unique_ptr<ThemeData> ThemeData::Open(std::string_view name, Look look, int dpi) {
    static const std::pair<std::string_view, ThemeClass> kClasses[] = {
        {"Treeview", ThemeClass::Treeview}, {"ComboBox", ThemeClass::ComboBox}, {"Button", ThemeClass::Button},
        {"Header", ThemeClass::Header},     {"ScrollBar", ThemeClass::ScrollBar}, {"Listbox", ThemeClass::ListBox},
    };
    for (const auto& [n, c] : kClasses)
        if (EqualsNoCase(n, name)) return std::unique_ptr<ThemeData>(new ThemeData(c, look, std::clamp(dpi, 24, 1200)));
    return nullptr;
}

bool ThemeData::HasPart(int part, int state) const {
    switch (class_) {
    case ThemeClass::Treeview:
        return part == kTreeviewGlyph && (state == kGlyphClosed || state == kGlyphOpened);
    case ThemeClass::ComboBox:
        return part == kComboDropButton && state >= 1 && state <= 4;
    case ThemeClass::Button:
        return part == kButtonCheckBox && state >= 1 && state <= 12;
    case ThemeClass::Header:
        return (part == kHeaderItem && state >= 1 && state <= 3) ||
               (part == kHeaderSortArrow && (state == kSortArrowUp || state == kSortArrowDown));
    case ThemeClass::ScrollBar:
        if (part == kScrollArrowButton) return state >= 1 && state <= 16;
        if (part >= kScrollThumbHorz && part <= kScrollUpperTrackVert) return state >= 1 && state <= 4;
        return part == kScrollSizeBox && state >= 1 && state <= 4;
    case ThemeClass::ListBox:
        return (part == kListBorder && state == kStateNormal) || (part == kListItem && state == kListItemSelected);
    }
    return false;
}

Size ThemeData::PartSize(int part, int state) const {
    if (!HasPart(part, state)) return {0, 0};
    bool themed = look_ == Look::Themed;
    switch (class_) {
    case ThemeClass::Treeview:
        return themed ? Size{Scaled(12), Scaled(12)} : Size{9, 9};
    case ThemeClass::Button:
        return themed ? Size{Scaled(14), Scaled(14)} : Size{13, 13};
    case ThemeClass::ComboBox:
        return {17, 0};
    case ThemeClass::Header:
        return part == kHeaderSortArrow ? Size{Scaled(9), Scaled(5)} : Size{0, 0};
    case ThemeClass::ScrollBar:
        return part == kScrollArrowButton ? Size{17, 17} : Size{0, 0};
    case ThemeClass::ListBox:
        return {0, 0};
    }
    return {0, 0};
}

Rect ThemeData::ContentRect(int part, int state, const Rect& r) const {
    if (!HasPart(part, state)) return r;
    if (class_ == ThemeClass::Header && part == kHeaderItem) {
        Rect c = r.inflatedBy(-3, -3);
        if (look_ == Look::Themed) c.bottom = std::max(c.top, c.bottom - 1);
        return c;
    }
    if (class_ == ThemeClass::ComboBox || (class_ == ThemeClass::ListBox && part == kListBorder))
        return r.inflatedBy(-1, -1);
    return r;
}

bool ThemeData::IsPartiallyTransparent(int part, int state) const {
    if (!HasPart(part, state)) return false;
    switch (class_) {
    case ThemeClass::Treeview:
    case ThemeClass::Button:
        return true;
    case ThemeClass::Header:
        return part == kHeaderSortArrow;
    default:
        return false;
    }
}

bool ThemeData::DrawBackground(gfx::DeviceContext& dc, int part, int state, const Rect& rect, const Rect* clip) const {
    if (!HasPart(part, state) || rect.isEmpty()) return false;
    gfx::DeviceContextStateSaver saver(dc);
    if (clip != nullptr) dc.intersectClipRect(*clip);
    bool themed = look_ == Look::Themed;
    switch (class_) {
    case ThemeClass::Treeview:
        themed ? ThemedGlyph(dc, rect, state, scale_) : ClassicGlyph(dc, rect, state);
        return true;
    case ThemeClass::ComboBox:
        if (themed)
            ThemedDropButton(dc, rect, state, scale_);
        else
            gfx::drawFrameControl(dc, rect, gfx::DFC_SCROLL, gfx::DFCS_SCROLLCOMBOBOX | ClassicStateFlags(state));
        return true;
    case ThemeClass::Button: {
        if (themed) {
            ThemedCheckBox(dc, rect, state, scale_);
            return true;
        }
        CheckState s = SplitCheckState(state);
        std::uint32_t flags = gfx::DFCS_BUTTONCHECK | ClassicStateFlags(s.base);
        if (s.kind == kCheckChecked) flags |= gfx::DFCS_CHECKED;
        if (s.kind == kCheckMixed) flags |= gfx::DFCS_BUTTON3STATE | gfx::DFCS_CHECKED;
        gfx::drawFrameControl(dc, Centred(rect, 13), gfx::DFC_BUTTON, flags);
        return true;
    }
    case ThemeClass::Header:
        if (part == kHeaderSortArrow) {
            Size natural{Scaled(9), Scaled(5)};
            int w = std::min(natural.cx, rect.width()), h = std::min(natural.cy, rect.height());
            Rect box{rect.left + (rect.width() - w) / 2, rect.top + (rect.height() - h) / 2, 0, 0};
            box.right = box.left + w, box.bottom = box.top + h;
            Dir dir = state == kSortArrowUp ? Dir::Up : Dir::Down;
            if (themed)
                Chevron(dc, box.inflatedBy(0, Scaled(2)), dir, themedPalette().glyph, 1.4 * scale_);
            else
                Triangle(dc, box, dir, sysColor(gfx::COLOR_BTNSHADOW));
        } else if (themed) {
            ThemedHeaderItem(dc, rect, state);
        } else {
            dc.fillRect(rect, sysColor(gfx::COLOR_BTNFACE));
            if (state == kStatePressed)
                dc.frameRect(rect, gfx::Brush::solid(sysColor(gfx::COLOR_BTNSHADOW)));
            else
                gfx::drawEdge(dc, rect, gfx::EDGE_RAISED, gfx::BF_RECT | gfx::BF_SOFT);
        }
        return true;
    case ThemeClass::ScrollBar: {
        bool vertical = part == kScrollThumbVert || part == kScrollLowerTrackVert || part == kScrollUpperTrackVert;
        if (part == kScrollArrowButton) {
            Dir d = ArrowDir(state);
            vertical = d == Dir::Up || d == Dir::Down;
            if (themed) {
                ThemedArrowButton(dc, rect, vertical, state);
            } else {
                static constexpr std::uint32_t kKinds[] = {gfx::DFCS_SCROLLUP, gfx::DFCS_SCROLLDOWN,
                                                           gfx::DFCS_SCROLLLEFT, gfx::DFCS_SCROLLRIGHT};
                gfx::drawFrameControl(dc, rect, gfx::DFC_SCROLL, kKinds[(state - 1) / 4] | ClassicStateFlags(ArrowBase(state)));
            }
        } else if (part == kScrollThumbHorz || part == kScrollThumbVert) {
            if (themed) {
                ThemedThumb(dc, rect, vertical, state);
            } else {
                dc.fillRect(rect, sysColor(gfx::COLOR_BTNFACE));
                gfx::drawEdge(dc, rect, gfx::EDGE_RAISED, gfx::BF_RECT | gfx::BF_MIDDLE);
            }
        } else if (part == kScrollSizeBox) {
            dc.fillRect(rect, themed ? themedPalette().track : sysColor(gfx::COLOR_BTNFACE));
        } else {
            if (themed)
                ThemedTrack(dc, rect, vertical, state);
            else
                ClassicTrack(dc, rect, state == kStatePressed);
        }
        return true;
    }
    case ThemeClass::ListBox:
        // Both looks frame the list with one pixel: a soft grey line when themed, the window
        // frame colour in the classic look. A selected item takes the accent or the highlight.
        if (part == kListBorder) {
            dc.fillRect(rect, sysColor(gfx::COLOR_WINDOW));
            dc.frameRect(rect, gfx::Brush::solid(themed ? themedPalette().border : sysColor(gfx::COLOR_WINDOWFRAME)));
        } else {
            dc.fillRect(rect, themed ? themedPalette().accent : sysColor(gfx::COLOR_HIGHLIGHT));
        }
        return true;
    }
    return false;
}

void DrawParentBackground(gfx::DeviceContext& dc, const Rect& rect, gfx::Color parentColor) {
    dc.fillRect(rect, parentColor);
}

} // namespace lattix::theme

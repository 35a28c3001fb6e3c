#pragma once
// A device context draws onto a Bitmap it does not own, with a selected pen, brush and font,
// text and background colours, background mode, brush origin, clip rectangle and viewport
// origin.
//
// Coordinates given to drawing calls are logical: device = logical + viewport origin. The clip
// rectangle and the brush origin are in device coordinates (pixels of the bitmap). Every
// drawing call stays inside the clip rectangle and the bitmap. Drawn pixels are opaque.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/brush.h"
#include "platform/gfx/font.h"
#include "platform/gfx/shaped_text.h"
#include "platform/gfx/pen.h"
#include "platform/gfx/raster_op.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lattix::gfx {

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// Returned by getPixel for a point outside the clip area.
inline constexpr Color CLR_INVALID = 0xFFFFFFFFu;

class DeviceContext {
public:
    // The bitmap must outlive the context. Initial state: black 1-pixel solid pen, white solid
    // brush, default font, black text on a white opaque background, origins (0, 0), no clip.
    explicit DeviceContext(Bitmap& target);

    Bitmap& bitmap() { return *bitmap_; }
    const Bitmap& bitmap() const { return *bitmap_; }

    // ---- state; each setter returns the previous value
    Pen selectPen(const Pen& pen);
    const Pen& pen() const { return state_.pen; }
    Brush selectBrush(const Brush& brush);
    const Brush& brush() const { return state_.brush; }
    // A null font selects the default font.
    FontPtr selectFont(FontPtr font);
    const Font& font() const { return *state_.font; }
    const FontPtr& fontPtr() const { return state_.font; }
    Color setTextColor(Color c);
    Color textColor() const { return state_.textColor; }
    Color setBkColor(Color c);
    Color bkColor() const { return state_.bkColor; }
    BackgroundMode setBkMode(BackgroundMode mode);
    BackgroundMode bkMode() const { return state_.bkMode; }
    Point setBrushOrigin(Point deviceOrigin);
    Point brushOrigin() const { return state_.brushOrigin; }
    Point setViewportOrigin(Point origin);
    Point offsetViewportOrigin(int dx, int dy);
    Point viewportOrigin() const { return state_.viewport; }

    // ---- clipping
    // Replaces the clip rectangle (device coordinates).
    void setClipRect(const Rect& deviceRect);
    // Narrows the clip area to `logicalRect`.
    void intersectClipRect(const Rect& logicalRect);
    void clearClipRect();
    std::optional<Rect> clipRect() const { return state_.clip; }
    // The area drawing may reach, in logical coordinates (clip rectangle and bitmap).
    Rect clipBox() const;

    // Saves the whole state on a stack and returns its depth (1 for the first save).
    int saveState();
    // Restores the state saved at `level` (the latest save when -1) and drops it and the later
    // ones. Throws std::invalid_argument for a level that was not saved.
    void restoreState(int level = -1);

    // ---- areas
    void fillRect(const Rect& r, const Brush& brush);
    void fillRect(const Rect& r, Color c);
    // A one-pixel frame along the inside of r.
    void frameRect(const Rect& r, const Brush& brush);
    // A frame in the pen along the inside of r, the inside filled with the brush.
    void rectangle(const Rect& r);
    void invertRect(const Rect& r);
    // A raster operation of the brush on the destination (PatCopy, PatInvert, DstInvert,
    // Blackness, Whiteness). Throws std::invalid_argument for one that needs a source.
    void patBlt(const Rect& r, RasterOp op);
    // A polygon filled with the brush (even-odd rule, pixel centres inside) and outlined with
    // the pen. Throws std::invalid_argument for fewer than 3 points.
    void polygon(std::span<const Point> points);

    // ---- lines
    Point moveTo(int x, int y);
    Point currentPosition() const { return position_; }
    // A line in the pen from the current position to (x, y), that end point excluded; (x, y)
    // becomes the current position.
    void lineTo(int x, int y);
    void polyline(std::span<const Point> points);
    void setPixel(int x, int y, Color c);
    Color getPixel(int x, int y) const;

    // ---- copies and blends
    // Copies a w x h block from `src` at (sx, sy) (source pixels) to (x, y) with `op`.
    // Parts outside the source are left untouched. Throws std::invalid_argument for a negative
    // size; the source may be this context's own bitmap.
    void bitBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy, RasterOp op = RasterOp::SrcCopy);
    // As above with source coordinates in the source context's logical coordinates.
    void bitBlt(int x, int y, int w, int h, const DeviceContext& src, int sx, int sy,
                RasterOp op = RasterOp::SrcCopy);
    // Source-over blend of srcRect of `src` onto dst (scaled by nearest pixel when the sizes
    // differ) with constant alpha `alpha`: D = (S * alpha + D * (255 - alpha)) / 255 rounded,
    // per channel. With perPixelAlpha the premultiplied source alpha is applied as well.
    void alphaBlend(const Rect& dst, const Bitmap& src, const Rect& srcRect, std::uint8_t alpha,
                    bool perPixelAlpha = false);

    // A dotted one-pixel frame XORed along the inside of r: pixels with an even (x + y) in
    // device coordinates are XORed with the background colour, the others with the text
    // colour. Drawing it twice restores the original pixels.
    void drawFocusRect(const Rect& r);

    // ---- text (see text_draw.h for formatted text)
    TextMetrics textMetrics() const { return font().metrics(); }
    // Width and height of a UTF-8 text as one line in the selected font.
    Size textExtent(std::string_view utf8) const { return font().textExtent(utf8); }
    // One line of UTF-8 text with its top-left corner at (x, y), in the text colour, on the
    // background colour when the mode is opaque, with the font's underline and strikeout.
    void textOut(int x, int y, std::string_view utf8);
    // Low-level text run: `text` shaped as one line (in `direction`) from x on the baseline y,
    // limited to `clip` (logical) and the clip area. `underlineIndex` >= 0 underlines that
    // character (the prefix underline). Returns the advance width. Opaque background is not
    // painted here.
    int drawTextRun(int x, int baselineY, std::u32string_view text, const Rect* clip, int underlineIndex = -1,
                    TextDirection direction = TextDirection::Auto);
    // Draws shaped text with its left edge at x on the baseline y; the characters
    // [underlineFrom, underlineTo) are underlined (the prefix underline, a composition).
    void drawShapedText(int x, int baselineY, const ShapedText& text, const Rect* clip, std::size_t underlineFrom = 0,
                        std::size_t underlineTo = 0);

    // ---- device-coordinate helpers for the drawing code of this layer
    Rect toDevice(const Rect& r) const { return r.offsetBy(state_.viewport.x, state_.viewport.y); }
    // Effective clip (device coordinates): clip rectangle within the bitmap.
    Rect deviceClip() const;
    // Brush colour at a device pixel: nullopt where a hatch gap stays transparent.
    std::optional<Pixel> brushPixelAt(const Brush& brush, int dx, int dy) const;

private:
    struct State {
        Pen pen;
        Brush brush;
        FontPtr font;
        Color textColor = 0;
        Color bkColor = 0xFFFFFF;
        BackgroundMode bkMode = BackgroundMode::Opaque;
        Point brushOrigin;
        Point viewport;
        std::optional<Rect> clip;
    };

    void fillDeviceRect(const Rect& deviceRect, const Brush& brush);
    void plotPen(int dx, int dy);
    void drawLine(int x0, int y0, int x1, int y1);

    Bitmap* bitmap_;
    State state_;
    std::vector<State> saved_;
    Point position_;
    int dotPhase_ = 0;
};

// Saves the state of a device context and restores it at the end of a scope.
class DeviceContextStateSaver {
public:
    explicit DeviceContextStateSaver(DeviceContext& dc) : dc_(dc), level_(dc.saveState()) {}
    ~DeviceContextStateSaver() { dc_.restoreState(level_); }
    DeviceContextStateSaver(const DeviceContextStateSaver&) = delete;
    DeviceContextStateSaver& operator=(const DeviceContextStateSaver&) = delete;

private:
    DeviceContext& dc_;
    int level_;
};

} // namespace lattix::gfx

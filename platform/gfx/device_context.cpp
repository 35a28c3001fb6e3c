#include "platform/gfx/device_context.h"

#include "platform/gfx/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace lattix::gfx {

namespace {

Pixel applyRop(RasterOp op, Pixel s, Pixel d, Pixel p) {
    Pixel rgbResult;
    switch (op) {
    case RasterOp::SrcCopy:
        return s;
    case RasterOp::SrcPaint:
        rgbResult = s | d;
        break;
    case RasterOp::SrcAnd:
        rgbResult = s & d;
        break;
    case RasterOp::SrcInvert:
        rgbResult = s ^ d;
        break;
    case RasterOp::SrcErase:
        rgbResult = s & ~d;
        break;
    case RasterOp::NotSrcCopy:
        rgbResult = ~s;
        break;
    case RasterOp::MergePaint:
        rgbResult = ~s | d;
        break;
    case RasterOp::PatCopy:
        rgbResult = p;
        break;
    case RasterOp::PatInvert:
        rgbResult = p ^ d;
        break;
    case RasterOp::DstInvert:
        rgbResult = ~d;
        break;
    case RasterOp::Blackness:
        rgbResult = 0;
        break;
    case RasterOp::Whiteness:
        rgbResult = 0xFFFFFF;
        break;
    default:
        rgbResult = d;
        break;
    }
    return 0xFF000000u | (rgbResult & 0x00FFFFFFu);
}

bool isKnownRop(RasterOp op) {
    switch (op) {
    case RasterOp::SrcCopy:
    case RasterOp::SrcPaint:
    case RasterOp::SrcAnd:
    case RasterOp::SrcInvert:
    case RasterOp::SrcErase:
    case RasterOp::NotSrcCopy:
    case RasterOp::MergePaint:
    case RasterOp::PatCopy:
    case RasterOp::PatInvert:
    case RasterOp::DstInvert:
    case RasterOp::Blackness:
    case RasterOp::Whiteness:
        return true;
    }
    return false;
}

// v / 255 rounded to nearest, exact for v up to 255 * 255.
inline std::uint32_t div255(std::uint32_t v) {
    v += 128;
    return (v + (v >> 8)) >> 8;
}

// The text colour over a destination pixel at coverage a (1..254), per channel
// div255(t * a + d * (255 - a)). Red and blue share one 32-bit word (16 bits per lane, no sum
// exceeds 65535), so a pixel takes two multiplications less than channel by channel and gives
// the same values.
struct TextInk {
    std::uint32_t rb; // text red << 16 | text blue
    std::uint32_t g;  // text green
    explicit TextInk(Color c) : rb(((c & 0xFF) << 16) | ((c >> 16) & 0xFF)), g((c >> 8) & 0xFF) {}
    Pixel over(Pixel d, std::uint32_t a) const {
        const std::uint32_t ia = 255 - a;
        std::uint32_t rb2 = rb * a + (d & 0x00FF00FFu) * ia + 0x00800080u;
        rb2 = ((rb2 + ((rb2 >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
        std::uint32_t g2 = g * a + ((d >> 8) & 0xFF) * ia + 0x80;
        g2 = (g2 + (g2 >> 8)) >> 8;
        return 0xFF000000u | rb2 | (g2 << 8);
    }
};

// Blend one premultiplied channel: s weighted by a (0..255) over d weighted by (255 - a).
inline Pixel mixPixel(Pixel s, Pixel d, std::uint32_t a) {
    std::uint32_t ia = 255 - a;
    Pixel out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        out |= div255(sc * a + dc * ia) << shift;
    }
    return out;
}

} // namespace

DeviceContext::DeviceContext(Bitmap& target) : bitmap_(&target) {
    state_.pen = Pen::solid(0);
    state_.brush = Brush::solid(0xFFFFFF);
    state_.font = Font::defaultFont();
}

Pen DeviceContext::selectPen(const Pen& pen) {
    if (pen.width < 0) throw std::invalid_argument("selectPen: negative width");
    return std::exchange(state_.pen, pen);
}

Brush DeviceContext::selectBrush(const Brush& brush) {
    if (brush.style == BrushStyle::Hatch && !isValidHatch(static_cast<int>(brush.hatch)))
        throw std::invalid_argument("selectBrush: unknown hatch style");
    return std::exchange(state_.brush, brush);
}

FontPtr DeviceContext::selectFont(FontPtr font) {
    if (!font) font = Font::defaultFont();
    return std::exchange(state_.font, std::move(font));
}

Color DeviceContext::setTextColor(Color c) { return std::exchange(state_.textColor, c & 0xFFFFFF); }
Color DeviceContext::setBkColor(Color c) { return std::exchange(state_.bkColor, c & 0xFFFFFF); }

BackgroundMode DeviceContext::setBkMode(BackgroundMode mode) {
    if (mode != BackgroundMode::Opaque && mode != BackgroundMode::Transparent)
        throw std::invalid_argument("setBkMode: unknown mode");
    return std::exchange(state_.bkMode, mode);
}

Point DeviceContext::setBrushOrigin(Point o) { return std::exchange(state_.brushOrigin, o); }
Point DeviceContext::setViewportOrigin(Point o) { return std::exchange(state_.viewport, o); }
Point DeviceContext::offsetViewportOrigin(int dx, int dy) {
    Point old = state_.viewport;
    state_.viewport = {old.x + dx, old.y + dy};
    return old;
}

void DeviceContext::setClipRect(const Rect& deviceRect) {
    state_.clip = deviceRect.isEmpty() ? Rect{} : deviceRect;
}

void DeviceContext::intersectClipRect(const Rect& logicalRect) {
    Rect d = toDevice(logicalRect);
    state_.clip = state_.clip ? intersect(*state_.clip, d) : intersect(d, bitmap_->bounds());
}

void DeviceContext::clearClipRect() { state_.clip.reset(); }

Rect DeviceContext::deviceClip() const {
    Rect b = bitmap_->bounds();
    return state_.clip ? intersect(*state_.clip, b) : b;
}

Rect DeviceContext::clipBox() const {
    return deviceClip().offsetBy(-state_.viewport.x, -state_.viewport.y);
}

int DeviceContext::saveState() {
    saved_.push_back(state_);
    return int(saved_.size());
}

void DeviceContext::restoreState(int level) {
    if (level == -1) level = int(saved_.size());
    if (level < 1 || level > int(saved_.size())) throw std::invalid_argument("restoreState: level not saved");
    state_ = saved_[std::size_t(level - 1)];
    saved_.resize(std::size_t(level - 1));
}

std::optional<Pixel> DeviceContext::brushPixelAt(const Brush& brush, int dx, int dy) const {
    switch (brush.style) {
    case BrushStyle::Solid:
        return pixelOf(brush.color);
    case BrushStyle::Hatch:
        if (hatchBit(brush.hatch, dx - state_.brushOrigin.x, dy - state_.brushOrigin.y))
            return pixelOf(brush.color);
        if (state_.bkMode == BackgroundMode::Opaque) return pixelOf(state_.bkColor);
        return std::nullopt;
    case BrushStyle::Null:
        break;
    }
    return std::nullopt;
}

void DeviceContext::fillDeviceRect(const Rect& deviceRect, const Brush& brush) {
    Rect r = intersect(deviceRect, deviceClip());
    if (r.isEmpty() || brush.style == BrushStyle::Null) return;
    if (brush.style == BrushStyle::Solid) {
        Pixel p = pixelOf(brush.color);
        for (int y = r.top; y < r.bottom; ++y) std::fill_n(bitmap_->row(y) + r.left, r.width(), p);
        return;
    }
    const std::uint8_t* pattern = hatchPattern(brush.hatch);
    Pixel line = pixelOf(brush.color), gap = pixelOf(state_.bkColor);
    bool opaque = state_.bkMode == BackgroundMode::Opaque;
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint8_t bits = pattern[(y - state_.brushOrigin.y) & 7];
        Pixel* row = bitmap_->row(y);
        for (int x = r.left; x < r.right; ++x) {
            if ((bits >> (7 - ((x - state_.brushOrigin.x) & 7))) & 1) row[x] = line;
            else if (opaque) row[x] = gap;
        }
    }
}

void DeviceContext::fillRect(const Rect& r, const Brush& brush) {
    if (brush.style == BrushStyle::Hatch && !isValidHatch(static_cast<int>(brush.hatch)))
        throw std::invalid_argument("fillRect: unknown hatch style");
    fillDeviceRect(toDevice(r), brush);
}

void DeviceContext::fillRect(const Rect& r, Color c) { fillDeviceRect(toDevice(r), Brush::solid(c)); }

void DeviceContext::frameRect(const Rect& r, const Brush& brush) {
    if (r.isEmpty()) return;
    fillRect({r.left, r.top, r.right, r.top + 1}, brush);
    if (r.height() > 1) fillRect({r.left, r.bottom - 1, r.right, r.bottom}, brush);
    if (r.height() > 2) {
        fillRect({r.left, r.top + 1, r.left + 1, r.bottom - 1}, brush);
        if (r.width() > 1) fillRect({r.right - 1, r.top + 1, r.right, r.bottom - 1}, brush);
    }
}

void DeviceContext::rectangle(const Rect& r) {
    if (r.isEmpty()) return;
    const Pen& pen = state_.pen;
    if (pen.style == PenStyle::Null) {
        fillRect(r, state_.brush);
        return;
    }
    int w = std::max(1, pen.style == PenStyle::Dot ? 1 : pen.width);
    Rect inner = r.inflatedBy(-w, -w);
    if (!inner.isEmpty()) fillRect(inner, state_.brush);
    if (pen.style == PenStyle::Solid) {
        Brush b = Brush::solid(pen.color);
        for (int i = 0; i < w; ++i) {
            Rect f = r.inflatedBy(-i, -i);
            if (f.isEmpty()) break;
            frameRect(f, b);
        }
    } else {
        Point saved = position_;
        moveTo(r.left, r.top);
        lineTo(r.right - 1, r.top);
        lineTo(r.right - 1, r.bottom - 1);
        lineTo(r.left, r.bottom - 1);
        lineTo(r.left, r.top);
        position_ = saved;
    }
}

void DeviceContext::invertRect(const Rect& r) { patBlt(r, RasterOp::DstInvert); }

void DeviceContext::patBlt(const Rect& r, RasterOp op) {
    if (!isKnownRop(op) || usesSource(op)) throw std::invalid_argument("patBlt: operation needs a source");
    Rect d = intersect(toDevice(r), deviceClip());
    for (int y = d.top; y < d.bottom; ++y) {
        Pixel* row = bitmap_->row(y);
        for (int x = d.left; x < d.right; ++x) {
            Pixel p = 0;
            if (op == RasterOp::PatCopy || op == RasterOp::PatInvert) {
                auto bp = brushPixelAt(state_.brush, x, y);
                if (!bp) bp = pixelOf(state_.bkColor);
                if (state_.brush.style == BrushStyle::Null) continue;
                p = *bp;
            }
            row[x] = applyRop(op, 0, row[x], p);
        }
    }
}

void DeviceContext::polygon(std::span<const Point> pts) {
    if (pts.size() < 3) throw std::invalid_argument("polygon: needs at least 3 points");
    const Point vp = state_.viewport;
    if (state_.brush.style != BrushStyle::Null) {
        int minY = pts[0].y, maxY = pts[0].y;
        for (const Point& p : pts) minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        Rect clip = deviceClip();
        std::vector<double> xs;
        for (int y = minY; y < maxY; ++y) {
            double cy = y + 0.5;
            xs.clear();
            for (std::size_t i = 0; i < pts.size(); ++i) {
                Point a = pts[i], b = pts[(i + 1) % pts.size()];
                if ((a.y <= cy) == (b.y <= cy)) continue;
                xs.push_back(a.x + (cy - a.y) * double(b.x - a.x) / double(b.y - a.y));
            }
            std::sort(xs.begin(), xs.end());
            int dy = y + vp.y;
            if (dy < clip.top || dy >= clip.bottom) continue;
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                // pixels whose centre lies in [xs[i], xs[i+1])
                int x0 = int(std::ceil(xs[i] - 0.5)), x1 = int(std::ceil(xs[i + 1] - 0.5));
                for (int x = x0; x < x1; ++x) {
                    int dx = x + vp.x;
                    if (dx < clip.left || dx >= clip.right) continue;
                    if (auto bp = brushPixelAt(state_.brush, dx, dy)) bitmap_->row(dy)[dx] = *bp;
                }
            }
        }
    }
    if (state_.pen.style != PenStyle::Null) {
        Point saved = position_;
        moveTo(pts[0].x, pts[0].y);
        for (std::size_t i = 1; i < pts.size(); ++i) lineTo(pts[i].x, pts[i].y);
        lineTo(pts[0].x, pts[0].y);
        position_ = saved;
    }
}

Point DeviceContext::moveTo(int x, int y) {
    Point old = position_;
    position_ = {x, y};
    dotPhase_ = 0;
    return old;
}

void DeviceContext::plotPen(int dx, int dy) {
    const Pen& pen = state_.pen;
    if (pen.style == PenStyle::Dot) {
        bool on = dotPhase_ == 0;
        dotPhase_ ^= 1;
        if (!on) return;
    }
    Rect clip = deviceClip();
    Pixel p = pixelOf(pen.color);
    int w = pen.style == PenStyle::Dot ? 1 : std::max(1, pen.width);
    if (w == 1) {
        if (clip.contains({dx, dy})) bitmap_->row(dy)[dx] = p;
        return;
    }
    Rect dot = intersect(rectOfSize(dx - w / 2, dy - w / 2, w, w), clip);
    for (int y = dot.top; y < dot.bottom; ++y) std::fill_n(bitmap_->row(y) + dot.left, dot.width(), p);
}

void DeviceContext::drawLine(int x0, int y0, int x1, int y1) {
    // Bresenham, the end point excluded.
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        plotPen(x + state_.viewport.x, y + state_.viewport.y);
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
}

void DeviceContext::lineTo(int x, int y) {
    if (state_.pen.style != PenStyle::Null) drawLine(position_.x, position_.y, x, y);
    position_ = {x, y};
}

void DeviceContext::polyline(std::span<const Point> points) {
    if (points.empty()) return;
    Point saved = position_;
    moveTo(points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) lineTo(points[i].x, points[i].y);
    position_ = saved;
}

void DeviceContext::setPixel(int x, int y, Color c) {
    int dx = x + state_.viewport.x, dy = y + state_.viewport.y;
    if (deviceClip().contains({dx, dy})) bitmap_->row(dy)[dx] = pixelOf(c);
}

Color DeviceContext::getPixel(int x, int y) const {
    int dx = x + state_.viewport.x, dy = y + state_.viewport.y;
    if (!deviceClip().contains({dx, dy})) return CLR_INVALID;
    return colorOf(bitmap_->row(dy)[dx]);
}

void DeviceContext::bitBlt(int x, int y, int w, int h, const Bitmap& src, int sx, int sy, RasterOp op) {
    if (w < 0 || h < 0) throw std::invalid_argument("bitBlt: negative size");
    if (!isKnownRop(op)) throw std::invalid_argument("bitBlt: unknown raster operation");
    if (!usesSource(op)) {
        patBlt(rectOfSize(x, y, w, h), op);
        return;
    }
    // Destination block in device coordinates, limited by the clip and by the source bounds.
    Rect d = rectOfSize(x + state_.viewport.x, y + state_.viewport.y, w, h);
    int offX = sx - d.left, offY = sy - d.top; // source = device + off
    d = intersect(d, deviceClip());
    d = intersect(d, src.bounds().offsetBy(-offX, -offY));
    if (d.isEmpty()) return;
    // Overlapping copies within one bitmap go through a copy of the source block.
    const Bitmap* from = &src;
    Bitmap copy;
    if (&src == bitmap_) {
        copy = src.copyRect(d.offsetBy(offX, offY));
        from = &copy;
        offX = -d.left;
        offY = -d.top;
    }
    for (int yy = d.top; yy < d.bottom; ++yy) {
        Pixel* drow = bitmap_->row(yy);
        const Pixel* srow = from->row(yy + offY) + offX;
        if (op == RasterOp::SrcCopy) {
            std::copy_n(srow + d.left, d.width(), drow + d.left);
            continue;
        }
        for (int xx = d.left; xx < d.right; ++xx) drow[xx] = applyRop(op, srow[xx], drow[xx], 0);
    }
}

void DeviceContext::bitBlt(int x, int y, int w, int h, const DeviceContext& src, int sx, int sy, RasterOp op) {
    bitBlt(x, y, w, h, src.bitmap(), sx + src.viewportOrigin().x, sy + src.viewportOrigin().y, op);
}

void DeviceContext::alphaBlend(const Rect& dst, const Bitmap& src, const Rect& srcRect, std::uint8_t alpha,
                               bool perPixelAlpha) {
    if (srcRect.isEmpty() || dst.isEmpty()) return;
    if (srcRect.left < 0 || srcRect.top < 0 || srcRect.right > src.width() || srcRect.bottom > src.height())
        throw std::invalid_argument("alphaBlend: source rectangle outside the source bitmap");
    Rect full = toDevice(dst);
    Rect d = intersect(full, deviceClip());
    if (d.isEmpty()) return;
    bool sameSize = full.width() == srcRect.width() && full.height() == srcRect.height();
    Bitmap copy;
    const Bitmap* from = &src;
    if (&src == bitmap_) {
        copy = src;
        from = &copy;
    }
    if (sameSize && !perPixelAlpha) {
        // the selection look: an opaque source at one constant alpha
        const std::uint32_t a = alpha, ia = 255 - alpha;
        for (int y = d.top; y < d.bottom; ++y) {
            const Pixel* srow = from->row(srcRect.top + (y - full.top)) + (srcRect.left - full.left);
            Pixel* drow = bitmap_->row(y);
            for (int x = d.left; x < d.right; ++x) {
                Pixel sp = srow[x], dp = drow[x];
                std::uint32_t r = div255(((sp >> 16) & 0xFF) * a + ((dp >> 16) & 0xFF) * ia);
                std::uint32_t g = div255(((sp >> 8) & 0xFF) * a + ((dp >> 8) & 0xFF) * ia);
                std::uint32_t b = div255((sp & 0xFF) * a + (dp & 0xFF) * ia);
                drow[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
            }
        }
        return;
    }
    for (int y = d.top; y < d.bottom; ++y) {
        int sy = sameSize ? srcRect.top + (y - full.top)
                          : srcRect.top + int((long long)(y - full.top) * srcRect.height() / full.height());
        const Pixel* srow = from->row(sy);
        Pixel* drow = bitmap_->row(y);
        for (int x = d.left; x < d.right; ++x) {
            int sx = sameSize ? srcRect.left + (x - full.left)
                              : srcRect.left + int((long long)(x - full.left) * srcRect.width() / full.width());
            Pixel s = srow[sx];
            if (!perPixelAlpha) {
                drow[x] = mixPixel(s | 0xFF000000u, drow[x], alpha);
                continue;
            }
            // premultiplied source scaled by the constant alpha, then source-over
            Pixel scaled = 0;
            for (int shift = 0; shift < 32; shift += 8)
                scaled |= div255(((s >> shift) & 0xFF) * alpha) << shift;
            std::uint32_t sa = scaled >> 24;
            Pixel dd = drow[x], out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                std::uint32_t v = ((scaled >> shift) & 0xFF) + div255(((dd >> shift) & 0xFF) * (255 - sa));
                out |= std::min<std::uint32_t>(v, 255) << shift;
            }
            drow[x] = out;
        }
    }
}

void DeviceContext::drawFocusRect(const Rect& r) {
    if (r.isEmpty()) return;
    Rect dr = toDevice(r);
    Rect clip = deviceClip();
    Pixel even = pixelOf(state_.bkColor) & 0xFFFFFF, odd = pixelOf(state_.textColor) & 0xFFFFFF;
    auto xorAt = [&](int x, int y) {
        if (!clip.contains({x, y})) return;
        Pixel& p = bitmap_->row(y)[x];
        p ^= ((x + y) & 1) ? odd : even;
    };
    for (int x = dr.left; x < dr.right; ++x) xorAt(x, dr.top);
    if (dr.bottom - 1 > dr.top)
        for (int x = dr.left; x < dr.right; ++x) xorAt(x, dr.bottom - 1);
    for (int y = dr.top + 1; y < dr.bottom - 1; ++y) {
        xorAt(dr.left, y);
        if (dr.right - 1 > dr.left) xorAt(dr.right - 1, y);
    }
}

void DeviceContext::textOut(int x, int y, std::string_view utf8) {
    std::u32string text = decodeUtf8(utf8);
    const Font& f = font();
    const int width = shapedAdvance(f, text, TextDirection::Auto);
    if (state_.bkMode == BackgroundMode::Opaque) fillRect(rectOfSize(x, y, width, f.metrics().height), state_.bkColor);
    drawTextRun(x, y + f.metrics().ascent, text, nullptr);
}

int DeviceContext::drawTextRun(int x, int baselineY, std::u32string_view text, const Rect* clip, int underlineIndex,
                               TextDirection direction) {
    const ShapedTextPtr shaped = shapeText(font(), text, direction);
    const std::size_t ul = underlineIndex >= 0 ? std::size_t(underlineIndex) : 0;
    drawShapedText(x, baselineY, *shaped, clip, ul, underlineIndex >= 0 ? ul + 1 : 0);
    return shaped->advance;
}

void DeviceContext::drawShapedText(int x, int baselineY, const ShapedText& text, const Rect* clip,
                                   std::size_t underlineFrom, std::size_t underlineTo) {
    const Font& f = font();
    Rect area = deviceClip();
    if (clip) area = intersect(area, toDevice(*clip));
    const int vx = state_.viewport.x, vy = state_.viewport.y;
    const Color tc = state_.textColor;
    const TextInk ink(tc);
    const Pixel solid = pixelOf(tc);
    const int startX = x + vx;
    const int base = baselineY + vy;
    if (!area.isEmpty()) {
        for (const ShapedGlyph& sg : text.glyphs) {
            if (sg.face == kNoFace) continue; // a control character
            const int penX = startX + sg.x;
            // Glyphs come left to right: past the clip's right edge nothing more can show.
            if (penX > area.right + f.metrics().maxCharWidth) break;
            const Glyph& g = f.glyphByIndex(sg.face, sg.index);
            if (g.width <= 0) continue;
            const int gx = penX + g.left, gy = base - sg.y - g.top;
            const Rect gr = intersect(rectOfSize(gx, gy, g.width, g.height), area);
            for (int y = gr.top; y < gr.bottom; ++y) {
                const std::uint8_t* cov = g.coverage.data() + std::size_t(y - gy) * std::size_t(g.width) - gx;
                Pixel* row = bitmap_->row(y);
                for (int xx = gr.left; xx < gr.right; ++xx) {
                    const std::uint32_t a = cov[xx];
                    if (a == 0) continue;
                    if (a == 255) {
                        row[xx] = solid;
                        continue;
                    }
                    row[xx] = ink.over(row[xx], a);
                }
            }
        }
    }
    auto bar = [&](int x0, int x1, int top, int thickness) {
        const Rect br = intersect(Rect{x0, top, x1, top + thickness}, area);
        for (int y = br.top; y < br.bottom; ++y) std::fill_n(bitmap_->row(y) + br.left, br.width(), solid);
    };
    const FontSpec& spec = f.spec();
    const int endX = startX + text.advance;
    if (spec.underline) {
        bar(startX, endX, base + f.underlineOffset(), f.underlineThickness());
    } else if (underlineTo > underlineFrom) {
        for (const auto& [left, right] : text.spans(underlineFrom, underlineTo))
            bar(startX + left, startX + right, base + f.underlineOffset(), f.underlineThickness());
    }
    if (spec.strikeout) bar(startX, endX, base - f.strikeoutOffset(), f.strikeoutThickness());
}

} // namespace lattix::gfx

#include "bindings/qt/grid_printer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <stdexcept>
#include <utility>

#include "bindings/qt/lattix_widget.h"
#include "grid/model/cell_enums.h"
#include "grid/objects/header_object.h"
#include "grid/view/colors.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"

namespace lattix::printing {

namespace {

constexpr int32_t kProcessPrefix = 2097152;

QColor QtColour(gfx::Color c) { return QColor(gfx::redOf(c), gfx::greenOf(c), gfx::blueOf(c)); }

// An automation colour (system colours included) as a Qt colour; `fallback` when it is "none".
QColor ColourOf(int32_t ole, QColor fallback) {
    const int32_t rgb = TranslateColor(ole);
    return rgb == -1 ? fallback : QtColour(static_cast<gfx::Color>(rgb));
}

QColor SystemColour(int index) { return QtColour(gfx::sysColor(index)); }

// Hatch styles 0..5 draw lines; 7 is none.
bool Hatched(int32_t hatch) { return hatch >= 0 && hatch <= 5; }

// The grid's text flags as Qt's drawing flags; ellipses are handled by the caller.
int QtTextFlags(uint32_t flags) {
    int out = 0;
    if (flags & gfx::DT_CENTER) out |= Qt::AlignHCenter;
    else if (flags & gfx::DT_RIGHT) out |= Qt::AlignRight;
    else out |= Qt::AlignLeft;
    if (flags & gfx::DT_VCENTER) out |= Qt::AlignVCenter;
    else if (flags & gfx::DT_BOTTOM) out |= Qt::AlignBottom;
    else out |= Qt::AlignTop;
    if (flags & gfx::DT_WORDBREAK) out |= Qt::TextWordWrap;
    if (flags & gfx::DT_SINGLELINE) out |= Qt::TextSingleLine;
    if (flags & gfx::DT_EXPANDTABS) out |= Qt::TextExpandTabs;
    if (!(flags & gfx::DT_NOPREFIX)) out |= Qt::TextShowMnemonic;
    return out;
}

QRectF QtRect(const gfx::Rect& r) { return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QImage ImageOfBitmap(const gfx::Bitmap& b) {
    if (b.width() <= 0 || b.height() <= 0) return {};
    QImage wrapped(reinterpret_cast<const uchar*>(b.data()), b.width(), b.height(), b.strideBytes(),
                   QImage::Format_ARGB32_Premultiplied);
    return wrapped.copy();
}

struct PrintColumn {
    int32_t pos = 0;
    int32_t index = 0;
    int32_t width = 0;
    bool frozen = false;
};

struct Band {
    std::vector<PrintColumn> cols;
    int32_t width = 0;
};

} // namespace

struct GridPages::Layout {
    Lattix& g;
    PrintOptions options;
    QRectF page;
    double dpi = 0;
    double firstPageTop = 0;
    int32_t gridDpi = 96;
    double s = 1;        // device pixels per grid pixel
    double titleH = 0;   // device pixels
    double footerH = 0;  // device pixels
    int32_t headerH = 0; // grid pixels; 0 without a header bar
    std::vector<int32_t> rows;
    std::vector<size_t> rowPageStart; // index into rows of each row page's first row, then rows.size()
    std::vector<Band> bands;
    // Drawing objects kept for the whole job: fonts by description, icons by list, index and picture
    // size (one picture per icon in the document however often it is printed).
    struct PrintFont {
        FontDescription description;
        QFont font;
        QFontMetricsF metrics;
    };
    std::vector<PrintFont> fonts;
    // Grid lines of the page being drawn, merged and stroked once the cells are drawn.
    struct Rule {
        double x, y, w, h;
        QRgb colour;
    };
    std::vector<Rule> rules;
    std::map<std::tuple<int32_t, int32_t, int, int>, QImage> icons; // list, index, picture size
    int fontDeviceDpi = 0;
    QColor rowTint; // the background of the row being drawn

    Layout(Lattix& grid, const PrintOptions& o) : g(grid), options(o) {}

    int rowPageCount() const { return static_cast<int>(rowPageStart.size()) - 1; }
    bool headerOnRowPage(int rp) const { return headerH > 0 && (rp == 0 || options.repeatHeader); }

    void collect();
    void layOutColumns();
    void layOutRows();

    const PrintFont& cellFont(const FontObject& font, QPainter& p);
    void drawHeader(QPainter& p, const Band& band);
    void drawRow(QPainter& p, const Band& band, int32_t row, int32_t y);
    void drawCell(QPainter& p, int32_t row, int32_t pos, int32_t colIndex, const QRect& rect);
    void drawText(QPainter& p, const QRectF& r, const std::string& text, uint32_t flags, const PrintFont& font);
    void drawRule(QPainter& p, const QRectF& r, const QColor& colour);
    void addRule(const QRectF& r, const QColor& colour) {
        rules.push_back({r.x(), r.y(), r.width(), r.height(), colour.rgb()});
    }
    void drawRules(QPainter& p);
    void drawHatch(QPainter& p, const QRectF& r, const QColor& colour, int32_t hatch);
    void drawCheckBox(QPainter& p, const QRectF& r, int state);
    void drawTreeLines(QPainter& p, int32_t row, const QRect& cell);
    void drawTreeButton(QPainter& p, const QRectF& r, bool expanded);
    void drawIcon(QPainter& p, int32_t list, int32_t index, const QRectF& r);
};

void GridPages::Layout::collect() {
    std::vector<PrintColumn> shown;
    const int32_t frozen = g.FrozenCols();
    for (int32_t p = 1; p <= g.ColCount(); ++p) {
        const ColumnRecord& c = g.Column(p);
        if (c.visible && c.width > 0) shown.push_back({p, c.index, c.width, p <= frozen});
    }
    const int32_t n = g.RowCount();
    const int32_t textCol = g.RowTextCol();
    if (options.range == PrintOptions::Range::WholeGrid) {
        for (int32_t r = 1; r <= n; ++r)
            if (g.Row(r).displayed()) rows.push_back(r);
    } else {
        // Rows and columns that hold a selected cell.
        std::vector<bool> colWanted(shown.size(), false);
        for (int32_t r = 1; r <= n; ++r) {
            if (!g.Row(r).displayed()) continue;
            bool any = g.Cell(r, textCol).selected();
            for (size_t i = 0; i < shown.size(); ++i)
                if (g.Cell(r, shown[i].index).selected()) any = colWanted[i] = true;
            if (any) rows.push_back(r);
        }
        std::vector<PrintColumn> kept;
        for (size_t i = 0; i < shown.size(); ++i)
            if (colWanted[i]) kept.push_back(shown[i]);
        // A selection of row-text cells only prints the rows across all columns.
        if (!kept.empty()) shown = std::move(kept);
    }
    if (options.omitEmptyTrailingRows) {
        auto blank = [&](int32_t r) {
            if (!g.DisplayedText(r, textCol).empty()) return false;
            for (const PrintColumn& c : shown)
                if (!g.DisplayedText(r, c.index).empty()) return false;
            return true;
        };
        while (!rows.empty() && blank(rows.back())) rows.pop_back();
    }
    bands.push_back({std::move(shown), 0});
}

void GridPages::Layout::layOutColumns() {
    std::vector<PrintColumn> all = std::move(bands.front().cols);
    bands.clear();
    int32_t total = 0;
    for (const PrintColumn& c : all) total += c.width;
    const double natural = dpi / gridDpi;
    if (options.columns == PrintOptions::Columns::FitToPageWidth || total * natural <= page.width()) {
        s = total > 0 ? std::min(natural, page.width() / total) : natural;
        bands.push_back({std::move(all), total});
        return;
    }
    s = natural;
    const double room = page.width() / s;
    std::vector<PrintColumn> frozen;
    int32_t frozenWidth = 0;
    if (options.repeatFrozenColumns) {
        for (const PrintColumn& c : all)
            if (c.frozen) frozenWidth += c.width;
        // Frozen columns that leave no room for the others are printed once, as ordinary columns.
        if (frozenWidth > 0 && frozenWidth < room / 2) {
            for (const PrintColumn& c : all)
                if (c.frozen) frozen.push_back(c);
            std::erase_if(all, [](const PrintColumn& c) { return c.frozen; });
        } else {
            frozenWidth = 0;
        }
    }
    Band band{frozen, frozenWidth};
    size_t own = 0; // columns of this band beyond the frozen ones
    for (const PrintColumn& c : all) {
        if (own > 0 && band.width + c.width > room) {
            bands.push_back(std::move(band));
            band = Band{frozen, frozenWidth};
            own = 0;
        }
        band.cols.push_back(c);
        band.width += c.width;
        ++own;
    }
    if (own > 0 || bands.empty()) bands.push_back(std::move(band));
}

void GridPages::Layout::layOutRows() {
    const double body = page.height() - titleH - footerH;
    rowPageStart.assign(1, 0);
    int rp = 0;
    double used = 0;
    auto room = [&](int pageOfRows) {
        double h = body - (pageOfRows == 0 ? firstPageTop : 0);
        if (headerOnRowPage(pageOfRows)) h -= headerH * s;
        return h;
    };
    double available = room(0);
    size_t onPage = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double h = g.Row(rows[i]).height * s;
        if (onPage > 0 && used + h > available + 1e-6) {
            rowPageStart.push_back(i);
            ++rp;
            available = room(rp);
            used = 0;
            onPage = 0;
        }
        used += h;
        ++onPage;
    }
    rowPageStart.push_back(rows.size());
}

const GridPages::Layout::PrintFont& GridPages::Layout::cellFont(const FontObject& font, QPainter& p) {
    const int deviceDpi = p.device()->logicalDpiY();
    if (deviceDpi != fontDeviceDpi) {
        fonts.clear();
        fontDeviceDpi = deviceDpi;
    }
    const FontDescription& d = font.description();
    for (const PrintFont& known : fonts)
        if (known.description == d) return known;
    QFont f(QString::fromStdString(d.name));
    const double points = d.size.toDouble() <= 0 ? 8.0 : std::clamp(d.size.toDouble(), 1.0, 500.0);
    // The painter draws in grid pixels; the font must take as many of them as on screen.
    f.setPointSizeF(points * gridDpi / std::max(1, deviceDpi));
    f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(d.weight == 0 ? 400 : d.weight, 1, 1000)));
    f.setItalic(d.italic);
    f.setUnderline(d.underline);
    f.setStrikeOut(d.strikethrough);
    f.setKerning(false);
    // No ligatures in scripts that need no shaping: "fi" stays two letters that a search finds.
    f.setStyleStrategy(QFont::PreferNoShaping);
    constexpr size_t kKept = 32;
    if (fonts.size() >= kKept) fonts.erase(fonts.begin());
    fonts.push_back({d, f, QFontMetricsF(f, p.device())});
    return fonts.back();
}

void GridPages::Layout::drawText(QPainter& p, const QRectF& r, const std::string& utf8, uint32_t flags,
                                 const PrintFont& font) {
    if (r.width() <= 0 || r.height() <= 0) return;
    QString text = QString::fromStdString(utf8);
    const int qtFlags = QtTextFlags(flags);
    constexpr uint32_t kEllipses = gfx::DT_END_ELLIPSIS | gfx::DT_WORD_ELLIPSIS | gfx::DT_PATH_ELLIPSIS;
    const bool ellipsis = (flags & kEllipses) && !(flags & gfx::DT_WORDBREAK);
    const Qt::TextElideMode elide = (flags & gfx::DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
    const bool plainLine = !(qtFlags & Qt::TextShowMnemonic) && !text.contains(QLatin1Char('\n')) &&
                           !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\t'));
    p.setFont(font.font);
    if (plainLine) {
        // The common case, one line of plain text: placed here and drawn without a clip when it fits
        // (or is cut to fit with "..."), which keeps the page small and quick to make.
        double width = font.metrics.horizontalAdvance(text);
        if (width > r.width() && ellipsis) {
            text = font.metrics.elidedText(text, elide, r.width());
            width = font.metrics.horizontalAdvance(text);
        }
        const double lineHeight = font.metrics.height();
        double x = r.left();
        if (qtFlags & Qt::AlignHCenter) x = r.left() + (r.width() - width) / 2;
        else if (qtFlags & Qt::AlignRight) x = r.right() - width;
        double top = r.top();
        if (qtFlags & Qt::AlignVCenter) top = r.top() + (r.height() - lineHeight) / 2;
        else if (qtFlags & Qt::AlignBottom) top = r.bottom() - lineHeight;
        const bool fits = width <= r.width() + 0.01 && lineHeight <= r.height() + 0.01;
        if (!fits) {
            p.save();
            p.setClipRect(r, Qt::IntersectClip);
        }
        p.drawText(QPointF(x, top + font.metrics.ascent()), text);
        if (!fits) p.restore();
        return;
    }
    if (ellipsis) {
        // Each line too wide for the cell ends in "...", as on screen.
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) {
            if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
            line = font.metrics.elidedText(line, elide, r.width(), qtFlags & Qt::TextShowMnemonic);
        }
        text = lines.join(QLatin1Char('\n'));
    }
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.drawText(r, qtFlags, text);
    p.restore();
}

// A grid line (a thin rectangle along a cell's edge) as a stroked line at least half a point wide:
// a viewer or printer may drop a filled rectangle thinner than one of its pixels, never a stroke.
void GridPages::Layout::drawRule(QPainter& p, const QRectF& r, const QColor& colour) {
    const double thinnest = (dpi / 144) / s; // half a point, in grid pixels
    p.save();
    if (r.width() <= r.height()) {
        p.setPen(QPen(colour, std::max(r.width(), thinnest), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    } else {
        p.setPen(QPen(colour, std::max(r.height(), thinnest), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    }
    p.restore();
}

// The page's grid lines: the pieces each cell gave, joined where they continue one another (one
// line per column and per row instead of one per cell), then stroked.
void GridPages::Layout::drawRules(QPainter& p) {
    auto vertical = [](const Rule& r) { return r.w <= r.h; };
    std::sort(rules.begin(), rules.end(), [&](const Rule& a, const Rule& b) {
        const bool va = vertical(a), vb = vertical(b);
        if (va != vb) return va;
        if (a.colour != b.colour) return a.colour < b.colour;
        if (va) return std::tie(a.x, a.w, a.y) < std::tie(b.x, b.w, b.y);
        return std::tie(a.y, a.h, a.x) < std::tie(b.y, b.h, b.x);
    });
    std::vector<Rule> joined;
    for (const Rule& r : rules) {
        if (!joined.empty()) {
            Rule& last = joined.back();
            const bool same = vertical(last) == vertical(r) && last.colour == r.colour;
            if (same && vertical(r) && last.x == r.x && last.w == r.w && r.y <= last.y + last.h + 1e-9) {
                last.h = std::max(last.h, r.y + r.h - last.y);
                continue;
            }
            if (same && !vertical(r) && last.y == r.y && last.h == r.h && r.x <= last.x + last.w + 1e-9) {
                last.w = std::max(last.w, r.x + r.w - last.x);
                continue;
            }
        }
        joined.push_back(r);
    }
    rules.clear();
    for (const Rule& r : joined) drawRule(p, QRectF(r.x, r.y, r.w, r.h), QColor::fromRgb(r.colour));
}

// Hatch lines one grid pixel wide every eight, as the screen's hatch brush draws them; lines, not a
// pattern brush, so that they keep their spacing at the device's resolution.
void GridPages::Layout::drawHatch(QPainter& p, const QRectF& r, const QColor& colour, int32_t hatch) {
    constexpr double kStep = 8;
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::FlatCap));
    const double x0 = std::floor(r.left() / kStep) * kStep, y0 = std::floor(r.top() / kStep) * kStep;
    const bool horizontal = hatch == 0 || hatch == 4, vertical = hatch == 1 || hatch == 4;
    const bool down = hatch == 2 || hatch == 5, up = hatch == 3 || hatch == 5;
    if (horizontal)
        for (double y = y0 + 0.5; y < r.bottom(); y += kStep) p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    if (vertical)
        for (double x = x0 + 0.5; x < r.right(); x += kStep) p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    // Diagonals through the step grid, from far enough left to cross the whole rectangle.
    const double span = r.height() + kStep;
    if (down)
        for (double x = x0 - span; x < r.right(); x += kStep)
            p.drawLine(QPointF(x, y0), QPointF(x + span + kStep, y0 + span + kStep));
    if (up)
        for (double x = x0 - span; x < r.right() + span; x += kStep)
            p.drawLine(QPointF(x, y0 + span + kStep), QPointF(x + span + kStep, y0));
    p.restore();
}

void GridPages::Layout::drawIcon(QPainter& p, int32_t list, int32_t index, const QRectF& r) {
    if (list < 1 || list > g.ImageListCount() || index < 1 || r.isEmpty()) return;
    const auto& images = g.ImageListAt(list);
    if (!images || index > images->count()) return;
    // The icon takes the size the cell's layout gave it (the grid may draw icons larger than their
    // pictures on a fine screen).
    const gfx::Size size = g.IconSize(list, index);
    // The paper is finer than the screen: of the pictures the list holds (its own and the larger
    // ones a host gave), the smallest that covers the icon's size on the device, else the largest.
    gfx::Size picture = images->iconSize();
    const double wanted = std::max(size.cx, 1) * s;
    if (picture.cx < wanted)
        for (const gfx::Size larger : images->largerSizes()) {
            picture = larger;
            if (larger.cx >= wanted) break;
        }
    auto key = std::make_tuple(list, index, picture.cx, picture.cy);
    auto it = icons.find(key);
    if (it == icons.end()) it = icons.emplace(key, ImageOfBitmap(images->imageAtSize(index - 1, picture))).first;
    if (it->second.isNull()) return;
    const QSizeF target = size.cx > 0 && size.cy > 0 ? QSizeF(size.cx, size.cy) : QSizeF(images->imageWidth(), images->imageHeight());
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(r.topLeft(), target), it->second);
    p.restore();
}

void GridPages::Layout::drawCheckBox(QPainter& p, const QRectF& r, int state) {
    if (r.isEmpty()) return;
    const double side = std::min(r.width(), r.height());
    const QRectF box(r.left(), r.top(), side, side);
    const QColor ink = g.Enabled() ? QColor(0x33, 0x33, 0x33) : QColor(0xA0, 0xA0, 0xA0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(ink, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    if (state == 1) {
        QPen tick(ink, side / 7.0);
        tick.setCapStyle(Qt::RoundCap);
        tick.setJoinStyle(Qt::RoundJoin);
        p.setPen(tick);
        p.setBrush(Qt::NoBrush);
        const QPolygonF mark{{box.left() + side * 0.22, box.top() + side * 0.52},
                             {box.left() + side * 0.42, box.top() + side * 0.72},
                             {box.left() + side * 0.78, box.top() + side * 0.28}};
        p.drawPolyline(mark);
    } else if (state == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(box.adjusted(side * 0.28, side * 0.28, -side * 0.28, -side * 0.28));
    }
    p.restore();
}

// Whether a later displayed row at `level` follows `row` before any displayed row of a lower level
// (the branch at that level goes on below the row).
static bool BranchContinues(const Lattix& g, int32_t row, int32_t level) {
    for (int32_t r = row + 1; r <= g.RowCount(); ++r) {
        const RowRecord& rec = g.Row(r);
        if (!rec.displayed()) continue;
        if (rec.level <= level) return rec.level == level;
    }
    return false;
}

static bool FirstDisplayedRow(const Lattix& g, int32_t row) {
    for (int32_t r = row - 1; r >= 1; --r)
        if (g.Row(r).displayed()) return false;
    return true;
}

void GridPages::Layout::drawTreeLines(QPainter& p, int32_t row, const QRect& cell) {
    const int32_t ind = g.LevelIndentPx();
    if (ind <= 0 || g.TreeLines() == tree_lines::kNone) return;
    const QColor colour = ColourOf(g.TreeLinesColor(), QColor());
    if (!colour.isValid()) return;
    const RowRecord& rec = g.Row(row);
    const double top = cell.top(), bottom = cell.top() + cell.height();
    const double cy = top + (cell.height() - 1) / 2.0 + 0.5;
    QPen pen(colour, 1.0, g.TreeLines() == tree_lines::kSolid ? Qt::SolidLine : Qt::DotLine);
    p.save();
    p.setClipRect(cell, Qt::IntersectClip);
    p.setPen(pen);
    const int32_t level = rec.level;
    for (int32_t i = 0; i < level; ++i) {
        if ((i + 1) * ind >= cell.width()) break;
        const double cx = cell.left() + i * ind + ind / 2 + 0.5;
        if (BranchContinues(g, row, i)) p.drawLine(QPointF(cx, top), QPointF(cx, bottom));
    }
    if ((rec.flags & row_flags::kTreeButtonMask) != 0) {
        const double cx = cell.left() + level * ind + ind / 2 + 0.5;
        const double rightEnd = std::min<double>(cell.left() + (level + 1) * ind, cell.left() + cell.width());
        if (rightEnd > cx) {
            p.drawLine(QPointF(cx, cy), QPointF(rightEnd, cy));
            if (level > 0 || !FirstDisplayedRow(g, row)) p.drawLine(QPointF(cx, top), QPointF(cx, cy));
            if (BranchContinues(g, row, level)) p.drawLine(QPointF(cx, cy), QPointF(cx, bottom));
        }
    }
    p.restore();
}

void GridPages::Layout::drawTreeButton(QPainter& p, const QRectF& r, bool expanded) {
    if (r.width() < 3 || r.height() < 3) return;
    const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p.save();
    p.setPen(QPen(ColourOf(g.TreeButtonBorderColor(), QColor(0x80, 0x80, 0x80)), 1.0));
    p.setBrush(ColourOf(g.TreeButtonBackColor(), Qt::white));
    p.drawRect(box);
    p.setPen(QPen(ColourOf(g.TreeButtonForeColor(), Qt::black), 1.0));
    const QPointF c = box.center();
    const double arm = box.width() / 2 - 2;
    p.drawLine(QPointF(c.x() - arm, c.y()), QPointF(c.x() + arm, c.y()));
    if (!expanded) p.drawLine(QPointF(c.x(), c.y() - arm), QPointF(c.x(), c.y() + arm));
    p.restore();
}

void GridPages::Layout::drawCell(QPainter& p, int32_t row, int32_t pos, int32_t colIndex, const QRect& rect) {
    const gfx::Rect cellRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    const CellParts parts = g.LayoutCellParts(row, colIndex, cellRect, true);
    const CellRecord& cell = g.Cell(row, colIndex);

    // Background and hatch, short of the grid lines.
    gfx::Rect bg = parts.inTreeColumn ? parts.indented : cellRect;
    bg.right -= parts.rightLine;
    bg.bottom -= parts.bottomLine;
    const int32_t back = g.EffectiveBackColor(row, colIndex);
    const int32_t hatch = (cell.typeBits & cell_bits::kHatchMask) >> cell_bits::kHatchShift;
    if (!bg.isEmpty() && back != -1) {
        const QColor colour = QtColour(static_cast<gfx::Color>(back));
        if (!Hatched(hatch)) {
            // The row's background is there already.
            if (colour != rowTint) p.fillRect(QtRect(bg), colour);
        } else {
            // Hatch lines in the cell's colour on the grid's back colour.
            p.fillRect(QtRect(bg), ColourOf(g.BackColor(), SystemColour(gfx::COLOR_WINDOW)));
            drawHatch(p, QtRect(bg), colour, hatch);
        }
    }
    // Grid lines at the right and the bottom; the frozen edge in its own colour.
    if (g.GridLines() != 0 || parts.rightLine > 0) {
        const bool edge = pos != 0 && pos == g.FrozenEdgePos();
        const QColor line = ColourOf(g.GridLineColor(), QColor(0xC0, 0xC0, 0xC0));
        const QColor rightColour = edge ? ColourOf(g.FrozenColsEdgeColor(), line) : line;
        if (parts.rightLine > 0)
            addRule(QRectF(cellRect.right - parts.rightLine, cellRect.top, parts.rightLine, rect.height()), rightColour);
        if (parts.bottomLine > 0)
            addRule(QRectF(cellRect.left, cellRect.bottom - parts.bottomLine, rect.width(), parts.bottomLine), line);
    }

    const int32_t type = cell.typeBits & cell_bits::kTypeMask;
    if (type != cell_type::kCustomDraw) {
        if (parts.hasIcon) drawIcon(p, parts.imageList, parts.iconIndex, QtRect(parts.icon));
        if (parts.hasExtraIcon) drawIcon(p, parts.extraImageList, parts.extraIconIndex, QtRect(parts.extraIcon));
        const std::string text = g.DisplayedText(row, colIndex);
        if (!text.empty() && !parts.text.isEmpty()) {
            const PrintFont& font = cellFont(*g.EffectiveFont(row, colIndex), p);
            const int32_t fore = g.EffectiveForeColor(row, colIndex);
            p.setPen(fore == -1 ? QColor(Qt::black) : QtColour(static_cast<gfx::Color>(fore)));
            const bool opaque = g.OpaqueTextInHatchedCells() && Hatched(hatch);
            if (opaque) {
                p.setBackgroundMode(Qt::OpaqueMode);
                p.setBackground(ColourOf(g.BackColor(), SystemColour(gfx::COLOR_WINDOW)));
            }
            drawText(p, QtRect(parts.text), text, g.CellDrawTextFlags(row, colIndex), font);
            if (opaque) p.setBackgroundMode(Qt::TransparentMode);
        }
    }
    if (parts.inTreeColumn) drawTreeLines(p, row, rect);
    if (parts.hasTreeButton && !parts.treeButton.isEmpty()) {
        p.save();
        p.setClipRect(QtRect(parts.treeButton), Qt::IntersectClip);
        drawTreeButton(p, QtRect(parts.treeButtonFull), g.Row(row).flags & row_flags::kExpanded);
        p.restore();
    }
    if (parts.hasCheckBox) drawCheckBox(p, QtRect(parts.checkBox), cell.checkBits & cell_bits::kCheckStateMask);
}

void GridPages::Layout::drawRow(QPainter& p, const Band& band, int32_t row, int32_t y) {
    const RowRecord& rec = g.Row(row);
    const int32_t h = rec.height;
    // The row's background where no cell paints (the tree indentation, the row-text area).
    int32_t tint = (rec.visibleIndex % 2 == 0) ? g.BackColorEvenRows() : g.BackColorOddRows();
    if (tint == -1) tint = g.BackColor();
    rowTint = ColourOf(tint, SystemColour(gfx::COLOR_WINDOW));
    p.fillRect(QRect(0, y, band.width, h), rowTint);
    if (band.cols.empty()) return;
    const bool group = rec.isGroup();
    const bool rowText = g.DrawRowText() && !group && rec.normalCellHeight < h;
    const int32_t rowTextStart = g.RowTextStartPos();
    if (group) {
        drawCell(p, row, g.ColCount() + 1, g.RowTextCol(), QRect(0, y, band.width, h));
        return;
    }
    int32_t x = 0, rowTextLeft = -1;
    for (const PrintColumn& c : band.cols) {
        int32_t cellH = h;
        if (g.DrawRowText() && c.pos >= rowTextStart) {
            cellH = std::min<int32_t>(h, rec.normalCellHeight);
            if (rowTextLeft < 0 && !c.frozen) rowTextLeft = x;
        }
        if (cellH > 0) drawCell(p, row, c.pos, c.index, QRect(x, y, c.width, cellH));
        x += c.width;
    }
    if (rowText && rowTextLeft >= 0)
        drawCell(p, row, g.ColCount() + 1, g.RowTextCol(),
                 QRect(rowTextLeft, y + rec.normalCellHeight, band.width - rowTextLeft, h - rec.normalCellHeight));
}

void GridPages::Layout::drawHeader(QPainter& p, const Band& band) {
    auto header = g.Header();
    const QColor back = ColourOf(header->Get(HeaderObject::Field::BackColor), SystemColour(gfx::COLOR_BTNFACE));
    const QColor fore = ColourOf(header->Get(HeaderObject::Field::ForeColor), SystemColour(gfx::COLOR_BTNTEXT));
    const QColor edge = SystemColour(gfx::COLOR_BTNSHADOW);
    std::shared_ptr<FontObject> font = header->Font();
    if (!font) font = g.Font();
    const PrintFont& headerFont = cellFont(*font, p);
    const int32_t pad = std::max(2, g.ScaledFrom96(5));
    int32_t x = 0;
    for (const PrintColumn& c : band.cols) {
        const ColumnRecord& col = g.Column(c.pos);
        const QRect r(x, 0, c.width, headerH);
        p.fillRect(r, ColourOf(col.headerBackColor, back));
        drawRule(p, QRectF(r.right(), 0, 1, headerH), edge);
        drawRule(p, QRectF(x, headerH - 1, c.width, 1), edge);
        QRectF textRect = QRectF(r).adjusted(pad, 1, -pad - 1, -2);
        if (col.sortOrder == 1 || col.sortOrder == 2) {
            // The sort direction as a small triangle at the right.
            const double side = std::min<double>(g.ScaledFrom96(8), textRect.width() / 3);
            if (side >= 3) {
                const double cx = textRect.right() - side / 2, cy = r.center().y() + 0.5;
                const double half = side / 2, lift = side / 4;
                QPolygonF tri = col.sortOrder == 1
                                    ? QPolygonF{{cx - half, cy + lift}, {cx + half, cy + lift}, {cx, cy - lift}}
                                    : QPolygonF{{cx - half, cy - lift}, {cx + half, cy - lift}, {cx, cy + lift}};
                p.save();
                p.setRenderHint(QPainter::Antialiasing, true);
                p.setPen(Qt::NoPen);
                p.setBrush(edge.darker(130));
                p.drawPolygon(tri);
                p.restore();
                textRect.setRight(textRect.right() - side - pad / 2.0);
            }
        }
        uint32_t flags = static_cast<uint32_t>(col.headerTextFlags) & ~static_cast<uint32_t>(kProcessPrefix);
        if (!(col.headerTextFlags & kProcessPrefix)) flags |= gfx::DT_NOPREFIX;
        flags &= ~(gfx::DT_CENTER | gfx::DT_RIGHT | gfx::DT_VCENTER | gfx::DT_BOTTOM);
        flags |= col.headerAlignH == 1 ? gfx::DT_CENTER : col.headerAlignH == 2 ? gfx::DT_RIGHT : 0;
        flags |= col.headerAlignV == 0 ? gfx::DT_VCENTER : col.headerAlignV == 2 ? gfx::DT_BOTTOM : 0;
        p.setPen(ColourOf(col.headerForeColor, fore));
        drawText(p, textRect, col.headerText, flags, headerFont);
        x += c.width;
    }
}

GridPages::GridPages(Lattix& grid, const PrintOptions& options, const QRectF& pageRect, double dpi,
                     double firstPageTop) {
    if (pageRect.width() < 1 || pageRect.height() < 1) throw std::invalid_argument("the page has no printable area");
    if (!(dpi >= 1)) throw std::invalid_argument("the device resolution must be at least 1");
    if (!(firstPageTop >= 0) || firstPageTop >= pageRect.height())
        throw std::invalid_argument("the room kept on the first page must lie inside the page");
    auto l = std::make_unique<Layout>(grid, options);
    l->page = pageRect;
    l->dpi = dpi;
    l->firstPageTop = firstPageTop;
    l->gridDpi = grid.ScreenDpiX() > 0 ? grid.ScreenDpiX() : 96;
    l->titleH = options.title.isEmpty() ? 0 : 20.0 * dpi / 72;
    l->footerH = options.pageNumbers ? 18.0 * dpi / 72 : 0;
    if (l->titleH + l->footerH + firstPageTop >= pageRect.height() * 0.8)
        throw std::invalid_argument("the page is too small for the title and the page numbers");
    auto header = grid.Header();
    l->headerH = header && header->Visible() ? std::max(0, header->Height()) : 0;
    {
        Lattix::StructureLock lock(grid);
        grid.FlushRowLayout();
        l->collect();
    }
    l->layOutColumns();
    l->layOutRows();
    layout_ = std::move(l);
}

GridPages::~GridPages() = default;

int GridPages::pageCount() const { return layout_->rowPageCount() * static_cast<int>(layout_->bands.size()); }
double GridPages::scale() const { return layout_->s; }
int GridPages::columnBandCount() const { return static_cast<int>(layout_->bands.size()); }

int GridPages::rowsOnPage(int index) const {
    if (index < 0 || index >= pageCount()) throw std::out_of_range("no such page");
    const int rp = index % layout_->rowPageCount();
    return static_cast<int>(layout_->rowPageStart[static_cast<size_t>(rp) + 1] - layout_->rowPageStart[static_cast<size_t>(rp)]);
}

void GridPages::drawPage(QPainter& p, int index, int pageNumber, int pageTotal) {
    if (index < 0 || index >= pageCount()) throw std::out_of_range("no such page");
    Layout& l = *layout_;
    const int rowPages = l.rowPageCount();
    const Band& band = l.bands[static_cast<size_t>(index / rowPages)];
    const int rp = index % rowPages;
    const double pt = l.dpi / 72; // device pixels per point

    p.save();
    if (!l.options.title.isEmpty()) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(11 * pt))));
        f.setBold(true);
        f.setStyleStrategy(QFont::PreferNoShaping);
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(QRectF(l.page.left(), l.page.top(), l.page.width(), l.titleH - 4 * pt),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, l.options.title);
    }
    if (pageNumber > 0) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(8 * pt))));
        p.setFont(f);
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawText(QRectF(l.page.left(), l.page.bottom() - l.footerH + 6 * pt, l.page.width(), l.footerH - 6 * pt),
                   Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine,
                   QStringLiteral("Page %1 of %2").arg(pageNumber).arg(pageTotal));
    }
    const double top = l.page.top() + l.titleH + (index == 0 ? l.firstPageTop : 0);
    const double height = l.page.bottom() - l.footerH - top;
    p.setClipRect(QRectF(l.page.left(), top, l.page.width(), height));
    p.translate(l.page.left(), top);
    p.scale(l.s, l.s);

    Lattix::StructureLock lock(l.g);
    int32_t y = 0;
    if (l.headerOnRowPage(rp)) {
        l.drawHeader(p, band);
        y += l.headerH;
    }
    const size_t first = l.rowPageStart[static_cast<size_t>(rp)], end = l.rowPageStart[static_cast<size_t>(rp) + 1];
    for (size_t i = first; i < end; ++i) {
        const int32_t row = l.rows[i];
        // A handler may have hidden rows since the layout was made: they keep their place empty.
        if (row > l.g.RowCount()) break;
        l.drawRow(p, band, row, y);
        y += l.g.Row(row).height;
    }
    l.drawRules(p);
    p.restore();
}

int PrintGrid(Lattix& grid, QPagedPaintDevice& device, const PrintOptions& options) {
    // The pages are laid out first: a grid that cannot be laid out leaves the device as it was.
    QPageLayout layout = device.pageLayout();
    layout.setOrientation(options.orientation);
    const double dpi = device.logicalDpiY();
    const QRectF area = layout.paintRectPixels(static_cast<int>(std::lround(dpi)));
    GridPages pages(grid, options, QRectF(0, 0, area.width(), area.height()), dpi);
    device.setPageOrientation(options.orientation);
    QPainter painter;
    if (!painter.begin(&device)) throw std::runtime_error("the printer or file cannot be written");
    const int total = pages.pageCount();
    try {
        for (int i = 0; i < total; ++i) {
            if (i > 0 && !device.newPage()) throw std::runtime_error("a new page cannot be started");
            pages.drawPage(painter, i, options.pageNumbers ? i + 1 : 0, total);
        }
    } catch (...) {
        painter.end();
        throw;
    }
    if (!painter.end()) throw std::runtime_error("the printer or file cannot be written");
    return total;
}

} // namespace lattix::printing

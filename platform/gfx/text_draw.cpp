#include "platform/gfx/text_draw.h"

#include "platform/gfx/grapheme.h"
#include "platform/gfx/shaped_text.h"
#include "platform/gfx/utf8.h"

#include <algorithm>

namespace lattix::gfx {

namespace {

constexpr char32_t kEllipsis[] = U"...";

struct Marked {
    std::u32string text;
    int underline = -1; // index of the prefixed character
};

Marked removePrefixes(const std::u32string& in, bool underline) {
    Marked out;
    out.text.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != U'&') {
            out.text.push_back(in[i]);
            continue;
        }
        if (i + 1 >= in.size()) break; // a lone "&" at the end shows nothing
        ++i;
        if (in[i] != U'&' && underline && out.underline < 0) out.underline = int(out.text.size());
        out.text.push_back(in[i]);
    }
    return out;
}

struct Span {
    std::size_t start = 0;
    std::size_t end = 0;
};

bool isBlank(char32_t c) { return c == U' '; }

// Running sums of the characters' advances in logical order: the width of text[a, b) is close
// to sums[b] - sums[a] (exact up to kerning across the cut), so choosing where to cut is linear.
std::vector<long long> prefixSums(const std::vector<int>& advances) {
    std::vector<long long> sums(advances.size() + 1, 0);
    for (std::size_t i = 0; i < advances.size(); ++i) sums[i + 1] = sums[i] + advances[i];
    return sums;
}

class Layouter {
public:
    Layouter(const Font& font, int tabWidth, TextDirection direction)
        : font_(font), tabWidth_(tabWidth), direction_(direction) {}

    int width(std::u32string_view s) const { return measureLine(font_, s, tabWidth_, direction_); }

    // The shaped line when one shaping gives both its width and its glyphs (no tab stops, not
    // longer than a piece); null otherwise.
    ShapedTextPtr shapedLine(std::u32string_view s) const {
        if (s.size() > kShapingChunk || (tabWidth_ > 0 && s.find(U'\t') != std::u32string_view::npos)) return nullptr;
        return shapeText(font_, s, direction_);
    }

    // True when the text is wider than maxWidth; for a long text only as much is shaped as
    // it takes to know.
    bool wider(std::u32string_view s, int maxWidth) const {
        if (s.size() > kShapingChunk && s.find(U'\t') == std::u32string_view::npos &&
            shapedPrefixCovering(font_, s, direction_, maxWidth) < s.size())
            return true;
        return width(s) > maxWidth;
    }

    // The part of a long text that can show at the starting side of a line maxWidth wide.
    std::size_t visiblePrefix(std::u32string_view s, int maxWidth) const {
        return shapedPrefixCovering(font_, s, direction_, std::max(0, maxWidth));
    }

    // Greedy word wrap of text[p.start, p.end) into lines no wider than maxWidth.
    void wrap(const std::u32string& text, Span p, int maxWidth, bool breakWords, std::vector<Span>& out) const {
        std::size_t start = p.start;
        if (start == p.end) {
            out.push_back({start, start});
            return;
        }
        const std::u32string_view para = std::u32string_view(text).substr(p.start, p.end - p.start);
        const std::vector<long long> sums = prefixSums(shapedLogicalAdvances(font_, para, direction_));
        auto span = [&](std::size_t a, std::size_t b) { return sums[b - p.start] - sums[a - p.start]; };
        while (start < p.end) {
            std::size_t pos = start, lastFit = std::u32string::npos;
            while (pos < p.end) {
                std::size_t e = pos;
                while (e < p.end && isBlank(text[e])) ++e;
                while (e < p.end && !isBlank(text[e])) ++e;
                if (span(start, e) > maxWidth) break;
                lastFit = e;
                pos = e;
            }
            if (lastFit == std::u32string::npos) {
                std::size_t wordEnd = start;
                while (wordEnd < p.end && isBlank(text[wordEnd])) ++wordEnd;
                while (wordEnd < p.end && !isBlank(text[wordEnd])) ++wordEnd;
                lastFit = wordEnd;
                if (breakWords) {
                    // At least one cluster per line, then as many as fit.
                    std::size_t k = start + (nextGraphemeBoundary(para, start - p.start) - (start - p.start));
                    while (k < wordEnd) {
                        const std::size_t next = p.start + nextGraphemeBoundary(para, k - p.start);
                        if (span(start, next) > maxWidth) break;
                        k = next;
                    }
                    lastFit = std::min(k, wordEnd);
                }
            }
            // trailing blanks at a break take no room
            std::size_t shownEnd = lastFit;
            while (shownEnd > start && shownEnd < p.end && isBlank(text[shownEnd - 1])) --shownEnd;
            out.push_back({start, lastFit < p.end ? shownEnd : lastFit});
            start = lastFit;
            while (start < p.end && isBlank(text[start])) ++start;
        }
    }

    Marked endEllipsis(const Marked& m, int maxWidth) const {
        return ellipsisAt(m, maxWidth, [](const std::u32string&, std::size_t) { return true; });
    }

    Marked wordEllipsis(const Marked& m, int maxWidth) const {
        Marked r = ellipsisAt(m, maxWidth, [](const std::u32string& t, std::size_t e) {
            return e > 0 && !isBlank(t[e - 1]) && (e == t.size() || isBlank(t[e]));
        });
        return r.text.size() > 3 || m.text.empty() ? r : endEllipsis(m, maxWidth);
    }

    Marked pathEllipsis(const Marked& m, int maxWidth) const {
        std::size_t sep = m.text.find_last_of(U"\\/");
        if (sep == std::u32string::npos || sep == 0) return endEllipsis(m, maxWidth);
        std::u32string tail = m.text.substr(sep);
        const int room = maxWidth - width(std::u32string(kEllipsis) + tail);
        if (room >= 0) {
            Marked head{m.text.substr(0, sep), m.underline < int(sep) ? m.underline : -1};
            std::size_t k = longestPrefix(head.text, room, [](const std::u32string&, std::size_t) { return true; });
            while (k > 0 && width(head.text.substr(0, k) + kEllipsis + tail) > maxWidth)
                k = previousGraphemeBoundary(head.text, k);
            if (k > 0 || width(std::u32string(kEllipsis) + tail) <= maxWidth) {
                Marked r = cut(m, k, tail);
                if (m.underline >= int(sep)) r.underline = int(k + 3) + (m.underline - int(sep));
                return r;
            }
        }
        Marked rest{kEllipsis + tail, -1};
        return endEllipsis(rest, maxWidth);
    }

private:
    // The longest prefix of `text` at a grapheme boundary accepted by `ok` whose advances add up
    // to at most `room` (0 when none).
    template <typename Ok>
    std::size_t longestPrefix(const std::u32string& text, int room, Ok ok) const {
        const std::size_t shown = std::min(text.size(), visiblePrefix(text, room));
        const std::u32string_view head = std::u32string_view(text).substr(0, shown);
        const std::vector<long long> sums = prefixSums(shapedLogicalAdvances(font_, head, direction_));
        std::size_t best = 0;
        for (std::size_t k = nextGraphemeBoundary(head, 0); k <= shown && k > 0; k = nextGraphemeBoundary(head, k)) {
            if (sums[k] > room) break;
            if (ok(text, k)) best = k;
            if (k == shown) break;
        }
        return best;
    }

    // The first k characters and the ellipsis, k as large as fits; the cut is checked against the
    // shaped result and moved back a cluster at a time while it is too wide.
    template <typename Ok>
    Marked ellipsisAt(const Marked& m, int maxWidth, Ok ok) const {
        const int room = maxWidth - width(kEllipsis);
        std::size_t k = room > 0 ? longestPrefix(m.text, room, ok) : 0;
        while (k > 0 && width(m.text.substr(0, k) + kEllipsis) > maxWidth) {
            std::size_t back = previousGraphemeBoundary(m.text, k);
            while (back > 0 && !ok(m.text, back)) back = previousGraphemeBoundary(m.text, back);
            k = back;
        }
        return cut(m, k, U"");
    }

    // The first k characters, the ellipsis and `tail`.
    static Marked cut(const Marked& m, std::size_t k, const std::u32string& tail) {
        Marked r;
        r.text = m.text.substr(0, k) + kEllipsis + tail;
        r.underline = m.underline >= 0 && m.underline < int(k) ? m.underline : -1;
        return r;
    }

    const Font& font_;
    int tabWidth_;
    TextDirection direction_;
};

} // namespace

int measureLine(const Font& font, std::u32string_view text, int tabWidth, TextDirection direction) {
    if (tabWidth <= 0 || text.find(U'\t') == std::u32string_view::npos) return shapedWidth(font, text, direction);
    // Pieces between tabs, each starting at its stop.
    int x = 0, inkRight = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != U'\t') continue;
        const std::u32string_view piece = text.substr(start, i - start);
        if (!piece.empty()) {
            const ShapedTextPtr shaped = shapeText(font, piece, direction);
            inkRight = std::max(inkRight, x + shaped->width());
            x += shaped->advance;
        }
        if (i < text.size()) x = (x / tabWidth + 1) * tabWidth;
        start = i + 1;
    }
    // a glyph reaching past its advance (italic, "f", "y") widens the line by its overhang
    return std::max(x, inkRight);
}

TextLayout layoutText(const Font& font, std::string_view utf8, const Rect& rect, std::uint32_t flags) {
    TextLayout layout;
    const TextMetrics& tm = font.metrics();
    if (flags & DT_TABSTOP) {
        int chars = int((flags >> 8) & 0xFF);
        layout.tabWidth = (chars ? chars : 8) * tm.aveCharWidth;
        flags &= ~std::uint32_t(0xFF00);
    } else {
        layout.tabWidth = 8 * tm.aveCharWidth;
    }
    layout.expandTabs = (flags & DT_EXPANDTABS) != 0;
    const int tabWidth = layout.expandTabs ? layout.tabWidth : 0;
    layout.lineHeight = tm.height + ((flags & DT_EXTERNALLEADING) ? tm.externalLeading : 0);
    const int lh = layout.lineHeight;
    const bool singleLine = flags & DT_SINGLELINE;
    const bool calc = flags & DT_CALCRECT;
    const int maxWidth = rect.width();

    std::u32string raw = decodeUtf8(utf8);
    Marked all = (flags & DT_NOPREFIX) ? Marked{raw, -1} : removePrefixes(raw, !(flags & DT_HIDEPREFIX));
    if (all.text.empty()) {
        layout.bounds = {rect.left, rect.top, rect.left, rect.top};
        return layout;
    }
    const TextDirection direction = (flags & DT_RTLREADING) ? TextDirection::RightToLeft : TextDirection::Auto;
    Layouter lay(font, tabWidth, direction);

    // Paragraphs, then lines.
    std::vector<Span> paragraphs;
    if (singleLine) {
        paragraphs.push_back({0, all.text.size()});
    } else {
        std::size_t s = 0;
        for (std::size_t i = 0; i <= all.text.size(); ++i) {
            if (i == all.text.size()) {
                paragraphs.push_back({s, i});
                break;
            }
            if (all.text[i] == U'\r' || all.text[i] == U'\n') {
                paragraphs.push_back({s, i});
                if (all.text[i] == U'\r' && i + 1 < all.text.size() && all.text[i + 1] == U'\n') ++i;
                s = i + 1;
            }
        }
    }
    std::vector<Span> spans;
    const bool wordBreak = (flags & DT_WORDBREAK) && !singleLine;
    for (const Span& p : paragraphs) {
        if (wordBreak) lay.wrap(all.text, p, maxWidth, (flags & DT_EDITCONTROL) != 0, spans);
        else spans.push_back(p);
    }

    auto marked = [&](Span s) {
        Marked m{all.text.substr(s.start, s.end - s.start), -1};
        if (all.underline >= int(s.start) && all.underline < int(s.end)) m.underline = all.underline - int(s.start);
        return m;
    };
    std::vector<Marked> lines;
    for (const Span& s : spans) lines.push_back(marked(s));

    const bool ellipsis = !calc && (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS));
    auto ellipsize = [&](const Marked& m, bool allowPath) {
        if (flags & DT_END_ELLIPSIS) return lay.endEllipsis(m, maxWidth);
        if (allowPath && (flags & DT_PATH_ELLIPSIS)) return lay.pathEllipsis(m, maxWidth);
        if (flags & DT_WORD_ELLIPSIS) return lay.wordEllipsis(m, maxWidth);
        return lay.endEllipsis(m, maxWidth);
    };

    // Text taller than the rectangle: with word break the last line that fits carries the rest.
    if (!calc && !singleLine && lines.size() > 1 && int(lines.size()) * lh > rect.height()) {
        std::size_t fitting = std::size_t(std::max(1, rect.height() / std::max(1, lh)));
        bool partialLast = int(lines.size()) * lh > rect.height() && rect.height() % std::max(1, lh) != 0;
        if (wordBreak && (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))) {
            std::size_t last = fitting - 1;
            Marked rest = marked({spans[last].start, all.text.size()});
            for (char32_t& c : rest.text)
                if (c == U'\r' || c == U'\n') c = U' ';
            lines.resize(fitting);
            lines[last] = lay.wider(rest.text, maxWidth) ? ellipsize(rest, false) : rest;
        } else if ((flags & DT_EDITCONTROL) && partialLast && fitting < lines.size()) {
            lines.resize(fitting);
        }
    }

    int align = int(flags & 3);
    std::vector<bool> rightToLeft(lines.size());
    std::vector<ShapedTextPtr> shaped(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Marked& m = lines[i];
        rightToLeft[i] = direction == TextDirection::RightToLeft || startsRightToLeft(m.text);
        shaped[i] = lay.shapedLine(m.text);
        if (ellipsis && (shaped[i] ? shaped[i]->width() > maxWidth : lay.wider(m.text, maxWidth))) {
            m = ellipsize(m, true);
            shaped[i] = lay.shapedLine(m.text);
        } else if (!calc && !(flags & DT_NOCLIP) && m.text.size() > kShapingChunk) {
            // A long line clipped to the rectangle: when it starts at the side where its reading
            // starts, only the part that can show is kept (shaping the rest would change nothing).
            const bool mirrored = (flags & DT_RTLREADING) || ((flags & DT_ALIGN_BY_READING) && rightToLeft[i] && align == 0);
            const int lineAlign = mirrored ? (align == 0 ? 2 : (align == 2 ? 0 : align)) : align;
            if ((lineAlign == 0 && !rightToLeft[i]) || (lineAlign == 2 && rightToLeft[i])) {
                const std::size_t keep = lay.visiblePrefix(m.text, maxWidth);
                if (keep < m.text.size()) {
                    m.text.resize(keep);
                    shaped[i] = lay.shapedLine(m.text);
                    if (m.underline >= int(keep)) m.underline = -1;
                }
            }
        }
    }

    // Placement.
    int total = int(lines.size()) * lh;
    int top = rect.top;
    if (!calc) {
        if (flags & DT_BOTTOM) top = rect.bottom - total;
        else if (flags & DT_VCENTER) top = rect.top + (rect.height() - total) / 2;
    }
    Rect bounds{};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        TextLine line;
        line.text = std::move(lines[i].text);
        line.underlineIndex = lines[i].underline;
        line.rightToLeft = rightToLeft[i];
        line.shaped = std::move(shaped[i]);
        line.width = line.shaped ? line.shaped->width() : lay.width(line.text);
        line.y = top + int(i) * lh;
        int lineAlign = align;
        const bool mirrored = (flags & DT_RTLREADING) || ((flags & DT_ALIGN_BY_READING) && line.rightToLeft && align == 0);
        if (mirrored) lineAlign = align == 0 ? 2 : (align == 2 ? 0 : align);
        if (calc || lineAlign == 0) line.x = rect.left;
        else if (lineAlign == 1) line.x = rect.left + (maxWidth - line.width) / 2;
        else line.x = rect.right - line.width;
        layout.maxWidth = std::max(layout.maxWidth, line.width);
        bounds = unite(bounds, Rect{line.x, line.y, line.x + std::max(line.width, 1), line.y + lh});
        layout.lines.push_back(std::move(line));
    }
    layout.bounds = bounds;
    return layout;
}

namespace {
TextDirection lineDirection(const TextLine& line) {
    return line.rightToLeft ? TextDirection::RightToLeft : TextDirection::LeftToRight;
}
} // namespace

int drawText(DeviceContext& dc, std::string_view utf8, const Rect& rect, std::uint32_t flags) {
    Rect r = rect;
    return drawText(dc, utf8, r, flags);
}

int drawText(DeviceContext& dc, std::string_view utf8, Rect& rect, std::uint32_t flags) {
    const Font& font = dc.font();
    TextLayout layout = layoutText(font, utf8, rect, flags);
    if (flags & DT_TABSTOP) flags &= ~std::uint32_t(0xFF00);
    int total = int(layout.lines.size()) * layout.lineHeight;
    if (flags & DT_CALCRECT) {
        rect.right = rect.left + layout.maxWidth;
        rect.bottom = rect.top + total;
        return total;
    }
    if (layout.lines.empty()) return 0;
    const Rect* clip = (flags & DT_NOCLIP) ? nullptr : &rect;
    const int ascent = font.metrics().ascent;
    const int tabWidth = layout.expandTabs ? layout.tabWidth : 0;
    for (const TextLine& line : layout.lines) {
        if (dc.bkMode() == BackgroundMode::Opaque && line.width > 0) {
            Rect box{line.x, line.y, line.x + line.width, line.y + layout.lineHeight};
            if (clip) box = intersect(box, *clip);
            dc.fillRect(box, dc.bkColor());
        }
        int base = line.y + ascent;
        if (line.shaped) {
            const std::size_t ul = line.underlineIndex >= 0 ? std::size_t(line.underlineIndex) : 0;
            dc.drawShapedText(line.x, base, *line.shaped, clip, ul, line.underlineIndex >= 0 ? ul + 1 : 0);
            continue;
        }
        if (tabWidth <= 0) {
            dc.drawTextRun(line.x, base, line.text, clip, line.underlineIndex, lineDirection(line));
            continue;
        }
        // Draw the pieces between tabs at their stops.
        std::size_t segStart = 0;
        int x = 0;
        for (std::size_t i = 0; i <= line.text.size(); ++i) {
            if (i < line.text.size() && line.text[i] != U'\t') continue;
            std::u32string_view seg(line.text.data() + segStart, i - segStart);
            int ul = line.underlineIndex - int(segStart);
            x += dc.drawTextRun(line.x + x, base, seg, clip, ul >= 0 && ul < int(seg.size()) ? ul : -1, lineDirection(line));
            if (i < line.text.size()) x = (x / tabWidth + 1) * tabWidth;
            segStart = i + 1;
        }
    }
    return layout.lines.back().y + layout.lineHeight - rect.top;
}

} // namespace lattix::gfx

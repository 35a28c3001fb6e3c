#include "platform/gfx/shaped_text.h"

#include "platform/gfx/grapheme.h"

#include <hb.h>

#include <algorithm>
#include <string>
#include <unordered_map>

namespace lattix::gfx {

namespace {

// ---- itemizing ----

bool isControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0); }

// Characters that belong with the character before them, whatever face has them.
bool staysWithBase(char32_t c) {
    if (c < 0x300) return false;
    if (c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF) ||
        (c >= 0x1F3FB && c <= 0x1F3FF))
        return true;
    switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK: return true;
    default: return false;
    }
}

hb_script_t scriptOf(char32_t c) {
    if (c < 0x80) {
        const bool letter = (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
        return letter ? HB_SCRIPT_LATIN : HB_SCRIPT_COMMON;
    }
    return hb_unicode_script(hb_unicode_funcs_get_default(), c);
}

bool isNeutralScript(hb_script_t s) {
    return s == HB_SCRIPT_COMMON || s == HB_SCRIPT_INHERITED || s == HB_SCRIPT_UNKNOWN;
}

struct Item {
    std::size_t start, end;
    std::uint16_t face;
    hb_script_t script;
};

// Splits text[start, end) into runs of one face and script, in logical order.
void itemize(const Font& font, std::u32string_view text, std::size_t start, std::size_t end, std::vector<Item>& out) {
    hb_script_t current = HB_SCRIPT_COMMON;
    for (std::size_t i = start; i < end && isNeutralScript(current); ++i) current = scriptOf(text[i]);
    std::uint16_t face = 0;
    std::size_t itemStart = start;
    for (std::size_t i = start; i < end; ++i) {
        const char32_t c = text[i];
        std::uint16_t f = face;
        hb_script_t s = current;
        if (i == start || !staysWithBase(c)) {
            f = isControl(c) ? face : font.faceFor(c);
            const hb_script_t own = scriptOf(c);
            if (!isNeutralScript(own)) s = own;
        }
        if (i > start && (f != face || s != current)) {
            out.push_back({itemStart, i, face, current});
            itemStart = i;
        }
        face = f;
        current = s;
    }
    if (itemStart < end) out.push_back({itemStart, end, face, current});
}

// ---- shaping one piece ----

struct Pen {
    hb_position_t x = 0; // 26.6
};

int round26(hb_position_t v) { return int((v + 32) >> 6); }

void shapeItem(const Font& font, hb_buffer_t* buffer, const std::u32string& text, const Item& item, bool rtl,
               Pen& pen, ShapedText& out) {
    hb_buffer_clear_contents(buffer);
    hb_buffer_add_utf32(buffer, reinterpret_cast<const std::uint32_t*>(text.data()), int(text.size()),
                        unsigned(item.start), int(item.end - item.start));
    hb_buffer_set_direction(buffer, rtl ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, item.script);
    hb_buffer_set_language(buffer, hb_language_get_default());
    hb_shape(font.shapingFont(item.face), buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, nullptr);
    const int embolden = font.emboldenAdvance(item.face);
    for (unsigned k = 0; k < count; ++k) {
        ShapedGlyph g;
        g.index = info[k].codepoint;
        g.face = item.face;
        g.rightToLeft = rtl;
        g.cluster = info[k].cluster;
        g.x = round26(pen.x + pos[k].x_offset);
        g.y = round26(pos[k].y_offset);
        hb_position_t adv = pos[k].x_advance;
        if (adv != 0) adv += embolden;
        const int penBefore = round26(pen.x);
        pen.x += adv;
        g.advance = round26(pen.x) - penBefore;
        if (g.cluster < text.size() && isControl(text[g.cluster])) g.advance = 0, g.face = kNoFace;
        out.glyphs.push_back(g);
    }
}

// Shapes one piece (at most a chunk) as a line of its own.
ShapedText shapePiece(const Font& font, std::u32string_view view, TextDirection direction) {
    ShapedText out;
    out.length = view.size();
    if (view.empty()) {
        out.rightToLeft = direction == TextDirection::RightToLeft;
        return out;
    }
    std::u32string text(view);
    for (char32_t& c : text)
        if (isControl(c)) c = 0x200B; // shaped as an invisible character of no width
    const BidiLine line = resolveBidiLine(text, direction);
    out.rightToLeft = line.rightToLeft;
    static thread_local std::unique_ptr<hb_buffer_t, void (*)(hb_buffer_t*)> owned(hb_buffer_create(), hb_buffer_destroy);
    hb_buffer_t* buffer = owned.get();
    Pen pen;
    std::vector<Item> items;
    for (const BidiRun& run : line.runs) {
        items.clear();
        itemize(font, text, run.start, run.start + run.length, items);
        if (run.rightToLeft) std::reverse(items.begin(), items.end());
        for (const Item& item : items) shapeItem(font, buffer, text, item, run.rightToLeft, pen, out);
    }
    out.advance = round26(pen.x);
    for (const ShapedGlyph& g : out.glyphs) {
        if (g.face == kNoFace) continue;
        const Glyph& gl = font.glyphByIndex(g.face, g.index);
        if (gl.width > 0) out.inkRight = std::max(out.inkRight, g.x + gl.left + gl.width);
    }
    return out;
}

// ---- the cache ----

struct CacheKey {
    const Font* font;
    TextDirection direction;
    std::u32string text;
    bool operator==(const CacheKey& o) const { return font == o.font && direction == o.direction && text == o.text; }
};

struct CacheKeyView {
    const Font* font;
    TextDirection direction;
    std::u32string_view text;
};

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(const CacheKey& k) const { return hash(k.font, k.direction, k.text); }
    std::size_t operator()(const CacheKeyView& k) const { return hash(k.font, k.direction, k.text); }
    static std::size_t hash(const Font* f, TextDirection d, std::u32string_view t) {
        return std::hash<std::u32string_view>()(t) ^ (std::hash<const void*>()(f) * 31 + std::size_t(d));
    }
};

struct KeyEqual {
    using is_transparent = void;
    bool operator()(const CacheKey& a, const CacheKey& b) const { return a == b; }
    bool operator()(const CacheKeyView& a, const CacheKey& b) const {
        return a.font == b.font && a.direction == b.direction && a.text == b.text;
    }
    bool operator()(const CacheKey& a, const CacheKeyView& b) const { return (*this)(b, a); }
};

// The cache of one thread (drawing runs on the thread that owns the window, so lookups take no
// lock). Entries carry the time of their last use; when the cache is over its bounds the older
// half goes at once, so each lookup and addition costs constant time on average.
class ShapingCache {
public:
    static constexpr std::size_t kMaxGlyphs = std::size_t(1) << 21;
    static constexpr std::size_t kMaxEntries = 32768;

    ShapedTextPtr find(const Font& font, std::u32string_view text, TextDirection d) {
        auto it = map_.find(CacheKeyView{&font, d, text});
        if (it == map_.end()) {
            ++misses_;
            return nullptr;
        }
        ++hits_;
        it->second.lastUse = ++clock_;
        return it->second.value;
    }

    void add(const Font& font, std::u32string_view text, TextDirection d, const ShapedTextPtr& value) {
        auto [it, added] = map_.try_emplace(CacheKey{&font, d, std::u32string(text)}, Entry{value, ++clock_});
        if (!added) return;
        glyphs_ += value->glyphs.size();
        if (glyphs_ > kMaxGlyphs || map_.size() > kMaxEntries) evictOlderHalf();
    }

    ShapingCacheStats stats() const { return {map_.size(), glyphs_, hits_, misses_}; }

    void clear() {
        map_.clear();
        glyphs_ = hits_ = misses_ = 0;
    }

private:
    struct Entry {
        ShapedTextPtr value;
        std::uint64_t lastUse = 0;
    };

    void evictOlderHalf() {
        std::vector<std::uint64_t> uses;
        uses.reserve(map_.size());
        for (const auto& [key, entry] : map_) uses.push_back(entry.lastUse);
        auto middle = uses.begin() + std::ptrdiff_t(uses.size() / 2);
        std::nth_element(uses.begin(), middle, uses.end());
        const std::uint64_t cutoff = *middle;
        for (auto it = map_.begin(); it != map_.end();) {
            // The newest entry always stays: it is what the caller is about to use.
            if (it->second.lastUse < cutoff && it->second.lastUse != clock_) {
                glyphs_ -= it->second.value->glyphs.size();
                it = map_.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::unordered_map<CacheKey, Entry, KeyHash, KeyEqual> map_;
    std::size_t glyphs_ = 0, hits_ = 0, misses_ = 0;
    std::uint64_t clock_ = 0;
};

ShapingCache& cache() {
    static thread_local ShapingCache c;
    return c;
}

ShapedTextPtr shapeCached(const Font& font, std::u32string_view text, TextDirection direction) {
    if (ShapedTextPtr hit = cache().find(font, text, direction)) return hit;
    auto shaped = std::make_shared<const ShapedText>(shapePiece(font, text, direction));
    cache().add(font, text, direction, shaped);
    return shaped;
}

// The end of the piece that starts at `start`: about kShapingChunk characters, after a blank
// when there is one near the end, never inside a grapheme cluster.
std::size_t pieceEnd(std::u32string_view text, std::size_t start) {
    if (text.size() - start <= kShapingChunk) return text.size();
    std::size_t end = start + kShapingChunk;
    for (std::size_t i = end; i > end - 128; --i)
        if (text[i - 1] == U' ') return i;
    end = graphemeFloor(text, end);
    return end > start ? end : nextGraphemeBoundary(text, start);
}

TextDirection paragraphDirection(std::u32string_view text, TextDirection direction) {
    if (direction != TextDirection::Auto) return direction;
    return startsRightToLeft(text) ? TextDirection::RightToLeft : TextDirection::LeftToRight;
}

template <typename Visit>
void forEachPiece(const Font& font, std::u32string_view text, TextDirection direction, Visit visit) {
    const TextDirection d = paragraphDirection(text, direction);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = pieceEnd(text, start);
        if (!visit(start, shapeCached(font, text.substr(start, end - start), d))) return;
        start = end;
    }
}

} // namespace

// ---- ShapedText ----

namespace {

struct ClusterBox {
    std::size_t start;
    int left, right;
    bool rtl;
};

// The clusters of a shaped text with their boxes, in logical order.
std::vector<ClusterBox> clusterBoxes(const ShapedText& t) {
    std::vector<ClusterBox> boxes;
    boxes.reserve(t.glyphs.size());
    for (const ShapedGlyph& g : t.glyphs) {
        const int left = std::min(g.x, g.x + g.advance), right = std::max(g.x, g.x + g.advance);
        boxes.push_back({g.cluster, left, right, g.rightToLeft});
    }
    std::stable_sort(boxes.begin(), boxes.end(), [](const ClusterBox& a, const ClusterBox& b) { return a.start < b.start; });
    std::vector<ClusterBox> merged;
    for (const ClusterBox& b : boxes) {
        if (!merged.empty() && merged.back().start == b.start) {
            merged.back().left = std::min(merged.back().left, b.left);
            merged.back().right = std::max(merged.back().right, b.right);
        } else {
            merged.push_back(b);
        }
    }
    return merged;
}

} // namespace

int ShapedText::caretX(std::size_t pos) const {
    const std::vector<ClusterBox> boxes = clusterBoxes(*this);
    if (boxes.empty()) return rightToLeft ? advance : 0;
    pos = std::min(pos, length);
    if (pos >= length) {
        const ClusterBox& last = boxes.back();
        return last.rtl ? last.left : last.right;
    }
    auto it = std::upper_bound(boxes.begin(), boxes.end(), pos,
                               [](std::size_t p, const ClusterBox& b) { return p < b.start; });
    if (it == boxes.begin()) return rightToLeft ? advance : 0;
    const ClusterBox& b = *(it - 1);
    const std::size_t end = it == boxes.end() ? length : it->start;
    const int width = b.right - b.left;
    const int share = end > b.start ? int(std::int64_t(width) * std::int64_t(pos - b.start) / std::int64_t(end - b.start)) : 0;
    return b.rtl ? b.right - share : b.left + share;
}

std::size_t ShapedText::positionAt(int x) const {
    std::size_t best = 0;
    int bestDistance = std::abs(x - caretX(0));
    const std::vector<ClusterBox> boxes = clusterBoxes(*this);
    auto consider = [&](std::size_t pos, int cx) {
        const int d = std::abs(x - cx);
        if (d < bestDistance) best = pos, bestDistance = d;
    };
    for (const ClusterBox& b : boxes) consider(b.start, b.rtl ? b.right : b.left);
    consider(length, caretX(length));
    return best;
}

std::vector<std::pair<int, int>> ShapedText::spans(std::size_t from, std::size_t to) const {
    std::vector<std::pair<int, int>> out;
    if (from >= to) return out;
    const std::vector<ClusterBox> boxes = clusterBoxes(*this);
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        const ClusterBox& b = boxes[k];
        const std::size_t end = k + 1 < boxes.size() ? boxes[k + 1].start : length;
        if (end <= from || b.start >= to) continue;
        out.emplace_back(b.left, b.right);
    }
    std::sort(out.begin(), out.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& s : out) {
        if (!merged.empty() && s.first <= merged.back().second) merged.back().second = std::max(merged.back().second, s.second);
        else merged.push_back(s);
    }
    return merged;
}

void ShapedText::appendLogicalAdvances(std::vector<int>& out) const {
    const std::size_t base = out.size();
    out.resize(base + length, 0);
    for (const ShapedGlyph& g : glyphs)
        if (g.cluster < length) out[base + g.cluster] += g.advance;
}

// ---- the shaping calls ----

ShapedTextPtr shapeText(const Font& font, std::u32string_view text, TextDirection direction) {
    if (text.size() <= kShapingChunk) return shapeCached(font, text, direction);
    if (ShapedTextPtr hit = cache().find(font, text, direction)) return hit;
    // A long text: its pieces side by side, the first on the paragraph's starting side.
    auto whole = std::make_shared<ShapedText>();
    whole->length = text.size();
    whole->rightToLeft = paragraphDirection(text, direction) == TextDirection::RightToLeft;
    std::vector<std::pair<std::size_t, ShapedTextPtr>> pieces;
    forEachPiece(font, text, direction, [&](std::size_t start, const ShapedTextPtr& piece) {
        pieces.emplace_back(start, piece);
        return true;
    });
    if (whole->rightToLeft) std::reverse(pieces.begin(), pieces.end());
    int x = 0;
    for (const auto& [start, piece] : pieces) {
        for (ShapedGlyph g : piece->glyphs) {
            g.x += x;
            g.cluster += std::uint32_t(start);
            whole->glyphs.push_back(g);
        }
        whole->inkRight = std::max(whole->inkRight, x + piece->inkRight);
        x += piece->advance;
    }
    whole->advance = x;
    cache().add(font, text, direction, whole);
    return whole;
}

namespace {

// The pen advance and the drawn width (ShapedText::width) of a text, from its pieces in one pass.
std::pair<int, int> advanceAndWidth(const Font& font, std::u32string_view text, TextDirection direction) {
    if (text.size() <= kShapingChunk) {
        const ShapedTextPtr shaped = shapeCached(font, text, direction);
        return {shaped->advance, shaped->width()};
    }
    // Pieces side by side: the ink overhang that counts is the rightmost piece's.
    int advance = 0, ink = 0;
    const bool rtl = paragraphDirection(text, direction) == TextDirection::RightToLeft;
    forEachPiece(font, text, direction, [&](std::size_t, const ShapedTextPtr& p) {
        const ShapedText& piece = *p;
        if (rtl) ink = std::max(ink - piece.advance, piece.inkRight - piece.advance) + piece.advance;
        else ink = std::max(ink, advance + piece.inkRight);
        advance += piece.advance;
        return true;
    });
    return {advance, std::max(advance, ink)};
}

} // namespace

int shapedAdvance(const Font& font, std::u32string_view text, TextDirection direction) {
    return advanceAndWidth(font, text, direction).first;
}

int shapedWidth(const Font& font, std::u32string_view text, TextDirection direction) {
    return advanceAndWidth(font, text, direction).second;
}

std::vector<int> shapedLogicalAdvances(const Font& font, std::u32string_view text, TextDirection direction) {
    std::vector<int> out;
    out.reserve(text.size());
    forEachPiece(font, text, direction, [&](std::size_t, const ShapedTextPtr& p) {
        const ShapedText& piece = *p;
        piece.appendLogicalAdvances(out);
        return true;
    });
    return out;
}

std::size_t shapedPrefixCovering(const Font& font, std::u32string_view text, TextDirection direction, int pixels) {
    if (text.size() <= kShapingChunk) return text.size();
    std::size_t covered = 0;
    int width = 0;
    bool beyond = false;
    forEachPiece(font, text, direction, [&](std::size_t start, const ShapedTextPtr& p) {
        const ShapedText& piece = *p;
        covered = start + piece.length;
        if (beyond) return false; // one whole piece past the edge: joins and kerning settle
        width += piece.advance;
        if (width > pixels) beyond = true;
        return true;
    });
    return covered;
}

ShapingCacheStats shapingCacheStats() { return cache().stats(); }
void clearShapingCache() { cache().clear(); }

} // namespace lattix::gfx

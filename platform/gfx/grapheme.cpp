#include "platform/gfx/grapheme.h"

#include <hb.h>

#include <algorithm>

namespace lattix::gfx {

namespace {

enum class Kind { Other, CR, LF, Control, Extend, ZWJ, RegionalIndicator, SpacingMark, L, V, T, LV, LVT, Pictographic };

bool isPictographic(char32_t c) {
    return (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x2600 && c <= 0x27BF) || (c >= 0x2300 && c <= 0x23FF) ||
           (c >= 0x2B00 && c <= 0x2BFF) || c == 0x00A9 || c == 0x00AE || c == 0x203C || c == 0x2049 ||
           c == 0x2122 || c == 0x2139 || (c >= 0x2194 && c <= 0x21AA) || c == 0x3030 || c == 0x303D ||
           c == 0x3297 || c == 0x3299;
}

Kind kindOf(char32_t c) {
    if (c == U'\r') return Kind::CR;
    if (c == U'\n') return Kind::LF;
    if (c == 0x200D) return Kind::ZWJ;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return Kind::Control;
    if (c < 0x300) return c == 0xA9 || c == 0xAE ? Kind::Pictographic : Kind::Other; // fast path for Latin
    if (c >= 0x1F1E6 && c <= 0x1F1FF) return Kind::RegionalIndicator;
    if (c >= 0x1F3FB && c <= 0x1F3FF) return Kind::Extend; // emoji skin tones
    if ((c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0020 && c <= 0xE007F) || (c >= 0xE0100 && c <= 0xE01EF))
        return Kind::Extend; // variation selectors and emoji tags
    if (c >= 0x1100 && c <= 0x115F) return Kind::L;
    if ((c >= 0xA960 && c <= 0xA97C)) return Kind::L;
    if (c >= 0x1160 && c <= 0x11A7) return Kind::V;
    if (c >= 0xD7B0 && c <= 0xD7C6) return Kind::V;
    if (c >= 0x11A8 && c <= 0x11FF) return Kind::T;
    if (c >= 0xD7CB && c <= 0xD7FB) return Kind::T;
    if (c >= 0xAC00 && c <= 0xD7A3) return (c - 0xAC00) % 28 == 0 ? Kind::LV : Kind::LVT;
    if (isPictographic(c)) return Kind::Pictographic;
    switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK: return Kind::Extend;
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK: return Kind::SpacingMark;
    case HB_UNICODE_GENERAL_CATEGORY_CONTROL:
    case HB_UNICODE_GENERAL_CATEGORY_LINE_SEPARATOR:
    case HB_UNICODE_GENERAL_CATEGORY_PARAGRAPH_SEPARATOR: return Kind::Control;
    case HB_UNICODE_GENERAL_CATEGORY_FORMAT: return c == 0x200C ? Kind::Extend : Kind::Control;
    default: return Kind::Other;
    }
}

} // namespace

bool isGraphemeBoundary(std::u32string_view text, std::size_t pos) {
    if (pos == 0 || pos >= text.size()) return true;
    const Kind a = kindOf(text[pos - 1]), b = kindOf(text[pos]);
    if (a == Kind::CR && b == Kind::LF) return false;
    if (a == Kind::CR || a == Kind::LF || a == Kind::Control) return true;
    if (b == Kind::CR || b == Kind::LF || b == Kind::Control) return true;
    if (a == Kind::L && (b == Kind::L || b == Kind::V || b == Kind::LV || b == Kind::LVT)) return false;
    if ((a == Kind::LV || a == Kind::V) && (b == Kind::V || b == Kind::T)) return false;
    if ((a == Kind::LVT || a == Kind::T) && b == Kind::T) return false;
    if (b == Kind::Extend || b == Kind::ZWJ || b == Kind::SpacingMark) return false;
    if (a == Kind::ZWJ && b == Kind::Pictographic) {
        // Pictographic Extend* ZWJ x Pictographic
        std::size_t i = pos - 1;
        while (i > 0 && kindOf(text[i - 1]) == Kind::Extend) --i;
        return !(i > 0 && kindOf(text[i - 1]) == Kind::Pictographic);
    }
    if (a == Kind::RegionalIndicator && b == Kind::RegionalIndicator) {
        // Flags pair up: break only after an even number of indicators.
        std::size_t count = 0;
        for (std::size_t i = pos; i > 0 && kindOf(text[i - 1]) == Kind::RegionalIndicator; --i) ++count;
        return count % 2 == 0;
    }
    return true;
}

std::size_t nextGraphemeBoundary(std::u32string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    ++pos;
    while (pos < text.size() && !isGraphemeBoundary(text, pos)) ++pos;
    return pos;
}

std::size_t previousGraphemeBoundary(std::u32string_view text, std::size_t pos) {
    if (pos == 0) return 0;
    pos = std::min(pos, text.size()) - 1;
    while (pos > 0 && !isGraphemeBoundary(text, pos)) --pos;
    return pos;
}

std::size_t graphemeFloor(std::u32string_view text, std::size_t pos) {
    if (pos >= text.size()) return text.size();
    while (pos > 0 && !isGraphemeBoundary(text, pos)) --pos;
    return pos;
}

} // namespace lattix::gfx

#include "platform/gfx/bidi.h"

#include <fribidi.h>

#include <algorithm>

namespace lattix::gfx {

namespace {

bool mayBeRightToLeft(char32_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF) ||
           (c >= 0x10800 && c <= 0x10FFF) || (c >= 0x1E800 && c <= 0x1EFFF);
}

} // namespace

bool needsBidi(std::u32string_view text) {
    return std::any_of(text.begin(), text.end(), mayBeRightToLeft);
}

bool startsRightToLeft(std::u32string_view text) {
    for (char32_t c : text) {
        const FriBidiCharType t = fribidi_get_bidi_type(FriBidiChar(c));
        if (FRIBIDI_IS_LETTER(t) && FRIBIDI_IS_STRONG(t)) return FRIBIDI_IS_RTL(t);
    }
    return false;
}

BidiLine resolveBidiLine(std::u32string_view text, TextDirection direction) {
    BidiLine line;
    const bool forcedRtl = direction == TextDirection::RightToLeft;
    if (text.empty()) {
        line.rightToLeft = forcedRtl;
        return line;
    }
    if (!forcedRtl && !needsBidi(text)) {
        line.runs.push_back({0, text.size(), false});
        return line;
    }
    const std::size_t n = text.size();
    std::vector<FriBidiCharType> types(n);
    std::vector<FriBidiBracketType> brackets(n);
    std::vector<FriBidiLevel> levels(n);
    const auto* chars = reinterpret_cast<const FriBidiChar*>(text.data());
    fribidi_get_bidi_types(chars, FriBidiStrIndex(n), types.data());
    fribidi_get_bracket_types(chars, FriBidiStrIndex(n), types.data(), brackets.data());
    FriBidiParType base = direction == TextDirection::Auto ? FRIBIDI_PAR_ON
                          : forcedRtl                      ? FRIBIDI_PAR_RTL
                                                           : FRIBIDI_PAR_LTR;
    if (fribidi_get_par_embedding_levels_ex(types.data(), brackets.data(), FriBidiStrIndex(n), &base, levels.data()) == 0) {
        line.rightToLeft = forcedRtl;
        line.runs.push_back({0, n, forcedRtl});
        return line;
    }
    line.rightToLeft = FRIBIDI_IS_RTL(base);
    const FriBidiLevel paragraph = line.rightToLeft ? 1 : 0;
    // Blanks at the end of the line take the paragraph's level.
    for (std::size_t i = n; i > 0; --i) {
        const FriBidiCharType t = types[i - 1];
        if (!(FRIBIDI_IS_SPACE(t) || FRIBIDI_IS_EXPLICIT_OR_BN(t) || t == FRIBIDI_TYPE_WS)) break;
        levels[i - 1] = paragraph;
    }
    // Runs of one level in logical order, then each sequence at a level or above reversed, from
    // the highest level down to the lowest odd one.
    struct LevelRun {
        BidiRun run;
        FriBidiLevel level;
    };
    std::vector<LevelRun> runs;
    FriBidiLevel highest = 0, lowestOdd = 255;
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && levels[j] == levels[i]) ++j;
        runs.push_back({{i, j - i, (levels[i] & 1) != 0}, levels[i]});
        highest = std::max(highest, levels[i]);
        if (levels[i] & 1) lowestOdd = std::min(lowestOdd, levels[i]);
        i = j;
    }
    for (int level = highest; level >= int(lowestOdd) && level > 0; --level) {
        for (std::size_t i = 0; i < runs.size();) {
            if (runs[i].level < level) {
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < runs.size() && runs[j].level >= level) ++j;
            std::reverse(runs.begin() + std::ptrdiff_t(i), runs.begin() + std::ptrdiff_t(j));
            i = j;
        }
    }
    line.runs.reserve(runs.size());
    for (const LevelRun& r : runs) line.runs.push_back(r.run);
    return line;
}

} // namespace lattix::gfx

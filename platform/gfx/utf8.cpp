#include "platform/gfx/utf8.h"

namespace lattix::gfx {

std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, cp = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, cp = b & 0x0F;
            if (b == 0xE0) low = 0xA0;      // no overlong forms
            else if (b == 0xED) high = 0x9F; // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, cp = b & 0x07;
            if (b == 0xF0) low = 0x90;
            else if (b == 0xF4) high = 0x8F; // nothing above U+10FFFF
        } else {
            out.push_back(kReplacementCharacter); // a stray continuation or a byte never used
            ++i;
            continue;
        }
        // The longest start of a valid sequence is replaced by one U+FFFD; the byte that broke it
        // is read again on its own.
        int k = 1;
        for (; k <= extra && i + std::size_t(k) < s.size(); ++k) {
            const unsigned char c = static_cast<unsigned char>(s[i + std::size_t(k)]);
            const unsigned char lo = k == 1 ? low : 0x80, hi = k == 1 ? high : 0xBF;
            if (c < lo || c > hi) break;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (k <= extra) {
            out.push_back(kReplacementCharacter);
            i += std::size_t(k);
            continue;
        }
        out.push_back(cp);
        i += std::size_t(extra) + 1;
    }
    return out;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace lattix::gfx

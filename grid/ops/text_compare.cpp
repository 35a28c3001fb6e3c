#include "grid/ops/text_compare.h"

#include <cstdint>
#include <cstring>

namespace lattix {

namespace {

char32_t foldCodePoint(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x100 && c <= 0x137) return c | 1;                       // pairs: even upper, odd lower
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;          // pairs: odd upper, even lower
    if (c >= 0x14A && c <= 0x177) return c | 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;         // Greek capitals
    if (c >= 0x400 && c <= 0x40F) return c + 80;                       // Cyrillic capitals with marks
    if (c >= 0x410 && c <= 0x42F) return c + 32;                       // Cyrillic capitals
    return c;
}

// Decodes one code point at s[i]; an invalid sequence yields the byte itself (as 0xDC00 + byte,
// outside the letters, so it never folds) and advances one byte.
char32_t decode(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    auto cont = [&](size_t k) { return k < s.size() && (static_cast<unsigned char>(s[k]) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF && cont(i + 1)) {
        char32_t c = ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
        i += 2;
        return c;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && cont(i + 1) && cont(i + 2)) {
        char32_t c = ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                     (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
        if (c >= 0x800) {
            i += 3;
            return c;
        }
    }
    if (b0 >= 0xF0 && b0 <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
        char32_t c = ((b0 & 0x07u) << 18) | ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 12) |
                     ((static_cast<unsigned char>(s[i + 2]) & 0x3Fu) << 6) | (static_cast<unsigned char>(s[i + 3]) & 0x3Fu);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            i += 4;
            return c;
        }
    }
    ++i;
    return 0x110000 + b0; // beyond every code point: an invalid byte sorts after all characters
}

void encode(char32_t c, std::string& out) {
    if (c >= 0x110000) {
        out.push_back(static_cast<char>(c - 0x110000));
        return;
    }
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

int sign(int v) { return (v > 0) - (v < 0); }

} // namespace

int CompareTextUseCase(std::string_view a, std::string_view b) {
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    if (int c = n ? std::memcmp(a.data(), b.data(), n) : 0) return sign(c);
    return (a.size() > b.size()) - (a.size() < b.size());
}

int CompareTextNoCase(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        char32_t x, y;
        if (ca < 0x80 && cb < 0x80) {
            x = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
            y = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
            ++i;
            ++j;
        } else {
            x = foldCodePoint(decode(a, i));
            y = foldCodePoint(decode(b, j));
        }
        if (x != y) return x < y ? -1 : 1;
    }
    const bool aLeft = i < a.size(), bLeft = j < b.size();
    return aLeft - bLeft;
}

std::string FoldCase(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c));
            ++i;
        } else {
            encode(foldCodePoint(decode(s, i)), out);
        }
    }
    return out;
}

} // namespace lattix

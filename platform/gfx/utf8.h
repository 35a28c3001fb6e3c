#pragma once
// UTF-8 decoding and encoding for text drawing. Bytes that do not form valid UTF-8 show as one
// U+FFFD replacement character for each longest broken start of a sequence (the Unicode
// practice), never reading past the end of the text.
#include <string>
#include <string_view>

namespace lattix::gfx {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);

} // namespace lattix::gfx

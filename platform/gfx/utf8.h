#pragma once
// UTF-8 decoding and encoding for text drawing. Bytes that do not form valid UTF-8 are taken as
// Latin-1 characters, so texts from old files still show.
#include <string>
#include <string_view>

namespace lattix::gfx {

std::u32string decodeUtf8(std::string_view text);
std::string encodeUtf8(std::u32string_view text);

} // namespace lattix::gfx

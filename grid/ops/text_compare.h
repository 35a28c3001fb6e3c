// Text comparison for sorting: by character codes, or without regard to case.
//
// Texts are UTF-8. Comparing the bytes of two UTF-8 texts orders them by their character codes, so
// the case-sensitive comparison is a plain byte comparison. The case-insensitive one compares the
// lower-case forms: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters are folded; other
// characters compare by their codes. Bytes that are not valid UTF-8 compare as themselves.
#pragma once

#include <string>
#include <string_view>

namespace lattix {

// -1, 0 or 1.
int CompareTextUseCase(std::string_view a, std::string_view b);
int CompareTextNoCase(std::string_view a, std::string_view b);
// The folded form: CompareTextUseCase(FoldCase(a), FoldCase(b)) == CompareTextNoCase(a, b).
std::string FoldCase(std::string_view s);

} // namespace lattix

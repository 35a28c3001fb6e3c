// The grid library's own product name and version (from the build), as its message boxes and its
// design-time placeholder show them.
#pragma once

#include <string>

namespace lattix {

inline constexpr const char* kLibraryProductName = "Lattix";

// "6.8, build 0000": major and minor number, then the revision as four digits.
std::string LibraryVersionText();

} // namespace lattix

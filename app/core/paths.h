// File names: folders that end at the last "/" or "\", the carcass name split into folder and
// prefix, FileExists, and the lookup of companion files whose name differs only in case.
#pragma once

#include <string>
#include <string_view>

namespace avigram {

// Position of the last "/" or "\" (npos when there is none).
std::size_t LastSeparator(std::string_view path);

struct CarcassName {
    std::string folder; // up to and including the last separator
    std::string prefix; // the part in front of the final 12 characters ("CARCDATA.txt")
};
CarcassName SplitCarcassName(std::string_view name);

// The name under which a file can be opened here: the name itself when it exists, else with "\"
// read as "/", else (when caseInsensitive) a file of the same folder whose name matches ignoring
// case. Empty when none exists.
std::string ResolveFile(std::string_view path, bool caseInsensitive);

// True when the file can be opened for reading.
bool FileExists(std::string_view path);

// A path to write to: "\" read as "/" when the folder exists only that way.
std::string WritablePath(std::string_view path);

// Removes a file; false when it could not be removed.
bool DeleteFile(std::string_view path);

// Joins a folder (with or without its trailing separator) and a file name.
std::string JoinPath(std::string_view folder, std::string_view name);

} // namespace avigram

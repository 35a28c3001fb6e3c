// Path splitting and file lookup for names written with "/" or "\".
#include "app/core/paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace avigram {

namespace fs = std::filesystem;

std::size_t LastSeparator(std::string_view path) {
    return path.find_last_of("/\\");
}

CarcassName SplitCarcassName(std::string_view name) {
    CarcassName result;
    std::size_t sep = LastSeparator(name);
    std::size_t start = sep == std::string_view::npos ? 0 : sep + 1;
    result.folder = std::string(name.substr(0, start));
    std::size_t rest = name.size() - start;
    if (rest > 12) result.prefix = std::string(name.substr(start, rest - 12));
    return result;
}

namespace {

bool IsReadableFile(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

std::string Slashed(std::string_view path) {
    std::string s(path);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

std::string ResolveFile(std::string_view path, bool caseInsensitive) {
    std::string exact(path);
    if (IsReadableFile(exact)) return exact;
    std::string slashed = Slashed(path);
    if (IsReadableFile(slashed)) return slashed;
    if (!caseInsensitive || slashed.empty()) return {};
    std::size_t sep = slashed.rfind('/');
    std::string folder = sep == std::string::npos ? std::string(".") : slashed.substr(0, sep + 1);
    std::string name = sep == std::string::npos ? slashed : slashed.substr(sep + 1);
    if (name.empty()) return {};
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return {};
    std::string found;
    for (const auto& entry : it) {
        std::string candidate = entry.path().filename().string();
        if (EqualIgnoringCase(candidate, name)) {
            std::string full = sep == std::string::npos ? candidate : folder + candidate;
            // Several matches: take the first in name order so the choice does not depend on the
            // order the folder lists its entries in.
            if (IsReadableFile(full) && (found.empty() || full < found)) found = full;
        }
    }
    return found;
}

bool FileExists(std::string_view path) {
    return !ResolveFile(path, false).empty();
}

std::string WritablePath(std::string_view path) {
    std::string exact(path);
    std::size_t sep = LastSeparator(exact);
    if (sep == std::string::npos) return exact;
    std::error_code ec;
    if (fs::is_directory(exact.substr(0, sep + 1), ec)) return exact;
    return Slashed(exact);
}

bool DeleteFile(std::string_view path) {
    std::string resolved = ResolveFile(path, false);
    if (resolved.empty()) return false;
    std::error_code ec;
    return fs::remove(resolved, ec);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '/';
    out += name;
    return out;
}

} // namespace avigram

// Line reading with CR LF / LF / CR ends and UTF-8 or Windows-1252 text, CR LF writing, and the
// comma-separated item reading used by the hand-over file, the calibration file and the parts list.
#include "app/core/text_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace avigram {

namespace {

// Unicode code points of the Windows-1252 bytes 0x80..0x9F (0 where the code page has none).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        // Reject overlong forms, surrogates and code points beyond U+10FFFF.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
            (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

} // namespace

std::string DecodeLine(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char ch : bytes) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            char32_t cp = kCp1252High[c - 0x80];
            AppendUtf8(out, cp ? cp : c);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(DecodeLine(text.substr(start, i - start)));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < text.size()) lines.push_back(DecodeLine(text.substr(start)));
    return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return SplitLines(bytes);
}

bool WriteFileThrough(const std::string& path, const std::function<bool(const std::string&)>& writeTemp) {
    if (path.empty() || !writeTemp) return false;
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return false;
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    const std::string temp(name.data());

    // Permissions: those of the file replaced, or read-write for everyone the umask allows.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0;
    ::close(fd);
    ok = ok && writeTemp(temp);
    if (ok) {
        // The data must be on disk before the name points at it.
        const int sync = ::open(temp.c_str(), O_RDONLY);
        ok = sync >= 0 && ::fsync(sync) == 0;
        if (sync >= 0) ::close(sync);
    }
    if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& writeBody) {
    if (!writeBody) return false;
    return WriteFileThrough(path, [&writeBody](const std::string& temp) {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        bool ok = static_cast<bool>(out) && writeBody(out);
        if (ok) out.flush();
        ok = ok && static_cast<bool>(out);
        out.close();
        return ok && !out.fail();
    });
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    });
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    return WriteFileAtomically(path, [&lines](std::ostream& out) {
        for (const std::string& line : lines)
            out << line << "\r\n";
        return static_cast<bool>(out);
    });
}

bool ItemReader::AtEnd() const {
    return line_ >= lines_.size();
}

std::optional<std::string> ItemReader::Next() {
    if (AtEnd()) return std::nullopt;
    const std::string& line = lines_[line_];
    std::size_t i = pos_;
    while (i < line.size() && line[i] == ' ')
        ++i;
    std::string item;
    std::size_t end;
    if (i < line.size() && line[i] == '"') {
        std::size_t close = line.find('"', i + 1);
        if (close == std::string::npos) close = line.size();
        item = line.substr(i + 1, close - i - 1);
        end = line.find(',', std::min(close, line.size()));
    } else {
        end = line.find(',', i);
        item = line.substr(i, (end == std::string::npos ? line.size() : end) - i);
        while (!item.empty() && item.back() == ' ')
            item.pop_back();
    }
    if (end == std::string::npos) {
        ++line_;
        pos_ = 0;
    } else {
        pos_ = end + 1;
    }
    return item;
}

std::string FirstItem(std::string_view line) {
    ItemReader reader({std::string(line)});
    return reader.Next().value_or(std::string());
}

} // namespace avigram

// Reading and writing the program's text files.
//
// Files are read whole and split at CR LF, LF or CR; a last line without a line end counts, a line
// end at the very end does not start another line. Each line is taken as UTF-8 when it is valid
// UTF-8 and otherwise as Windows-1252, so older files keep their accented names. Files are written
// with CR LF line ends.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace avigram {

// The lines of a file, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Splits text into lines at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);

// A line as UTF-8: kept when it is valid UTF-8 (a leading byte-order mark dropped), otherwise
// decoded as Windows-1252.
std::string DecodeLine(std::string_view bytes);

// Replaces a file without ever leaving it half written: writeBody writes the new content into a
// temporary file beside the target, which is then renamed over it. When the temporary file cannot
// be made (read-only folder), writeBody fails or leaves the stream bad (full disk), or the rename
// fails, the temporary file is removed, the old file is left as it was, and the result is false.
// A new file gets the permissions of the old one (or the usual ones for a new file).
bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& writeBody);

// The same for writers that take a file name: writeTemp writes the whole new content to the
// temporary file it is given and says whether that worked.
bool WriteFileThrough(const std::string& path, const std::function<bool(const std::string&)>& writeTemp);

// The same for content already in memory.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Writes the lines, each ended by CR LF, replacing the file atomically. False when it cannot be
// written (the old file is then kept).
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

// Sequential reading of comma-separated items, as a Basic program reads a file item by item:
// an item runs to the next comma or the end of the line; blanks around it are dropped; an item in
// double quotes runs to the closing quote.
class ItemReader {
public:
    explicit ItemReader(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    bool AtEnd() const;
    // The next item; nothing at the end of the file.
    std::optional<std::string> Next();

private:
    std::vector<std::string> lines_;
    std::size_t line_ = 0;
    std::size_t pos_ = 0;
};

// The first item of a line (text up to its first comma, blanks around it dropped).
std::string FirstItem(std::string_view line);

} // namespace avigram

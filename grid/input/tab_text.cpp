#include "grid/input/tab_text.h"

namespace lattix {

bool TabFieldNeedsQuotes(std::string_view field) {
    return field.find_first_of("\t\"\r\n") != std::string_view::npos;
}

void AppendTabField(std::string& out, std::string_view field) {
    if (!TabFieldNeedsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '"') {
            out.append("\"\"");
        } else if (c == '\r' && i + 1 < field.size() && field[i + 1] == '\n') {
            out.push_back('\n');
            ++i;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

namespace {

bool isFieldEnd(std::string_view t, size_t i) {
    return i >= t.size() || t[i] == '\t' || t[i] == '\n' || (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n');
}

// Where the quoted field opened at `open` closes: the index of its closing quote, or npos when no
// quote there is followed by a field end.
size_t closingQuote(std::string_view t, size_t open) {
    size_t i = open + 1;
    while (true) {
        i = t.find('"', i);
        if (i == std::string_view::npos) return i;
        if (i + 1 < t.size() && t[i + 1] == '"') {
            i += 2;
            continue;
        }
        if (isFieldEnd(t, i + 1)) return i;
        ++i;
    }
}

} // namespace

TabTable ReadTabText(std::string_view t) {
    TabTable table;
    while (!t.empty() && t.back() == '\0') t.remove_suffix(1);
    if (t.empty()) return table;
    // A text that is only a line end is one empty cell (what a copy of one empty cell gives).
    if (t.size() >= 2 && t.substr(t.size() - 2) == "\r\n") t.remove_suffix(2);
    else if (t.back() == '\n') t.remove_suffix(1);

    std::vector<std::string> row;
    // A quoted field at i is searched for its close at most once: a missing close is remembered,
    // so text full of unmatched quotes is still read in linear time.
    size_t noCloseFrom = std::string_view::npos;
    size_t i = 0;
    while (true) {
        std::string field;
        size_t close = std::string_view::npos;
        if (i < t.size() && t[i] == '"' && (noCloseFrom == std::string_view::npos || i < noCloseFrom)) {
            close = closingQuote(t, i);
            if (close == std::string_view::npos) noCloseFrom = i;
        }
        if (close != std::string_view::npos) {
            field.reserve(close - i);
            for (size_t k = i + 1; k < close; ++k) {
                const char c = t[k];
                if (c == '"') {
                    field.push_back('"');
                    ++k; // the second quote of a doubled pair
                } else if (c == '\n' && !(k > i + 1 && t[k - 1] == '\r')) {
                    field.append("\r\n");
                } else {
                    field.push_back(c);
                }
            }
            i = close + 1;
        } else {
            size_t end = i;
            while (!isFieldEnd(t, end)) ++end;
            field.assign(t.substr(i, end - i));
            i = end;
        }
        row.push_back(std::move(field));
        if (i >= t.size()) break;
        if (t[i] == '\t') {
            ++i;
            continue;
        }
        // A line end: CR LF or LF.
        i += t[i] == '\r' ? 2 : 1;
        if (row.size() > table.columns) table.columns = row.size();
        table.rows.push_back(std::move(row));
        row.clear();
    }
    if (row.size() > table.columns) table.columns = row.size();
    table.rows.push_back(std::move(row));
    return table;
}

} // namespace lattix

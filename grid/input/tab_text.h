// Tab-separated text as spreadsheet programs put it on the clipboard and read it back.
//
// Writing: fields are joined by TAB, rows by CR LF. A field that holds a TAB, a double quote, a CR
// or an LF is written between double quotes with each quote doubled; inside the quotes a CR LF line
// break of the cell becomes a single LF, the way spreadsheets keep line breaks in cells.
//
// Reading accepts what such programs write: CR LF or LF line ends, one trailing line end (ignored),
// trailing NUL characters (ignored), and quoted fields. A quoted field starts with a double quote
// and ends with a quote followed by a TAB, a line end or the end of the text; "" inside stands for
// one quote and every LF inside becomes CR LF. A field that opens a quote that never closes that
// way is read as plain text (the quote is part of it), so one stray quote cannot swallow the rest
// of the text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lattix {

// True when the field must be written between quotes.
bool TabFieldNeedsQuotes(std::string_view field);
// Appends the field to out, quoted when needed.
void AppendTabField(std::string& out, std::string_view field);

struct TabTable {
    std::vector<std::vector<std::string>> rows;
    size_t columns = 0; // the largest number of fields in a row
    bool empty() const { return rows.empty(); }
};

// Reads tab-separated text; an empty text (after the trailing NULs and line end) gives no rows.
TabTable ReadTabText(std::string_view text);

} // namespace lattix

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
// of the text. (A lone CR right before a line break of a cell reads back as part of that line
// break: "a\r\r\nb" is written as "a\r\nb" in quotes and read as "a\r\nb".)
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

// Reads tab-separated text. An empty text (or one of NULs only) gives no rows; a text that is only
// a line end gives one row of one empty field.
TabTable ReadTabText(std::string_view text);

} // namespace lattix

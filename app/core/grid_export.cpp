// CSV and XLSX exports of the result grids.
#include "app/core/grid_export.h"

#include <charconv>
#include <cmath>
#include <map>

#include <xlsxwriter.h>

#include "app/core/text_file.h"

namespace avigram {

namespace {

std::string_view Trim(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return t;
}

bool NeedsQuotes(std::string_view field, char separator) {
    if (field.empty()) return false;
    if (field.front() == ' ' || field.back() == ' ') return true;
    for (char c : field) {
        if (c == separator || c == '"' || c == '\r' || c == '\n') return true;
    }
    return false;
}

std::string CsvField(std::string_view field, char separator) {
    if (!NeedsQuotes(field, separator)) return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// The workbook number format showing a number with its decimals and unit: 0.0" g".
std::string NumberFormat(const ExportNumber& n) {
    std::string format = "0";
    if (n.decimals > 0) format += "." + std::string(static_cast<std::size_t>(n.decimals), '0');
    if (!n.unit.empty()) format += "\" " + n.unit + "\"";
    return format;
}

} // namespace

std::optional<ExportNumber> ExportNumberOf(std::string_view text, std::string_view decimalSeparator) {
    std::string_view t = Trim(text);
    if (t.empty()) return std::nullopt;
    std::string unit;
    if (std::size_t blank = t.rfind(' '); blank != std::string_view::npos) {
        unit = std::string(t.substr(blank + 1));
        if (unit != "g" && unit != "kg" && unit != "lb" && unit != "tonnes" && unit != "tons") return std::nullopt;
        t = Trim(t.substr(0, blank));
    }
    std::string number(t);
    // In a locale whose decimal separator is not ".", a point is no part of a number.
    if (decimalSeparator != "." && number.find('.') != std::string::npos) return std::nullopt;
    int decimals = 0;
    if (!decimalSeparator.empty()) {
        if (std::size_t at = number.find(decimalSeparator); at != std::string::npos) {
            number.replace(at, decimalSeparator.size(), ".");
            decimals = static_cast<int>(number.size() - at - 1);
        }
    }
    if (number.empty() || number.find_first_not_of("+-0123456789.") != std::string::npos) return std::nullopt;
    if (number.front() == '+') number.erase(0, 1);
    double value = 0;
    const char* first = number.data();
    const char* last = number.data() + number.size();
    // from_chars takes no leading "." before the digits in every library: give it a 0.
    std::string padded;
    if (number.front() == '.' || number.rfind("-.", 0) == 0) {
        padded = number;
        padded.insert(number.front() == '-' ? 1 : 0, "0");
        first = padded.data();
        last = padded.data() + padded.size();
    }
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return ExportNumber{value, decimals, unit};
}

std::string CsvText(const ExportSheet& sheet, std::string_view decimalSeparator) {
    const char separator = decimalSeparator == "," ? ';' : ',';
    std::string out;
    auto line = [&](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) out += separator;
            out += CsvField(fields[i], separator);
        }
        out += "\r\n";
    };
    if (!sheet.captions.empty()) line(sheet.captions);
    for (const auto& row : sheet.texts)
        line(row);
    return out;
}

bool WriteCsv(const std::string& path, const ExportSheet& sheet, std::string_view decimalSeparator) {
    return WriteFileAtomically(path, CsvText(sheet, decimalSeparator));
}

bool WriteXlsx(const std::string& path, const std::vector<ExportSheet>& sheets, std::string_view decimalSeparator,
               std::string* error) {
    auto fail = [&](std::string why) {
        if (error) *error = std::move(why);
        return false;
    };
    if (sheets.empty()) return fail("no sheets");
    bool written = WriteFileThrough(path, [&](const std::string& temp) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_FALSE;
        lxw_workbook* book = workbook_new_opt(temp.c_str(), &options);
        if (!book) return false;
        lxw_format* captionFormat = workbook_add_format(book);
        format_set_bold(captionFormat);
        std::map<std::string, lxw_format*> formats;
        bool sheetsMade = true;
        for (const ExportSheet& sheet : sheets) {
            std::string name = sheet.name.substr(0, 31);
            lxw_worksheet* ws = workbook_add_worksheet(book, name.c_str());
            if (!ws) {
                // A name that is not allowed or twice: the workbook is closed (freed) but not used.
                if (error) *error = "cannot make a sheet named \"" + name + "\"";
                sheetsMade = false;
                break;
            }
            lxw_row_t row = 0;
            if (!sheet.captions.empty()) {
                for (std::size_t c = 0; c < sheet.captions.size(); ++c) {
                    if (!sheet.captions[c].empty())
                        worksheet_write_string(ws, row, static_cast<lxw_col_t>(c), sheet.captions[c].c_str(),
                                               captionFormat);
                }
                ++row;
            }
            for (const auto& cells : sheet.texts) {
                for (std::size_t c = 0; c < cells.size(); ++c) {
                    const std::string& text = cells[c];
                    if (text.empty()) continue;
                    const auto col = static_cast<lxw_col_t>(c);
                    if (std::optional<ExportNumber> n = ExportNumberOf(text, decimalSeparator)) {
                        const std::string f = NumberFormat(*n);
                        lxw_format*& format = formats[f];
                        if (!format) {
                            format = workbook_add_format(book);
                            format_set_num_format(format, f.c_str());
                        }
                        worksheet_write_number(ws, row, col, n->value, format);
                    } else {
                        worksheet_write_string(ws, row, col, text.c_str(), nullptr);
                    }
                }
                ++row;
            }
            worksheet_set_column(ws, 0, 0, 22, nullptr);
        }
        const lxw_error result = workbook_close(book);
        if (result != LXW_NO_ERROR && error) *error = lxw_strerror(result);
        return sheetsMade && result == LXW_NO_ERROR;
    });
    if (!written && error && error->empty()) *error = "cannot write " + path;
    return written;
}

} // namespace avigram

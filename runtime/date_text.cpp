#include "runtime/date_text.h"

#include <cctype>
#include <string>
#include <vector>

#include "runtime/date_parts.h"

namespace lattix {

namespace {

struct Token {
    enum Kind { Number, Word, DateSep, TimeSep } kind = Number;
    int value = 0;       // Number
    int digits = 0;      // Number
    std::string text;    // Word
};

bool startsWith(std::string_view t, size_t i, std::string_view s) { return !s.empty() && t.substr(i, s.size()) == s; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

bool tokenize(std::string_view t, const Locale& loc, std::vector<Token>& out) {
    size_t i = 0;
    while (i < t.size()) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (c == ' ' || c == ',') {
            ++i;
        } else if (std::isdigit(c)) {
            Token tok;
            tok.kind = Token::Number;
            while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) {
                if (tok.digits >= 5) return false;
                tok.value = tok.value * 10 + (t[i] - '0');
                ++tok.digits;
                ++i;
            }
            out.push_back(tok);
        } else if (startsWith(t, i, loc.timeSeparator) || c == ':') {
            out.push_back(Token{Token::TimeSep, 0, 0, {}});
            i += c == ':' ? 1 : loc.timeSeparator.size();
        } else if (startsWith(t, i, loc.dateSeparator) || c == '/' || c == '-' || c == '.') {
            out.push_back(Token{Token::DateSep, 0, 0, {}});
            i += startsWith(t, i, loc.dateSeparator) ? loc.dateSeparator.size() : 1;
        } else if (std::isalpha(c) || c >= 0x80) {
            Token tok;
            tok.kind = Token::Word;
            while (i < t.size() && (std::isalpha(static_cast<unsigned char>(t[i])) || static_cast<unsigned char>(t[i]) >= 0x80 ||
                                    t[i] == '.'))
                tok.text.push_back(t[i++]);
            while (!tok.text.empty() && tok.text.back() == '.') tok.text.pop_back();
            out.push_back(tok);
        } else {
            return false;
        }
    }
    return true;
}

int monthOfName(std::string_view word, const Locale& loc) {
    for (int m = 0; m < 12; ++m)
        if (equalsNoCase(word, loc.monthNames[static_cast<size_t>(m)]) ||
            equalsNoCase(word, loc.monthAbbrevs[static_cast<size_t>(m)]))
            return m + 1;
    return 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return kDays[month - 1];
}

} // namespace

std::optional<Date> ParseDateText(std::string_view text, const Locale& loc) {
    std::vector<Token> toks;
    if (!tokenize(text, loc, toks) || toks.empty()) return std::nullopt;
    size_t i = 0;
    bool hasDate = false;
    int year = 0, month = 0, day = 0;
    // A date: three parts separated by date separators (a month name needs no separator).
    auto isPart = [&](size_t k) { return k < toks.size() && (toks[k].kind == Token::Number || toks[k].kind == Token::Word); };
    if (isPart(0) && !(toks.size() > 1 && toks[1].kind == Token::TimeSep)) {
        std::vector<const Token*> parts;
        size_t k = 0;
        while (parts.size() < 3 && isPart(k)) {
            parts.push_back(&toks[k++]);
            if (parts.size() < 3 && k < toks.size() && toks[k].kind == Token::DateSep) ++k;
        }
        if (parts.size() != 3) return std::nullopt;
        // Which part is the month, day and year in the locale's order.
        int order[3] = {0, 1, 2}; // indexes of day, month, year
        switch (loc.dateOrder) {
        case Locale::DateOrder::MonthDayYear: order[0] = 1, order[1] = 0, order[2] = 2; break;
        case Locale::DateOrder::DayMonthYear: order[0] = 0, order[1] = 1, order[2] = 2; break;
        case Locale::DateOrder::YearMonthDay: order[0] = 2, order[1] = 1, order[2] = 0; break;
        }
        // A month given by name takes the month's place wherever it stands.
        for (int p = 0; p < 3; ++p)
            if (parts[static_cast<size_t>(p)]->kind == Token::Word && p != order[1]) {
                const int other = order[1];
                for (int& o : order)
                    if (o == p) o = other;
                order[1] = p;
                break;
            }
        const Token& d = *parts[static_cast<size_t>(order[0])];
        const Token& m = *parts[static_cast<size_t>(order[1])];
        const Token& y = *parts[static_cast<size_t>(order[2])];
        if (d.kind != Token::Number || y.kind != Token::Number) return std::nullopt;
        day = d.value;
        month = m.kind == Token::Number ? m.value : monthOfName(m.text, loc);
        year = y.value;
        // Two digits take the century window; three or four are the year itself, as the date
        // text of a year before 1000 is written ("31.12.998").
        if (y.digits <= 2) year += year < 30 ? 2000 : 1900;
        else if (y.digits > 4) return std::nullopt;
        if (month < 1 || month > 12 || day < 1 || year < 100 || year > 9999 || day > daysInMonth(year, month))
            return std::nullopt;
        hasDate = true;
        i = k;
    }
    double fraction = 0;
    bool hasTime = false;
    if (i < toks.size()) {
        // A time: h:mm[:ss] [AM|PM].
        if (toks[i].kind != Token::Number || i + 2 >= toks.size() || toks[i + 1].kind != Token::TimeSep ||
            toks[i + 2].kind != Token::Number)
            return std::nullopt;
        int hour = toks[i].value, minute = toks[i + 2].value, second = 0;
        i += 3;
        if (i + 1 < toks.size() && toks[i].kind == Token::TimeSep && toks[i + 1].kind == Token::Number) {
            second = toks[i + 1].value;
            i += 2;
        }
        if (i < toks.size() && toks[i].kind == Token::Word) {
            const bool am = equalsNoCase(toks[i].text, loc.amDesignator) || equalsNoCase(toks[i].text, "AM");
            const bool pm = equalsNoCase(toks[i].text, loc.pmDesignator) || equalsNoCase(toks[i].text, "PM");
            if ((!am && !pm) || hour < 1 || hour > 12) return std::nullopt;
            hour = (hour % 12) + (pm ? 12 : 0);
            ++i;
        }
        if (i != toks.size() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
        fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
        hasTime = true;
    }
    if (!hasDate && !hasTime) return std::nullopt;
    if (!hasDate) return Date{fraction};
    const double serial = DateSerialOf(year, month, day);
    // Before the epoch the fraction still counts forward from midnight.
    return Date{serial < 0 ? serial - fraction : serial + fraction};
}

} // namespace lattix

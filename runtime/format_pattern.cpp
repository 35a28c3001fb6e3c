#include "runtime/format_pattern.h"

#include <functional>
#include <unordered_map>

namespace lattix::format_detail {

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool matchesNoCase(std::string_view text, size_t pos, std::string_view word) {
    if (text.size() - pos < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (lower(text[pos + i]) != word[i]) return false;
    return true;
}

// Length of an AM/PM marker at pos ("am/pm", "ampm", "a/p" in any case), 0 when there is none.
size_t amPmLength(std::string_view text, size_t pos) {
    if (matchesNoCase(text, pos, "am/pm")) return 5;
    if (matchesNoCase(text, pos, "ampm")) return 4;
    if (matchesNoCase(text, pos, "a/p")) return 3;
    return 0;
}

size_t runLength(std::string_view text, size_t pos) {
    char c = lower(text[pos]);
    size_t n = 1;
    while (pos + n < text.size() && lower(text[pos + n]) == c) ++n;
    return n;
}

bool isDateLetter(char c) {
    switch (lower(c)) {
    case 'd':
    case 'm':
    case 'y':
    case 'h':
    case 'n':
    case 's':
    case 'w':
    case 'q':
    case 'c': return true;
    default: return false;
    }
}

// Calls onChar(pos) for every character outside quotes and escapes and onLiteral(text) for quoted
// and escaped text.
template <class OnChar, class OnLiteral>
void scan(std::string_view text, OnChar&& onChar, OnLiteral&& onLiteral) {
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) close = text.size();
            onLiteral(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '\\') {
            if (i + 1 < text.size()) onLiteral(text.substr(i + 1, 1));
            i += 2;
        } else {
            i = onChar(i);
        }
    }
}

void addLiteral(Section& s, std::string_view text) {
    if (text.empty()) return;
    if (!s.items.empty() && s.items.back().op == Op::Literal) {
        s.items.back().text += text;
        return;
    }
    Item item;
    item.text = std::string(text);
    s.items.push_back(std::move(item));
}

void addOp(Section& s, Op op, bool zero = false) {
    Item item;
    item.op = op;
    item.zero = zero;
    s.items.push_back(std::move(item));
}

SectionKind classify(std::string_view text) {
    bool digits = false, numberMarks = false, date = false, chars = false;
    scan(
        text,
        [&](size_t i) {
            char c = text[i];
            if (c == '0' || c == '#') digits = true;
            else if (c == '.' || c == ',' || c == '%') numberMarks = true;
            else if ((c == 'E' || c == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-'))
                numberMarks = true;
            else if (c == '@' || c == '&' || c == '<' || c == '>' || c == '!') chars = true;
            else if (isDateLetter(c) || amPmLength(text, i) > 0) date = true;
            else if (lower(c) == 't' && runLength(text, i) >= 5) date = true;
            return i + 1;
        },
        [](std::string_view) {});
    // Digit placeholders make a number section even when it has letters such as the "s" of "lbs".
    if (digits) return SectionKind::Number;
    if (date) return SectionKind::Date;
    if (chars) return SectionKind::Text;
    if (numberMarks) return SectionKind::Number;
    return SectionKind::Literal;
}

void parseNumber(std::string_view text, Section& s) {
    bool afterPoint = false, inExponent = false;
    int pendingCommas = 0;
    int anchor = -1; // where a pattern without integer placeholders shows its integer digits
    scan(
        text,
        [&](size_t i) {
            char c = text[i];
            if (c == '0' || c == '#') {
                bool zero = c == '0';
                if (inExponent) {
                    addOp(s, Op::ExpDigit, zero);
                    ++s.expPlaceholders;
                    if (zero) ++s.expZeros;
                } else if (afterPoint) {
                    pendingCommas = 0; // a comma between fraction digits means nothing
                    addOp(s, Op::FracDigit, zero);
                    ++s.fracPlaceholders;
                    if (zero) s.lastFracZero = s.fracPlaceholders;
                } else {
                    if (pendingCommas > 0) s.grouping = true;
                    pendingCommas = 0;
                    addOp(s, Op::IntDigit, zero);
                    ++s.intPlaceholders;
                }
                return i + 1;
            }
            if (c == '.' && !afterPoint && !inExponent) {
                if (anchor < 0) anchor = static_cast<int>(s.items.size());
                s.thousandsScale += pendingCommas;
                pendingCommas = 0;
                afterPoint = true;
                addOp(s, Op::DecimalPoint);
                return i + 1;
            }
            if (c == ',' && !inExponent && s.intPlaceholders + s.fracPlaceholders > 0) {
                ++pendingCommas;
                return i + 1;
            }
            if ((c == 'E' || c == 'e') && !inExponent && i + 1 < text.size() &&
                (text[i + 1] == '+' || text[i + 1] == '-')) {
                if (anchor < 0) anchor = static_cast<int>(s.items.size());
                s.thousandsScale += pendingCommas;
                pendingCommas = 0;
                inExponent = true;
                s.scientific = true;
                Item item;
                item.op = Op::Exponent;
                item.text = std::string(1, c);
                item.plusSign = text[i + 1] == '+';
                s.items.push_back(std::move(item));
                return i + 2;
            }
            if (c == '%') {
                if (anchor < 0) anchor = static_cast<int>(s.items.size());
                ++s.percent;
            }
            addLiteral(s, text.substr(i, 1));
            return i + 1;
        },
        [&](std::string_view literal) { addLiteral(s, literal); });
    s.thousandsScale += pendingCommas;
    if (s.intPlaceholders == 0) {
        // ".00" still shows the integer digits of 1.5: they go where the integer part would be.
        Item item;
        item.op = Op::IntDigit;
        size_t at = anchor >= 0 ? static_cast<size_t>(anchor) : s.items.size();
        s.items.insert(s.items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
        s.intPlaceholders = 1;
    }
}

void parseDate(std::string_view text, Section& s) {
    bool afterHour = false;
    auto add = [&](Op op) {
        addOp(s, op);
        afterHour = op == Op::Hour || op == Op::Hour2;
    };
    scan(
        text,
        [&](size_t i) {
            char c = lower(text[i]);
            if (size_t n = amPmLength(text, i)) {
                Item item;
                item.op = n == 4 ? Op::AmPmLocale : Op::AmPm;
                item.text = std::string(text.substr(i, n));
                s.items.push_back(std::move(item));
                s.twelveHour = true;
                return i + n;
            }
            size_t run = runLength(text, i);
            switch (c) {
            case 'd': {
                static constexpr Op ops[] = {Op::Day, Op::Day2, Op::DayAbbrev, Op::DayName, Op::ShortDate, Op::LongDate};
                size_t n = run > 6 ? 6 : run;
                add(ops[n - 1]);
                return i + n;
            }
            case 'm': {
                size_t n = run > 4 ? 4 : run;
                if (n <= 2 && afterHour) add(n == 1 ? Op::Minute : Op::Minute2);
                else {
                    static constexpr Op ops[] = {Op::Month, Op::Month2, Op::MonthAbbrev, Op::MonthName};
                    add(ops[n - 1]);
                }
                return i + n;
            }
            case 'y': {
                size_t n = run >= 4 ? 4 : run >= 2 ? 2 : 1;
                add(n == 4 ? Op::Year4 : n == 2 ? Op::Year2 : Op::DayOfYear);
                return i + n;
            }
            case 'h': {
                size_t n = run >= 2 ? 2 : 1;
                add(n == 2 ? Op::Hour2 : Op::Hour);
                return i + n;
            }
            case 'n': {
                size_t n = run >= 2 ? 2 : 1;
                add(n == 2 ? Op::Minute2 : Op::Minute);
                return i + n;
            }
            case 's': {
                size_t n = run >= 2 ? 2 : 1;
                add(n == 2 ? Op::Second2 : Op::Second);
                return i + n;
            }
            case 'w': {
                size_t n = run >= 2 ? 2 : 1;
                add(n == 2 ? Op::WeekOfYear : Op::Weekday);
                return i + n;
            }
            case 'q': add(Op::Quarter); return i + 1;
            case 'c': add(Op::GeneralDate); return i + 1;
            case 't':
                if (run >= 5) {
                    add(Op::LongTime);
                    return i + 5;
                }
                break;
            case '/': addOp(s, Op::DateSeparator); return i + 1;
            case ':': addOp(s, Op::TimeSeparator); return i + 1;
            default: break;
            }
            addLiteral(s, text.substr(i, 1));
            return i + 1;
        },
        [&](std::string_view literal) { addLiteral(s, literal); });
}

void parseText(std::string_view text, Section& s) {
    scan(
        text,
        [&](size_t i) {
            switch (text[i]) {
            case '@':
                addOp(s, Op::CharOrSpace);
                ++s.charPlaceholders;
                break;
            case '&':
                addOp(s, Op::CharOrNothing);
                ++s.charPlaceholders;
                break;
            case '<': s.caseMode = Section::Case::Lower; break;
            case '>': s.caseMode = Section::Case::Upper; break;
            case '!': s.leftToRight = true; break;
            default: addLiteral(s, text.substr(i, 1)); break;
            }
            return i + 1;
        },
        [&](std::string_view literal) { addLiteral(s, literal); });
}

void parseLiteral(std::string_view text, Section& s) {
    scan(
        text,
        [&](size_t i) {
            addLiteral(s, text.substr(i, 1));
            return i + 1;
        },
        [&](std::string_view literal) { addLiteral(s, literal); });
}

std::vector<std::string_view> splitSections(std::string_view format) {
    std::vector<std::string_view> parts;
    size_t start = 0, i = 0;
    while (i < format.size()) {
        char c = format[i];
        if (c == '"') {
            size_t close = format.find('"', i + 1);
            i = close == std::string_view::npos ? format.size() : close + 1;
        } else if (c == '\\') {
            i += 2;
        } else if (c == ';' && parts.size() < 3) {
            parts.push_back(format.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    parts.push_back(format.substr(start < format.size() ? start : format.size()));
    return parts;
}

struct StringHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

// Beyond this many distinct patterns new ones are parsed on every call instead of being kept.
constexpr size_t kCacheLimit = 1024;

} // namespace

std::string Section::literalText() const {
    std::string out;
    for (const Item& item : items)
        if (item.op == Op::Literal) out += item.text;
    return out;
}

Pattern ParsePattern(std::string_view format) {
    Pattern p;
    for (std::string_view text : splitSections(format)) {
        Section s;
        s.empty = text.empty();
        s.kind = classify(text);
        switch (s.kind) {
        case SectionKind::Number: parseNumber(text, s); break;
        case SectionKind::Date: parseDate(text, s); break;
        case SectionKind::Text: parseText(text, s); break;
        case SectionKind::Literal: parseLiteral(text, s); break;
        }
        p.sections.push_back(std::move(s));
    }
    return p;
}

std::shared_ptr<const Pattern> CachedPattern(std::string_view format) {
    thread_local std::unordered_map<std::string, std::shared_ptr<const Pattern>, StringHash, std::equal_to<>> cache;
    thread_local std::string lastText;
    thread_local std::shared_ptr<const Pattern> last;
    if (last && lastText == format) return last;
    auto found = cache.find(format);
    if (found != cache.end()) {
        lastText.assign(format);
        last = found->second;
        return last;
    }
    auto parsed = std::make_shared<const Pattern>(ParsePattern(format));
    if (cache.size() < kCacheLimit) cache.emplace(std::string(format), parsed);
    lastText.assign(format);
    last = parsed;
    return parsed;
}

} // namespace lattix::format_detail

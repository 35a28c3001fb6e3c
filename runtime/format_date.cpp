#include "runtime/format_date.h"

#include "runtime/date_parts.h"

namespace lattix {

namespace format_detail {

namespace {

void appendNumber(std::string& out, int value, int minDigits) {
    char buf[12];
    int n = 0;
    unsigned v = static_cast<unsigned>(value < 0 ? -value : value);
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    while (n < minDigits) buf[n++] = '0';
    if (value < 0) out += '-';
    while (n > 0) out += buf[--n];
}

// Locale layouts can name other layouts ("c" in a short date); this bounds that nesting.
constexpr int kMaxLayoutDepth = 3;

void renderItems(const Section& section, const DateParts& p, const Locale& locale, std::string& out, int depth);

void renderLayout(const std::string& layout, const DateParts& p, const Locale& locale, std::string& out,
                  int depth) {
    if (depth >= kMaxLayoutDepth) return;
    auto pattern = CachedPattern(layout);
    if (pattern->sections.empty()) return;
    const Section& s = pattern->sections.front();
    if (s.kind == SectionKind::Date) renderItems(s, p, locale, out, depth + 1);
    else out += s.literalText();
}

void renderGeneral(const DateParts& p, const Locale& locale, std::string& out, int depth) {
    if (p.timeOnly) {
        renderLayout(locale.longTimePattern(), p, locale, out, depth);
        return;
    }
    renderLayout(locale.shortDatePattern(), p, locale, out, depth);
    if (p.hasTime()) {
        out += ' ';
        renderLayout(locale.longTimePattern(), p, locale, out, depth);
    }
}

void renderItems(const Section& section, const DateParts& p, const Locale& locale, std::string& out, int depth) {
    const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    const int hour = section.twelveHour ? hour12 : p.hour;
    const bool pm = p.hour >= 12;
    for (const Item& item : section.items) {
        switch (item.op) {
        case Op::Day: appendNumber(out, p.day, 1); break;
        case Op::Day2: appendNumber(out, p.day, 2); break;
        case Op::DayAbbrev: out += locale.dayAbbrevs[static_cast<size_t>(p.weekday - 1)]; break;
        case Op::DayName: out += locale.dayNames[static_cast<size_t>(p.weekday - 1)]; break;
        case Op::ShortDate: renderLayout(locale.shortDatePattern(), p, locale, out, depth); break;
        case Op::LongDate: renderLayout(locale.longDatePattern(), p, locale, out, depth); break;
        case Op::Weekday: appendNumber(out, p.weekday, 1); break;
        case Op::WeekOfYear: appendNumber(out, WeekOfYear(p), 1); break;
        case Op::Month: appendNumber(out, p.month, 1); break;
        case Op::Month2: appendNumber(out, p.month, 2); break;
        case Op::MonthAbbrev: out += locale.monthAbbrevs[static_cast<size_t>(p.month - 1)]; break;
        case Op::MonthName: out += locale.monthNames[static_cast<size_t>(p.month - 1)]; break;
        case Op::Quarter: appendNumber(out, (p.month - 1) / 3 + 1, 1); break;
        case Op::DayOfYear: appendNumber(out, p.dayOfYear, 1); break;
        case Op::Year2: appendNumber(out, p.year % 100, 2); break;
        case Op::Year4: appendNumber(out, p.year, 1); break;
        case Op::Hour: appendNumber(out, hour, 1); break;
        case Op::Hour2: appendNumber(out, hour, 2); break;
        case Op::Minute: appendNumber(out, p.minute, 1); break;
        case Op::Minute2: appendNumber(out, p.minute, 2); break;
        case Op::Second: appendNumber(out, p.second, 1); break;
        case Op::Second2: appendNumber(out, p.second, 2); break;
        case Op::LongTime: renderLayout(locale.longTimePattern(), p, locale, out, depth); break;
        case Op::GeneralDate: renderGeneral(p, locale, out, depth); break;
        case Op::AmPm:
            // The marker's own letters: "AM/PM" gives AM or PM, "am/pm" am or pm, "A/P" A or P.
            if (item.text.size() == 5) out.append(item.text, pm ? 3 : 0, 2);
            else out += item.text[pm ? 2 : 0];
            break;
        case Op::AmPmLocale: out += pm ? locale.pmDesignator : locale.amDesignator; break;
        case Op::DateSeparator: out += locale.dateSeparator; break;
        case Op::TimeSeparator: out += locale.timeSeparator; break;
        default: out += item.text; break;
        }
    }
}

} // namespace

void RenderDate(const Section& section, double serial, const Locale& locale, std::string& out) {
    DateParts parts = SplitDateSerial(serial);
    renderItems(section, parts, locale, out, 0);
}

} // namespace format_detail

std::string FormatGeneralDate(double serial, const Locale& locale) {
    std::string out;
    format_detail::renderGeneral(SplitDateSerial(serial), locale, out, 0);
    return out;
}

} // namespace lattix

#include "runtime/locale.h"

#include <langinfo.h>
#include <locale.h>

#include <string_view>

namespace lattix {

namespace {

Locale& currentStorage() {
    static Locale locale = Locale::fromProcess();
    return locale;
}

// A format pattern text for a literal: quoted so that its letters are not read as placeholders.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    out += text;
    out += '"';
    return out;
}

std::string langinfo(nl_item item, locale_t loc) {
    const char* s = nl_langinfo_l(item, loc);
    return s ? std::string(s) : std::string();
}

// Reads the date order and separator from a strftime date layout such as "%d.%m.%Y".
void applyDateLayout(std::string_view fmt, Locale& l) {
    if (fmt.empty()) return;
    std::string order;
    std::string separator;
    for (size_t i = 0; i + 1 < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            if (separator.empty() && !order.empty()) separator = fmt[i];
            continue;
        }
        char c = fmt[++i];
        if (c == 'd' || c == 'e') order += 'd';
        else if (c == 'm' || c == 'b' || c == 'B' || c == 'h') order += 'm';
        else if (c == 'y' || c == 'Y') order += 'y';
        else if (c == 'F') order += "ymd", separator = "-";
        else if (c == 'D') order += "mdy", separator = "/";
    }
    if (order.rfind("dm", 0) == 0) l.dateOrder = Locale::DateOrder::DayMonthYear;
    else if (order.rfind("ym", 0) == 0) l.dateOrder = Locale::DateOrder::YearMonthDay;
    else if (order.rfind("md", 0) == 0) l.dateOrder = Locale::DateOrder::MonthDayYear;
    if (!separator.empty()) l.dateSeparator = separator;
}

void applyTimeLayout(std::string_view fmt, Locale& l) {
    if (fmt.empty()) return;
    bool has24 = fmt.find("%H") != std::string_view::npos || fmt.find("%T") != std::string_view::npos ||
                 fmt.find("%R") != std::string_view::npos || fmt.find("%k") != std::string_view::npos;
    bool has12 = fmt.find("%I") != std::string_view::npos || fmt.find("%r") != std::string_view::npos ||
                 fmt.find("%l") != std::string_view::npos;
    if (has24 != has12) l.use24HourClock = has24;
    size_t hour = fmt.find_first_of("HIkl");
    if (hour != std::string_view::npos && hour + 1 < fmt.size() && fmt[hour + 1] != '%')
        l.timeSeparator = fmt[hour + 1];
}

} // namespace

void ApplyPosixDateTimeLayouts(Locale& locale, std::string_view dateLayout, std::string_view timeLayout) {
    applyDateLayout(dateLayout, locale);
    applyTimeLayout(timeLayout, locale);
}

std::string Locale::shortDatePattern() const {
    if (!shortDateFormat.empty()) return shortDateFormat;
    switch (dateOrder) {
    case DateOrder::DayMonthYear: return "dd/mm/yyyy";
    case DateOrder::YearMonthDay: return "yyyy/mm/dd";
    case DateOrder::MonthDayYear: break;
    }
    return "m/d/yyyy";
}

std::string Locale::longDatePattern() const {
    if (!longDateFormat.empty()) return longDateFormat;
    switch (dateOrder) {
    case DateOrder::DayMonthYear: return dateSeparator == "." ? "dddd, d. mmmm yyyy" : "dddd, d mmmm yyyy";
    case DateOrder::YearMonthDay: return "yyyy mmmm d, dddd";
    case DateOrder::MonthDayYear: break;
    }
    return "dddd, mmmm d, yyyy";
}

std::string Locale::mediumDatePattern() const { return "dd-mmm-yy"; }

std::string Locale::longTimePattern() const {
    if (!longTimeFormat.empty()) return longTimeFormat;
    return use24HourClock ? "hh:nn:ss" : "h:nn:ss AM/PM";
}

std::string Locale::mediumTimePattern() const { return "hh:nn AM/PM"; }

std::string Locale::shortTimePattern() const { return "hh:nn"; }

std::string Locale::currencyPattern() const {
    const std::string symbol = quoted(currencySymbol);
    if (currencySymbolFirst) return symbol + "#,##0.00;(" + symbol + "#,##0.00)";
    return "#,##0.00 " + symbol + ";-#,##0.00 " + symbol;
}

Locale Locale::invariant() { return Locale{}; }

Locale Locale::decimalComma() {
    Locale l;
    l.decimalSeparator = ",";
    l.thousandsSeparator = ".";
    l.dateSeparator = ".";
    l.dateOrder = DateOrder::DayMonthYear;
    l.use24HourClock = true;
    l.currencySymbol = "\xE2\x82\xAC";
    l.currencySymbolFirst = false;
    return l;
}

Locale Locale::fromProcess() {
    Locale l;
    // A private locale object reads the environment without touching the process's own setting.
    locale_t loc = newlocale(LC_NUMERIC_MASK | LC_TIME_MASK | LC_MONETARY_MASK, "", static_cast<locale_t>(0));
    if (!loc) return l;

    std::string decimal = langinfo(RADIXCHAR, loc);
    std::string thousands = langinfo(THOUSEP, loc);
    if (!decimal.empty()) l.decimalSeparator = decimal;
    if (!thousands.empty() && thousands != l.decimalSeparator) l.thousandsSeparator = thousands;
    else l.thousandsSeparator = l.decimalSeparator == "," ? "." : ",";

    std::string currency = langinfo(CRNCYSTR, loc);
    if (currency.size() > 1 && (currency[0] == '-' || currency[0] == '+')) {
        l.currencySymbol = currency.substr(1);
        l.currencySymbolFirst = currency[0] == '-';
    }

    // The C locale keeps the invariant layouts (its 24-hour clock is not what its users expect).
    std::string dateFormat = langinfo(D_FMT, loc);
    if (dateFormat != "%m/%d/%y") ApplyPosixDateTimeLayouts(l, dateFormat, langinfo(T_FMT, loc));

    const nl_item days[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    const nl_item abdays[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    const nl_item months[] = {MON_1, MON_2, MON_3, MON_4, MON_5, MON_6, MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    const nl_item abmonths[] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    for (size_t i = 0; i < 7; ++i) {
        std::string name = langinfo(days[i], loc), abbrev = langinfo(abdays[i], loc);
        if (!name.empty()) l.dayNames[i] = name;
        if (!abbrev.empty()) l.dayAbbrevs[i] = abbrev;
    }
    for (size_t i = 0; i < 12; ++i) {
        std::string name = langinfo(months[i], loc), abbrev = langinfo(abmonths[i], loc);
        if (!name.empty()) l.monthNames[i] = name;
        if (!abbrev.empty()) l.monthAbbrevs[i] = abbrev;
    }
    std::string am = langinfo(AM_STR, loc), pm = langinfo(PM_STR, loc);
    if (!am.empty() && !pm.empty()) {
        l.amDesignator = am;
        l.pmDesignator = pm;
    }
    freelocale(loc);
    return l;
}

const Locale& Locale::current() { return currentStorage(); }
void Locale::setCurrent(const Locale& locale) { currentStorage() = locale; }

} // namespace lattix

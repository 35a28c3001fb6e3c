// Locale data the runtime's conversions and Format read: separators, date order, names.
//
// The current locale is a service: it starts as the process locale and tests replace it
// (ScopedLocale) to run the same behaviour with "." and with "," as the decimal separator.
#pragma once

#include <array>
#include <string>

namespace lattix {

struct Locale {
    enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    DateOrder dateOrder = DateOrder::MonthDayYear;
    std::string currencySymbol = "$";
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    std::array<std::string, 12> monthNames{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 12> monthAbbrevs{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Sunday first.
    std::array<std::string, 7> dayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> dayAbbrevs{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

    // English names, "." decimals, "," thousands, month/day/year.
    static Locale invariant();
    // "," decimals, "." thousands, day.month.year: the usual continental European settings.
    static Locale decimalComma();
    // Built from the process locale (LC_NUMERIC for the separators, LC_TIME for names and order).
    static Locale fromProcess();

    static const Locale& current();
    static void setCurrent(const Locale& locale);
};

// Replaces the current locale for the lifetime of the object.
class ScopedLocale {
public:
    explicit ScopedLocale(const Locale& locale) : saved_(Locale::current()) { Locale::setCurrent(locale); }
    ~ScopedLocale() { Locale::setCurrent(saved_); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    Locale saved_;
};

} // namespace lattix

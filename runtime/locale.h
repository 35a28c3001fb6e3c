// Locale data the runtime's conversions and Format read: separators, date order, names.
//
// The current locale is a service: it starts as the process locale and tests replace it
// (ScopedLocale) to run the same behaviour with "." and with "," as the decimal separator.
//
// Date and time layouts are Format patterns ("m/d/yyyy", "h:nn:ss AM/PM"); in them "/" and ":" stand
// for dateSeparator and timeSeparator. An empty layout field is derived from dateOrder and
// use24HourClock, so a test can change the order alone.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lattix {

struct Locale {
    enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
    std::string dateSeparator = "/";
    std::string timeSeparator = ":";
    DateOrder dateOrder = DateOrder::MonthDayYear;
    bool use24HourClock = false;
    std::string currencySymbol = "$";
    // "$1.00" and "($1.00)" when true; "1,00 €" and "-1,00 €" when false.
    bool currencySymbolFirst = true;
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    std::array<std::string, 12> monthNames{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 12> monthAbbrevs{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Sunday first.
    std::array<std::string, 7> dayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> dayAbbrevs{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

    // Explicit layouts; empty means derived (see the accessors below).
    std::string shortDateFormat;
    std::string longDateFormat;
    std::string longTimeFormat;

    // The layouts Format and the text conversion use.
    std::string shortDatePattern() const;  // "m/d/yyyy", "dd/mm/yyyy", "yyyy/mm/dd"
    std::string longDatePattern() const;   // "dddd, mmmm d, yyyy", "dddd, d. mmmm yyyy", ...
    std::string mediumDatePattern() const; // "dd-mmm-yy"
    std::string longTimePattern() const;   // "h:nn:ss AM/PM" or "hh:nn:ss"
    std::string mediumTimePattern() const; // "hh:nn AM/PM"
    std::string shortTimePattern() const;  // "hh:nn"
    std::string currencyPattern() const;   // two sections, positive and negative

    // English names, "." decimals, "," thousands, month/day/year, 12-hour clock.
    static Locale invariant();
    // "," decimals, "." thousands, day.month.year, 24-hour clock: the usual continental European settings.
    static Locale decimalComma();
    // Built from the process environment's locale (LC_NUMERIC for the separators, LC_MONETARY for
    // the currency symbol, LC_TIME for names, date order and clock); the C locale gives invariant().
    static Locale fromProcess();

    static const Locale& current();
    static void setCurrent(const Locale& locale);
};

// Takes the date order, separators and clock from C library layouts such as "%d.%m.%Y" and
// "%H:%M:%S" (what LC_TIME gives for D_FMT and T_FMT); parts it cannot read are left as they are.
void ApplyPosixDateTimeLayouts(Locale& locale, std::string_view dateLayout, std::string_view timeLayout);

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

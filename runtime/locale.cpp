#include "runtime/locale.h"

#include <clocale>

namespace lattix {

namespace {
Locale& currentStorage() {
    static Locale locale = Locale::fromProcess();
    return locale;
}
} // namespace

Locale Locale::invariant() { return Locale{}; }

Locale Locale::decimalComma() {
    Locale l;
    l.decimalSeparator = ",";
    l.thousandsSeparator = ".";
    l.dateSeparator = ".";
    l.dateOrder = DateOrder::DayMonthYear;
    l.currencySymbol = "\xE2\x82\xAC";
    return l;
}

Locale Locale::fromProcess() {
    Locale l;
    // Read LC_NUMERIC as the environment sets it, without disturbing the process's own setting.
    const char* saved = std::setlocale(LC_NUMERIC, nullptr);
    std::string savedName = saved ? saved : "C";
    if (std::setlocale(LC_NUMERIC, "")) {
        const lconv* lc = std::localeconv();
        if (lc && lc->decimal_point && *lc->decimal_point) l.decimalSeparator = lc->decimal_point;
        if (lc && lc->thousands_sep && *lc->thousands_sep) l.thousandsSeparator = lc->thousands_sep;
        else l.thousandsSeparator = l.decimalSeparator == "," ? "." : ",";
    }
    std::setlocale(LC_NUMERIC, savedName.c_str());
    if (l.decimalSeparator == ",") {
        l.dateSeparator = ".";
        l.dateOrder = DateOrder::DayMonthYear;
    }
    return l;
}

const Locale& Locale::current() { return currentStorage(); }
void Locale::setCurrent(const Locale& locale) { currentStorage() = locale; }

} // namespace lattix

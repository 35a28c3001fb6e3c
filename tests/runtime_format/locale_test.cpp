#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "runtime/locale.h"

namespace lattix {
namespace {

TEST(Locale, LayoutsFollowOrderAndClock) {
    Locale l = Locale::invariant();
    EXPECT_EQ(l.shortDatePattern(), "m/d/yyyy");
    EXPECT_EQ(l.longDatePattern(), "dddd, mmmm d, yyyy");
    EXPECT_EQ(l.longTimePattern(), "h:nn:ss AM/PM");
    EXPECT_EQ(l.currencyPattern(), "\"$\"#,##0.00;(\"$\"#,##0.00)");
    Locale c = Locale::decimalComma();
    EXPECT_EQ(c.shortDatePattern(), "dd/mm/yyyy");
    EXPECT_EQ(c.longDatePattern(), "dddd, d. mmmm yyyy");
    EXPECT_EQ(c.longTimePattern(), "hh:nn:ss");
    c.longTimeFormat = "h.nn";
    EXPECT_EQ(c.longTimePattern(), "h.nn");
    l.dateOrder = Locale::DateOrder::YearMonthDay;
    EXPECT_EQ(l.shortDatePattern(), "yyyy/mm/dd");
}

TEST(Locale, ReadsPosixDateAndTimeLayouts) {
    Locale l = Locale::invariant();
    ApplyPosixDateTimeLayouts(l, "%d.%m.%Y", "%H:%M:%S");
    EXPECT_EQ(l.dateOrder, Locale::DateOrder::DayMonthYear);
    EXPECT_EQ(l.dateSeparator, ".");
    EXPECT_TRUE(l.use24HourClock);
    EXPECT_EQ(l.timeSeparator, ":");

    ApplyPosixDateTimeLayouts(l, "%F", "%I.%M.%S %p");
    EXPECT_EQ(l.dateOrder, Locale::DateOrder::YearMonthDay);
    EXPECT_EQ(l.dateSeparator, "-");
    EXPECT_FALSE(l.use24HourClock);
    EXPECT_EQ(l.timeSeparator, ".");

    ApplyPosixDateTimeLayouts(l, "%m/%d/%Y", "%r");
    EXPECT_EQ(l.dateOrder, Locale::DateOrder::MonthDayYear);
    EXPECT_EQ(l.dateSeparator, "/");

    Locale untouched = Locale::invariant();
    ApplyPosixDateTimeLayouts(untouched, "", "");
    EXPECT_EQ(untouched.shortDatePattern(), "m/d/yyyy");
    EXPECT_FALSE(untouched.use24HourClock);
}

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) saved_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (saved_) setenv(name_, saved_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

TEST(Locale, TheCLocaleGivesTheInvariantSettings) {
    ScopedEnv env("LC_ALL", "C");
    Locale l = Locale::fromProcess();
    Locale inv = Locale::invariant();
    EXPECT_EQ(l.decimalSeparator, ".");
    EXPECT_EQ(l.thousandsSeparator, ",");
    EXPECT_EQ(l.shortDatePattern(), inv.shortDatePattern());
    EXPECT_EQ(l.longTimePattern(), inv.longTimePattern());
    EXPECT_EQ(l.dayNames, inv.dayNames);
    EXPECT_EQ(l.monthAbbrevs, inv.monthAbbrevs);
    EXPECT_EQ(l.amDesignator, "AM");
}

TEST(Locale, ScopedLocaleRestoresThePrevious) {
    const std::string before = Locale::current().decimalSeparator;
    {
        Locale l = Locale::invariant();
        l.decimalSeparator = "#";
        ScopedLocale scoped(l);
        EXPECT_EQ(Locale::current().decimalSeparator, "#");
    }
    EXPECT_EQ(Locale::current().decimalSeparator, before);
}

} // namespace
} // namespace lattix

// Calendar fields of an automation date (days since 1899-12-30, the fraction being the time of day).
#pragma once

#include <cstdint>

namespace lattix {

// The earliest and the first value past the latest serial of the automation date range (years 100 to 9999).
inline constexpr double kMinDateSerial = -657434.0;
inline constexpr double kMaxDateSerialExclusive = 2958466.0;

struct DateParts {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;
    int weekday = 7;    // 1 = Sunday .. 7 = Saturday
    int dayOfYear = 364; // 1..366
    // True when the serial has no day part (only a time): such values are written as a time alone.
    bool timeOnly = false;

    bool hasTime() const { return hour != 0 || minute != 0 || second != 0; }
};

bool IsValidDateSerial(double serial);

// Splits a serial into calendar fields; the time is rounded to the nearest second. For a negative
// serial the fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
// The serial must be valid (IsValidDateSerial).
DateParts SplitDateSerial(double serial);

// The serial of a calendar date at midnight. Months and days out of range roll over.
double DateSerialOf(int year, int month, int day);

// Week of the year with Sunday as the first day and the week containing January 1 as week 1.
int WeekOfYear(const DateParts& parts);

} // namespace lattix

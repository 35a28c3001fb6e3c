#include "runtime/date_parts.h"

#include <cmath>

namespace lattix {

namespace {

// Days between 1970-01-01 and 1899-12-30.
constexpr int64_t kSerialToUnixDays = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (after H. Hinnant's civil calendar algorithms).
int64_t daysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

} // namespace

bool IsValidDateSerial(double serial) { return serial >= kMinDateSerial && serial < kMaxDateSerialExclusive; }

DateParts SplitDateSerial(double serial) {
    DateParts p;
    double whole = std::trunc(serial);
    int64_t dayNumber = static_cast<int64_t>(whole);
    p.timeOnly = dayNumber == 0;
    int64_t seconds = std::llround(std::fabs(serial - whole) * 86400.0);
    if (seconds >= 86400) {
        // 23:59:59.5 and later round into the next calendar day.
        seconds -= 86400;
        dayNumber += 1;
    }
    p.hour = static_cast<int>(seconds / 3600);
    p.minute = static_cast<int>(seconds / 60 % 60);
    p.second = static_cast<int>(seconds % 60);

    int64_t unixDays = dayNumber - kSerialToUnixDays;
    civilFromDays(unixDays, p.year, p.month, p.day);
    // 1970-01-01 was a Thursday (weekday 5 with Sunday = 1).
    p.weekday = static_cast<int>(((unixDays + 4) % 7 + 7) % 7) + 1;
    p.dayOfYear = static_cast<int>(unixDays - daysFromCivil(p.year, 1, 1)) + 1;
    return p;
}

double DateSerialOf(int year, int month, int day) {
    int64_t y = year + (month - 1) / 12;
    int64_t m = (month - 1) % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    return static_cast<double>(daysFromCivil(y, m + 1, 1) + (day - 1) + kSerialToUnixDays);
}

int WeekOfYear(const DateParts& parts) {
    // Weekday (0 = Sunday) of January 1, then count whole weeks from the Sunday on or before it.
    int jan1Weekday = ((parts.weekday - 1 - (parts.dayOfYear - 1)) % 7 + 7) % 7;
    return (parts.dayOfYear - 1 + jan1Weekday) / 7 + 1;
}

} // namespace lattix

#include "runtime/decimal_digits.h"

#include <charconv>
#include <cmath>

namespace lattix {

namespace {
void trimTrailingZeros(DecimalDigits& d) {
    while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
    if (d.count == 0) d.pointPos = 0;
}
} // namespace

DecimalDigits DecimalDigits::fromDouble(double magnitude, int significant) {
    DecimalDigits d;
    magnitude = std::fabs(magnitude);
    if (!(magnitude > 0) || !std::isfinite(magnitude)) return d;
    if (significant < 1) significant = 1;
    if (significant > 17) significant = 17;
    // "d.ddddde+XX": the first digit, the point, significant - 1 digits, then the exponent.
    char buf[48];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, significant - 1);
    const char* p = buf;
    const char* end = res.ptr;
    for (; p < end && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') d.digits[d.count++] = *p;
    int exponent = 0;
    if (p < end) std::from_chars(p + 1 + (p[1] == '+'), end, exponent);
    d.pointPos = exponent + 1;
    trimTrailingZeros(d);
    return d;
}

DecimalDigits DecimalDigits::fromUnsigned(uint64_t magnitude, int fractionDigits) {
    DecimalDigits d;
    if (magnitude == 0) return d;
    auto res = std::to_chars(d.digits, d.digits + sizeof d.digits, magnitude);
    d.count = static_cast<int>(res.ptr - d.digits);
    d.pointPos = d.count - fractionDigits;
    trimTrailingZeros(d);
    return d;
}

void DecimalDigits::roundToDigits(int keep) {
    if (keep >= count) return;
    if (keep < 0) {
        count = 0;
        pointPos = 0;
        return;
    }
    bool up = digits[keep] >= '5';
    count = keep;
    if (up) {
        int i = count - 1;
        while (i >= 0 && digits[i] == '9') --i;
        if (i >= 0) {
            ++digits[i];
            count = i + 1;
        } else {
            // All nines (or nothing kept): the carry makes a new leading 1.
            digits[0] = '1';
            count = 1;
            ++pointPos;
        }
    }
    trimTrailingZeros(*this);
}

} // namespace lattix

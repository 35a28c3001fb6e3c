// The decimal form of a number as Format rounds it: significant digits and the place of the point.
//
// A double is taken to 15 significant digits and a single to 7, the precision a reader sees when the
// value is written out; so 2.675 is the digits 2675 and rounds to 2.68, not to the 2.67 of its binary
// value. Integers and currency are exact.
#pragma once

#include <cstdint>
#include <string_view>

namespace lattix {

struct DecimalDigits {
    // Up to 20 significant digits ('0'..'9'), no leading and no trailing zeros; none for zero.
    char digits[24] = {};
    int count = 0;
    // Digits before the decimal point: the value is 0.d1d2d3... times 10^pointPos.
    int pointPos = 0;

    bool isZero() const { return count == 0; }
    // Digit at index i of the infinite expansion ('0' past the stored digits).
    char at(int i) const { return i >= 0 && i < count ? digits[i] : '0'; }

    static DecimalDigits fromDouble(double magnitude, int significant = 15);
    static DecimalDigits fromUnsigned(uint64_t magnitude, int fractionDigits = 0);

    // Rounds half away from zero, keeping `keep` digits from the start (keep may be 0 or negative:
    // the value then becomes 0 or, for 0.5 and more of the next unit, a single 1 one place further left).
    void roundToDigits(int keep);
    // Rounds to the given number of digits after the decimal point.
    void roundToFraction(int fractionDigits) { roundToDigits(pointPos + fractionDigits); }
};

} // namespace lattix

#include "runtime/format_number.h"

#include <algorithm>
#include <cstdlib>

namespace lattix::format_detail {

namespace {

void appendExponent(std::string& out, int exponent, int minDigits) {
    const std::string digits = std::to_string(std::llabs(static_cast<long long>(exponent)));
    if (static_cast<int>(digits.size()) < minDigits) out.append(static_cast<size_t>(minDigits) - digits.size(), '0');
    out += digits;
}

} // namespace

void RenderNumber(const Section& s, DecimalDigits d, bool minus, const Locale& locale, std::string& out) {
    if (minus) out += '-';
    if (!d.isZero()) d.pointPos += 2 * s.percent - 3 * s.thousandsScale;

    const int P = s.intPlaceholders;
    const int F = s.fracPlaceholders;
    int exponent = 0;
    if (s.scientific) {
        if (!d.isZero()) {
            // As many integer digits as the pattern has integer placeholders.
            d.roundToDigits(P + F);
            exponent = d.pointPos - P;
            d.pointPos = P;
        }
    } else {
        d.roundToFraction(F);
    }

    const int intDigits = d.isZero() ? 0 : std::max(d.pointPos, 0);
    // '#' after the point shows a digit only up to the last significant one or the last '0'.
    const int significantFraction = std::clamp(d.count - d.pointPos, 0, F);
    const int shownFraction = std::max(significantFraction, s.lastFracZero);

    auto separatorAfter = [&](int position) {
        if (s.grouping && position > 0 && position % 3 == 0) out += locale.thousandsSeparator;
    };

    int intIndex = 0, fracIndex = 0;
    bool exponentWritten = false;
    for (const Item& item : s.items) {
        switch (item.op) {
        case Op::Literal: out += item.text; break;
        case Op::IntDigit: {
            const int position = P - 1 - intIndex; // 0 = units
            if (intIndex == 0 && intDigits > P) {
                // Digits the pattern has no room for all go to the first placeholder.
                for (int k = 0; k <= intDigits - P; ++k) {
                    out += d.at(k);
                    separatorAfter(intDigits - 1 - k);
                }
            } else if (position < intDigits) {
                out += d.at(intDigits - 1 - position);
                separatorAfter(position);
            } else if (item.zero) {
                out += '0';
                separatorAfter(position);
            }
            ++intIndex;
            break;
        }
        case Op::DecimalPoint: out += locale.decimalSeparator; break;
        case Op::FracDigit:
            ++fracIndex;
            if (fracIndex <= shownFraction) out += d.at(d.pointPos + fracIndex - 1);
            break;
        case Op::Exponent:
            out += item.text;
            if (exponent < 0) out += '-';
            else if (item.plusSign) out += '+';
            if (s.expPlaceholders == 0) appendExponent(out, exponent, 1);
            break;
        case Op::ExpDigit:
            if (!exponentWritten) appendExponent(out, exponent, std::max(s.expZeros, 1));
            exponentWritten = true;
            break;
        default: break;
        }
    }
}

} // namespace lattix::format_detail

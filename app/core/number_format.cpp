// ChooseNumberFormat on top of an injected pattern formatter.
#include "app/core/number_format.h"

#include "app/core/numbers.h"

namespace avigram {

std::string ChooseNumberFormat(double x, const PatternFormatter& format) {
    std::string pattern = ChooseNumberPattern(x);
    return format ? format(x, pattern) : std::string();
}

} // namespace avigram

// ChooseNumberFormat on top of an injected pattern formatter.
#include "app/core/number_format.h"

#include "app/core/numbers.h"

#if __has_include("runtime/format.h")
#include "runtime/format.h"
#define AVIGRAM_HAS_RUNTIME_FORMAT 1
#endif

namespace avigram {

PatternFormatter RuntimeFormatter() {
#ifdef AVIGRAM_HAS_RUNTIME_FORMAT
    return [](double value, std::string_view pattern) {
        return lattix::Format(lattix::Variant(value), pattern, lattix::Locale::current());
    };
#else
    return {};
#endif
}

std::string ChooseNumberFormat(double x, const PatternFormatter& format) {
    std::string pattern = ChooseNumberPattern(x);
    return format ? format(x, pattern) : std::string();
}

} // namespace avigram

#include "grid/model/layout_text.h"

#include <charconv>

#include "grid/automation/error_table.h"
#include "runtime/automation.h"

namespace lattix {

using namespace lattix_error;

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int64_t ReadWide(std::string_view s) {
    s = Trim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int64_t n = 0;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, n);
    if (s.empty() || ec != std::errc() || ptr != end) RaiseLattixError(kInvalidArgument);
    return n;
}

} // namespace

int32_t ReadLayoutNumber(std::string_view s) {
    const int64_t n = ReadWide(s);
    if (n < INT32_MIN || n > INT32_MAX) RaiseLattixError(kInvalidArgument);
    return static_cast<int32_t>(n);
}

LayoutText ReadLayoutText(std::string_view text) {
    LayoutText out;
    if (!text.empty() && text.front() == '{') {
        const size_t close = text.find('}');
        if (close == std::string_view::npos) RaiseLattixError(kInvalidArgument);
        std::string_view settings = text.substr(1, close - 1);
        text.remove_prefix(close + 1);
        while (!settings.empty()) {
            const size_t semi = settings.find(';');
            std::string_view setting = settings.substr(0, semi);
            settings = semi == std::string_view::npos ? std::string_view() : settings.substr(semi + 1);
            if (Trim(setting).empty()) continue;
            const size_t eq = setting.find('=');
            if (eq == std::string_view::npos) RaiseLattixError(kInvalidArgument);
            if (AsciiLower(Trim(setting.substr(0, eq))) == "dpi") {
                out.dpi = ReadWide(setting.substr(eq + 1));
                out.hasDpi = true;
            }
        }
    }
    // Every field ends with "|"; a last field without one still counts.
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const size_t bar = text.find('|');
        fields.push_back(text.substr(0, bar));
        text = bar == std::string_view::npos ? std::string_view() : text.substr(bar + 1);
    }
    if (fields.size() % 3 != 0) RaiseLattixError(kInvalidArgument);
    out.triples.reserve(fields.size() / 3);
    for (size_t i = 0; i < fields.size(); i += 3) {
        LayoutTriple t;
        t.index = ReadLayoutNumber(fields[i]);
        t.name = AsciiLower(Trim(fields[i + 1]));
        if (t.name.empty()) RaiseLattixError(kInvalidArgument);
        t.value = std::string(fields[i + 2]);
        out.triples.push_back(std::move(t));
    }
    return out;
}

} // namespace lattix

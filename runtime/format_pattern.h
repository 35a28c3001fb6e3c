// The parsed form of a Format pattern: up to four sections, each a list of items of one kind
// (number, date/time, text or plain literal). Parsing is done once per distinct pattern text and
// cached, because the grid formats every displayed cell with the same few patterns.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lattix::format_detail {

enum class SectionKind : uint8_t { Literal, Number, Date, Text };

enum class Op : uint8_t {
    Literal, // text copied as it is
    // Number sections.
    IntDigit,     // zero: '0' (always shown) or '#' (shown when significant)
    DecimalPoint, // the locale's decimal separator
    FracDigit,
    Exponent, // text is "E" or "e"; plusSign when written E+ / e+
    ExpDigit,
    // Date sections.
    Day,
    Day2,
    DayAbbrev,
    DayName,
    ShortDate,
    LongDate,
    Weekday,
    WeekOfYear,
    Month,
    Month2,
    MonthAbbrev,
    MonthName,
    Quarter,
    DayOfYear,
    Year2,
    Year4,
    Hour,
    Hour2,
    Minute,
    Minute2,
    Second,
    Second2,
    LongTime,
    GeneralDate,
    AmPm,       // text holds the pattern's own letters: "AM/PM", "am/pm", "A/P", "a/p"
    AmPmLocale, // AMPM: the locale's designators
    DateSeparator,
    TimeSeparator,
    // Text sections.
    CharOrSpace,   // '@'
    CharOrNothing, // '&'
};

struct Item {
    Op op = Op::Literal;
    bool zero = false;     // IntDigit / FracDigit / ExpDigit written as '0'
    bool plusSign = false; // Exponent
    std::string text;
};

struct Section {
    SectionKind kind = SectionKind::Literal;
    std::vector<Item> items;
    // True for a section written with nothing in it ("0;;0"): it borrows the first section.
    bool empty = false;

    // Number sections.
    int intPlaceholders = 0;
    int fracPlaceholders = 0;
    int lastFracZero = 0; // 1-based index of the last '0' after the point; 0 when none
    int expPlaceholders = 0;
    int expZeros = 0;
    bool grouping = false;
    bool scientific = false;
    int thousandsScale = 0; // each ',' right of the digits divides by 1000
    int percent = 0;        // each '%' multiplies by 100

    // Date sections.
    bool twelveHour = false;

    // Text sections.
    int charPlaceholders = 0;
    bool leftToRight = false;
    enum class Case : uint8_t { Keep, Lower, Upper } caseMode = Case::Keep;

    // The concatenated literal text: what a section shows for Null or a zero-length string.
    std::string literalText() const;
};

struct Pattern {
    std::vector<Section> sections;
};

Pattern ParsePattern(std::string_view format);

// The parsed pattern of a format text, from the per-thread cache.
std::shared_ptr<const Pattern> CachedPattern(std::string_view format);

} // namespace lattix::format_detail

// Number helpers shared by all of Avigram: ParseNumber, ParseWholeNumber, CommaToDot,
// SwapSeparators, ChooseNumberFormat (as the pattern it picks), ConvertUnits, and the texts a number
// gets when it is turned into a string ("as the locale writes it") or printed into a report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace avigram {

// The leading decimal number of a text ("." as decimal point, no comma step): whether there is one,
// whether it lies beyond the double range (value 0 then), and where it ends.
struct NumberScan {
    double value = 0;
    bool found = false;
    bool outOfRange = false;
    bool negative = false;
    std::size_t end = 0;
};
NumberScan ScanNumber(std::string_view text);

// The number a whole text (blanks around it allowed, "," or "." as decimal point) stands for;
// nothing when the text is no number, holds more than a number, or lies beyond the double range.
std::optional<double> WholeTextNumber(std::string_view text);

// Reads the leading decimal number of a text after replacing its first "," by ".". Leading blanks,
// tabs and line feeds are skipped; a sign, digits with at most one "." and an exponent follow.
// No number, or a number outside the double range, gives 0. Independent of the locale.
double ParseNumber(std::string_view text);

// The same leading number without the comma step, rounded half to even to a whole number;
// numbers beyond the 32-bit range saturate.
int32_t ParseWholeNumber(std::string_view text);

// The leading number with "." as decimal point, without the comma step (0 when there is none).
double LeadingNumber(std::string_view text);

std::string CommaToDot(std::string_view text);

// Makes a text that holds the other separator use the locale's one (see the procedure notes).
std::string SwapSeparators(std::string_view text, bool localeUsesComma);

// The pattern ChooseNumberFormat formats x with: "0" for exactly 0, else "0.##0", "##.#0", "###.0"
// or "####" by magnitude.
std::string ChooseNumberPattern(double x);

enum class UnitDirection { ToInternal, ToDisplay };

// Factor 1 for kilograms (0), 1/2.205 for pounds (1), 1/1000 for grams (2); other units use 1.
double ConvertUnits(int displayUnits, UnitDirection direction, double x);

// Rounds half to even to the given number of decimals (the rounding of the distribution formulas).
double RoundHalfEvenTo(double x, int decimals);

// Whole number of a double, rounded half to even and limited to the 32-bit range (NaN gives 0).
int32_t ToWholeNumber(double x);

// The text of a number as the locale writes it when it is turned into a string (at most 15
// significant digits, the locale's decimal separator).
std::string LocaleNumberText(double x);

// The text of a number in a report line: a blank (or "-"), the shortest decimal text with the
// locale's decimal separator, and one blank.
std::string ReportNumberText(double x);

// Whether the current locale writes decimals with "," (the start-up locale test).
bool DetectLocaleUsesComma();

} // namespace avigram

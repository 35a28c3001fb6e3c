#include <gtest/gtest.h>

#include "runtime/format.h"

namespace lattix {
namespace {

const Locale kDot = Locale::invariant();

std::string fmt(const Variant& v, const char* pattern) { return Format(v, pattern, kDot); }

TEST(FormatText, PlaceholdersFillFromTheRightUnlessExclaimed) {
    EXPECT_EQ(fmt("abc", "@@@@@"), "  abc");
    EXPECT_EQ(fmt("abc", "!@@@@@"), "abc  ");
    EXPECT_EQ(fmt("abc", "&&&&&"), "abc");
    EXPECT_EQ(fmt("abc", "!&&&&&"), "abc");
    EXPECT_EQ(fmt("abc", "@@&@@"), "  abc");
    EXPECT_EQ(fmt("a", "@&@"), " a");
    EXPECT_EQ(fmt("5551234", "@@@-@@@@"), "555-1234");
    EXPECT_EQ(fmt("abc", "(@@@)"), "(abc)");
    EXPECT_EQ(fmt("abc", "@-@"), "ab-c");
    // Characters the pattern has no room for are kept, at the open end.
    EXPECT_EQ(fmt("abcdef", "@@"), "abcdef");
    EXPECT_EQ(fmt("abcdef", "!@@"), "abcdef");
    EXPECT_EQ(fmt("abcdef", "!@-@"), "a-bcdef");
    EXPECT_EQ(fmt("abc", "\"@\"@@@@"), "@ abc");
}

TEST(FormatText, CaseConversion) {
    EXPECT_EQ(fmt("abc", ">"), "ABC");
    EXPECT_EQ(fmt("AbC", "<"), "abc");
    EXPECT_EQ(fmt("abc", ">@@@@"), " ABC");
    EXPECT_EQ(fmt("\xC3\xA9t\xC3\xA9", ">"), "\xC3\x89T\xC3\x89"); // été
    EXPECT_EQ(fmt("\xC3\x89T\xC3\x89", "<"), "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(fmt("\xC3\xB7", ">"), "\xC3\xB7"); // the division sign has no case
}

TEST(FormatText, CountsCharactersNotBytes) {
    EXPECT_EQ(fmt("\xC3\xA4" "b", "@@@"), " \xC3\xA4" "b");
    EXPECT_EQ(fmt("\xE2\x82\xAC", "!@@"), "\xE2\x82\xAC ");
}

TEST(FormatText, EmptyAndNullSection) {
    EXPECT_EQ(fmt("", "@;\\e\\m\\p\\t\\y"), "empty");
    EXPECT_EQ(fmt(Variant::null(), "@;\\e\\m\\p\\t\\y"), "empty");
    EXPECT_EQ(fmt(Variant(), "@;\\e\\m\\p\\t\\y"), "empty");
    EXPECT_EQ(fmt("x", "@;\\e\\m\\p\\t\\y"), "x");
    EXPECT_EQ(fmt("", "@@"), "  ");
    EXPECT_EQ(fmt(Variant::null(), "@@"), "");
}

TEST(FormatText, OtherValuesUseTheirText) {
    EXPECT_EQ(fmt(Variant(int32_t{5}), "@@@"), "  5");
    EXPECT_EQ(Format(Variant(1.5), "@@@@", Locale::decimalComma()), " 1,5");
    EXPECT_EQ(fmt(Variant(true), ">"), "TRUE");
    EXPECT_EQ(fmt("1234.5", "@"), "1234.5"); // a number-like text stays text in a text pattern
}

} // namespace
} // namespace lattix

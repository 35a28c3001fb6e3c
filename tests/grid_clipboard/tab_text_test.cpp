// The tab-separated text format: what the grid writes, and reading what spreadsheet programs put on
// the clipboard.
#include <gtest/gtest.h>

#include <random>

#include "grid/input/tab_text.h"

using lattix::AppendTabField;
using lattix::ReadTabText;
using lattix::TabTable;
using Rows = std::vector<std::vector<std::string>>;

namespace {
std::string field(std::string_view s) {
    std::string out;
    AppendTabField(out, s);
    return out;
}

std::string write(const Rows& rows) {
    std::string out;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (r) out += "\r\n";
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (c) out += '\t';
            AppendTabField(out, rows[r][c]);
        }
    }
    return out;
}
} // namespace

TEST(TabText, FieldsWithSeparatorsQuotesOrLineBreaksAreQuotedWithQuotesDoubled) {
    EXPECT_EQ(field("plain 1,5"), "plain 1,5");
    EXPECT_EQ(field(""), "");
    EXPECT_EQ(field("a\tb"), "\"a\tb\"");
    EXPECT_EQ(field("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(field("\""), "\"\"\"\"");
    // A cell's CR LF line break is written as the single LF spreadsheets keep in cells.
    EXPECT_EQ(field("one\r\ntwo"), "\"one\ntwo\"");
    EXPECT_EQ(field("lone\rcr"), "\"lone\rcr\"");
    EXPECT_EQ(field("lone\nlf"), "\"lone\nlf\"");
}

TEST(TabText, ReadsLinesAtCrLfOrLfAndIgnoresOneTrailingLineEndAndNuls) {
    EXPECT_EQ(ReadTabText("a\tb\r\nc\td\r\n").rows, (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ReadTabText("a\tb\nc\td\n").rows, (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ReadTabText("a\tb\r\nc\td").rows, (Rows{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ReadTabText(std::string("x\r\n\0\0", 5)).rows, (Rows{{"x"}}));
    // Only one trailing line end goes: a second one is an empty last row.
    EXPECT_EQ(ReadTabText("x\r\n\r\n").rows, (Rows{{"x"}, {""}}));
    EXPECT_TRUE(ReadTabText("").empty());
    EXPECT_EQ(ReadTabText("\r\n").rows, (Rows{{""}})); // one empty cell copied
    EXPECT_TRUE(ReadTabText(std::string("\0\0", 2)).empty());
}

TEST(TabText, RaggedRowsKeepTheirLengthAndTheWidestGivesTheColumnCount) {
    TabTable t = ReadTabText("1\t2\t3\r\n4\r\n\t\t\t");
    EXPECT_EQ(t.rows, (Rows{{"1", "2", "3"}, {"4"}, {"", "", "", ""}}));
    EXPECT_EQ(t.columns, 4u);
}

TEST(TabText, QuotedFieldsAsSpreadsheetsWriteThem) {
    // A cell with a line break, one with quotes, one with a tab, and a plain one.
    TabTable t = ReadTabText("\"first\nsecond\"\t\"say \"\"hi\"\"\"\r\n\"a\tb\"\tplain\r\n");
    EXPECT_EQ(t.rows, (Rows{{"first\r\nsecond", "say \"hi\""}, {"a\tb", "plain"}}));
    // A quoted field whose line break is already CR LF keeps it as it is.
    EXPECT_EQ(ReadTabText("\"x\r\ny\"").rows, (Rows{{"x\r\ny"}}));
    // Quotes that do not open a field are plain characters.
    EXPECT_EQ(ReadTabText("5\" pipe\tit's \"ok\"").rows, (Rows{{"5\" pipe", "it's \"ok\""}}));
}

TEST(TabText, AQuoteThatNeverClosesIsReadAsPlainTextAndSwallowsNothing) {
    EXPECT_EQ(ReadTabText("\"open\tb\r\nc\td").rows, (Rows{{"\"open", "b"}, {"c", "d"}}));
    // A quote closed by something other than a separator does not close the field.
    EXPECT_EQ(ReadTabText("\"ab\"cd\tx").rows, (Rows{{"\"ab\"cd", "x"}}));
}

TEST(TabText, WrittenTablesReadBackUnchanged) {
    const Rows rows{{"", "tab\there", "quote\"inside", "\"quoted\""},
                    {"line\r\nbreak", "\r\n", "end\r", "1,5"},
                    {"\"", "\t", "", ""}};
    EXPECT_EQ(ReadTabText(write(rows)).rows, rows);
    EXPECT_EQ(ReadTabText(write(rows) + "\r\n").rows, rows);
}

// Random texts made of the characters that matter to the format: the reader never fails, every row
// is accounted for in the column count, and what it read writes back and reads again unchanged.
TEST(TabText, SeededRandomInputsReadConsistently) {
    std::mt19937 rng(16016);
    const char alphabet[] = {'\t', '"', '\r', '\n', 'a', 'b', ' ', '\0', ',', '\x80'};
    std::uniform_int_distribution<int> len(0, 24), pick(0, sizeof(alphabet) - 1);
    for (int n = 0; n < 100000; ++n) {
        std::string text;
        const int l = len(rng);
        for (int i = 0; i < l; ++i) text.push_back(alphabet[pick(rng)]);
        const TabTable t = ReadTabText(text);
        size_t widest = 0;
        for (const auto& row : t.rows) {
            ASSERT_FALSE(row.empty());
            widest = std::max(widest, row.size());
        }
        ASSERT_EQ(t.columns, widest) << n;
        if (t.empty()) continue; // NULs only
        bool crBeforeBreak = false;        // the one ambiguity of the format (see tab_text.h)
        for (const auto& row : t.rows)
            for (const std::string& f : row) crBeforeBreak = crBeforeBreak || f.find("\r\r\n") != std::string::npos;
        if (crBeforeBreak) continue;
        ASSERT_EQ(ReadTabText(write(t.rows) + "\r\n").rows, t.rows) << "input " << n;
    }
}

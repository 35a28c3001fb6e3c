// The exports of the result grids: numbers in cell texts, CSV quoting and separators, and a workbook
// that can be written (its cells are read back by the batch's Python test).
#include <gtest/gtest.h>

#include "app/core/grid_export.h"
#include "test_support.h"

namespace avigram {
namespace {

TEST(Export, CellTextsThatAreNumbers) {
    auto n = ExportNumberOf("512.3 g", ".");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->value, 512.3);
    EXPECT_EQ(n->decimals, 1);
    EXPECT_EQ(n->unit, "g");
    n = ExportNumberOf("76,04 tonnes", ",");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->value, 76.04);
    EXPECT_EQ(n->unit, "tonnes");
    n = ExportNumberOf(" .50 ", ".");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->value, 0.5);
    n = ExportNumberOf("-3", ".");
    ASSERT_TRUE(n);
    EXPECT_EQ(n->value, -3);
    EXPECT_EQ(n->decimals, 0);
    for (const char* text : {"", "House 1", "1.00  - 1.10", "Below - 1.51", "2.5 kgs", "1e5", "2,5", "-"})
        EXPECT_FALSE(ExportNumberOf(text, ".")) << text;
    EXPECT_FALSE(ExportNumberOf("2.5", ",")) << "a point is no decimal separator in a comma locale";
}

TEST(Export, CsvQuotesWhereNeeded) {
    ExportSheet sheet{"S", {"Name", "", "Weight"}, {{"House 1", "", "2.5"}, {"a,b", "say \"hi\"", " 1.00  - 1.10 "}}};
    EXPECT_EQ(CsvText(sheet, "."), "Name,,Weight\r\nHouse 1,,2.5\r\n\"a,b\",\"say \"\"hi\"\"\",\" 1.00  - 1.10 \"\r\n");
    sheet.captions.clear();
    sheet.texts = {{"2,5", "a;b", "x"}};
    EXPECT_EQ(CsvText(sheet, ","), "2,5;\"a;b\";x\r\n");
}

TEST(Export, WorkbookIsWrittenWholeOrNotAtAll) {
    test::ScratchFolder dir;
    std::vector<ExportSheet> sheets = {{"One", {}, {{"a", "1.5"}}}, {"Two", {"P"}, {{"2 g"}}}};
    std::string why;
    ASSERT_TRUE(WriteXlsx(dir.str() + "book.xlsx", sheets, ".", &why)) << why;
    EXPECT_EQ(dir.Read("book.xlsx").substr(0, 2), "PK");
    // Two sheets of the same name cannot be: the old workbook stays.
    const std::string old = dir.Read("book.xlsx");
    sheets[1].name = "One";
    EXPECT_FALSE(WriteXlsx(dir.str() + "book.xlsx", sheets, ".", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(dir.Read("book.xlsx") == old);
    EXPECT_FALSE(WriteXlsx(dir.str() + "none.xlsx", {}, ".", &why));
    EXPECT_FALSE(dir.Has("none.xlsx"));
}

} // namespace
} // namespace avigram

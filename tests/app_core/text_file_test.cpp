// Line ends, text encodings, CR LF writing and item reading of the program's text files.
#include <gtest/gtest.h>

#include "app/core/paths.h"
#include "app/core/text_file.h"
#include "test_support.h"

namespace avigram {
namespace {

TEST(TextFile, LinesSplitAtAnyLineEnd) {
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), (V{"a"}));
    EXPECT_EQ(SplitLines("a\n\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\r\n"), (V{"", ""}));
    EXPECT_EQ(SplitLines(""), V{});
}

TEST(TextFile, Utf8IsKeptAndOtherBytesAreWindows1252) {
    EXPECT_EQ(DecodeLine("Br\xC3\xBC"
                         "ste"),
              "Br\xC3\xBC"
              "ste");
    EXPECT_EQ(DecodeLine("\xEF\xBB\xBFHeader"), "Header");
    EXPECT_EQ(DecodeLine("Br\xFCste"), "Br\xC3\xBC"
                                       "ste");                             // Latin-1 range
    EXPECT_EQ(DecodeLine("\x80 5"), "\xE2\x82\xAC 5");                     // euro sign of the code page
    EXPECT_EQ(DecodeLine("\xC3"), "\xC3\x83");                             // truncated sequence
    EXPECT_EQ(DecodeLine("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC"); // surrogate is not UTF-8
}

TEST(TextFile, WritesCrLfAndReadsBack) {
    test::ScratchFolder dir;
    ASSERT_TRUE(WriteTextLines(dir.str() + "out.txt", {"a\tb", ""}));
    EXPECT_EQ(dir.Read("out.txt"), "a\tb\r\n\r\n");
    auto lines = ReadTextLines(dir.str() + "out.txt");
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"a\tb", ""}));
    EXPECT_FALSE(ReadTextLines(dir.str() + "missing.txt"));
    EXPECT_FALSE(WriteTextLines(dir.str() + "no/such/folder/x.txt", {"a"}));
}

TEST(TextFile, ItemsRunToCommasAndLineEnds) {
    ItemReader reader({"A, B ,Next", "\"C, quoted\",D", ""});
    std::vector<std::string> items;
    while (auto item = reader.Next())
        items.push_back(*item);
    EXPECT_EQ(items, (std::vector<std::string>{"A", "B", "Next", "C, quoted", "D", ""}));
    EXPECT_EQ(FirstItem("X:\\dataCARCDATA.txt,more"), "X:\\dataCARCDATA.txt");
}

TEST(Paths, FoldersEndAtEitherSeparatorAndCompanionsIgnoreCase) {
    CarcassName n = SplitCarcassName("C:\\data\\BroilerCARCDATA.txt");
    EXPECT_EQ(n.folder, "C:\\data\\");
    EXPECT_EQ(n.prefix, "Broiler");
    n = SplitCarcassName("/srv/flocks/LayerCARCDATA.txt");
    EXPECT_EQ(n.folder, "/srv/flocks/");
    EXPECT_EQ(n.prefix, "Layer");
    n = SplitCarcassName("mixed/dir\\CARCDATA.txt");
    EXPECT_EQ(n.folder, "mixed/dir\\");
    EXPECT_EQ(n.prefix, "");
    EXPECT_EQ(SplitCarcassName("short").prefix, "");

    test::ScratchFolder dir;
    dir.Write("broiler.CLB", "x");
    EXPECT_EQ(ResolveFile(dir.str() + "Broiler.clb", true), dir.str() + "broiler.CLB");
    EXPECT_EQ(ResolveFile(dir.str() + "Broiler.clb", false), "");
    std::string backslashed = dir.str() + "sub\\f.txt";
    std::filesystem::create_directories(dir.str() + "sub");
    dir.Write("sub/f.txt", "y");
    EXPECT_TRUE(FileExists(backslashed));
    EXPECT_FALSE(FileExists(dir.str()));
    EXPECT_FALSE(FileExists(dir.str() + "none"));
}

} // namespace
} // namespace avigram

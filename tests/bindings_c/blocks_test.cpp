// Blocks of doubles, int32s and texts exchanged with a grid's cells in one call.
#include "c_test_support.h"

using namespace cabi_test;

namespace {

class BlocksTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        ArgList three{I4(3)};
        ASSERT_EQ(call("ColCount", LX_LET, three), LX_OK);
        ASSERT_EQ(call("RowCount", LX_LET, three), LX_OK);
    }
};

} // namespace

TEST_F(BlocksTest, DoublesInAndTextsOutAsFarAsTheGridReaches) {
    double in[2][5] = {{1.5, 2.5, 3.5, 4.5, 5.5}, {6.5, 7.5, 8.5, 9.5, 10.5}};
    lx_block b{};
    b.type = LX_R8;
    b.rows = 2;
    b.cols = 5;
    b.numbers = in;
    b.row_stride = sizeof in[0];
    b.col_stride = sizeof(double);
    lx_variant row = I4(2), col = R8(1.0);
    int32_t rows = -1, cols = -1;
    lx_error err{};
    ASSERT_EQ(lx_load_from_block(grid, &row, &col, &b, &rows, &cols, &err), LX_OK) << err.description;
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(cols, 4); // three columns and the row text column

    int64_t lengths[2][4] = {};
    lx_block t{};
    t.type = LX_STRING;
    t.rows = 2;
    t.cols = 4;
    t.lengths = &lengths[0][0];
    lx_variant first = I4(2);
    ASSERT_EQ(lx_load_into_block(grid, &first, &col, &t, &rows, &cols, &err), LX_OK) << err.description;
    ASSERT_NE(t.text_out, nullptr);
    size_t total = 0;
    for (auto& r : lengths)
        for (int64_t n : r) total += static_cast<size_t>(n);
    EXPECT_EQ(std::string(t.text_out, total), "1.52.53.54.56.57.58.59.5");
    lx_free(t.text_out);

    int32_t ints[3] = {0, 0, 0};
    lx_block i{};
    i.type = LX_I4;
    i.rows = 3;
    i.cols = 1;
    i.numbers = ints;
    i.row_stride = sizeof(int32_t);
    lx_variant two = I4(2);
    ASSERT_EQ(lx_load_into_block(grid, &first, &two, &i, &rows, &cols, &err), LX_OK);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(ints[0], 2);  // 2.5 rounds half to even
    EXPECT_EQ(ints[1], 8);  // 7.5 too
    EXPECT_EQ(ints[2], 0);  // beyond the grid: untouched
}

TEST_F(BlocksTest, BadBlocksAndAddressesFailWithoutChanges) {
    double in[1] = {1.0};
    lx_block b{};
    b.type = LX_R8;
    b.rows = 1;
    b.cols = 1;
    b.numbers = in;
    lx_variant row = I4(9), col = I4(1);
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(lx_load_from_block(grid, &row, &col, &b, nullptr, nullptr, &err)), 0x80040201u);
    EXPECT_STREQ(err.description, "Subscript out of range.");
    row = I4(1);
    b.type = LX_CURRENCY;
    EXPECT_EQ(static_cast<uint32_t>(lx_load_from_block(grid, &row, &col, &b, nullptr, nullptr, &err)), 0x80020008u);
    b.type = LX_R8;
    b.numbers = nullptr;
    EXPECT_EQ(static_cast<uint32_t>(lx_load_from_block(grid, &row, &col, &b, nullptr, nullptr, &err)), 0x80004003u);
    EXPECT_EQ(static_cast<uint32_t>(lx_load_from_block(nullptr, &row, &col, &b, nullptr, nullptr, &err)), 0x80004003u);
    Result v;
    ArgList at{I4(1), I4(1)};
    ASSERT_EQ(call("CellValue", LX_GET, at, &v.v), LX_OK);
    EXPECT_EQ(v.v.type, LX_STRING); // still the default empty text
}

#include "test_support.h"

using namespace lattix;
using namespace lattix_test;

namespace {
ArrayRef Numbers1D(int32_t lower, int32_t count, int32_t base) {
    ArrayRef a = SafeArray::make1D(lower, count);
    for (int32_t i = 0; i < count; ++i) a->at(lower + i) = Variant(base + i);
    return a;
}
} // namespace

TEST(ArrayExchange, OneDimensionFillsAColumnOrARowAsFarAsBothReach) {
    auto g = NumberedGrid(3, 4);
    g->LoadFromArray(Variant(3), Variant(2), Variant(Numbers1D(0, 5, 1)));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(2)), Variant(1));
    EXPECT_EQ(g->CellValue(Variant(4), Variant(2)), Variant(2));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(2)), Variant(202));

    // Row-wise from the last ordinary column: that column and the row text column.
    g->LoadFromArray(Variant(1), Variant(3), Variant(Numbers1D(-2, 5, 10)), true);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(3)), Variant(10));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(4)), Variant(11));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant(102));
    EXPECT_TRUE(g->Cell(1, 3).changed());
}

TEST(ArrayExchange, TwoDimensionsInBothOrdersFromAnyLowerBounds) {
    auto g = NumberedGrid(3, 3);
    ArrayRef a = SafeArray::make2D(1, 2, 0, 3); // (1 To 2, 0 To 2)
    for (int i = 1; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j) a->at(i, j) = Variant(i * 10 + j);
    g->LoadFromArray(Variant(1), Variant(1), Variant(a));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant(10));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(3)), Variant(12));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(2)), Variant(21));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(1)), Variant(301));

    auto h = NumberedGrid(3, 3);
    h->LoadFromArray(Variant(1), Variant(1), Variant(a), true); // rows from dimension 2
    EXPECT_EQ(h->CellValue(Variant(1), Variant(2)), Variant(20));
    EXPECT_EQ(h->CellValue(Variant(3), Variant(1)), Variant(12));
    EXPECT_EQ(h->CellValue(Variant(3), Variant(3)), Variant(303));

    // Reading back: by index, not by display position, and only inside the grid.
    h->SetColPos(Variant(2), 1);
    ArrayRef out = SafeArray::make2D(5, 4, 7, 6);
    for (Variant& v : out->data()) v = Variant("untouched");
    h->LoadIntoArray(Variant(2), Variant(1), Variant(out));
    EXPECT_EQ(out->at(5, 7), Variant(11));
    EXPECT_EQ(out->at(5, 8), Variant(21));
    EXPECT_EQ(out->at(6, 10), Variant(304)); // the row text column
    EXPECT_EQ(out->at(7, 7), Variant("untouched"));
    EXPECT_EQ(out->at(5, 11), Variant("untouched"));
    ArrayRef colMajor = SafeArray::make2D(0, 2, 0, 1);
    h->LoadIntoArray(Variant(1), Variant(1), Variant::byRef(Variant(colMajor)), true);
    EXPECT_EQ(colMajor->at(1, 0), Variant(20));
}

TEST(ArrayExchange, BadArgumentsChangeNeitherSide) {
    auto g = NumberedGrid(2, 2);
    EXPECT_EQ(LattixCode([&] { g->LoadFromArray(Variant(1), Variant(1), Variant(5)); }), 514);
    EXPECT_EQ(LattixCode([&] { g->LoadIntoArray(Variant(1), Variant(1), Variant::byRef(Variant("x"))); }), 514);
    EXPECT_EQ(LattixCode([&] { g->LoadFromArray(Variant(1), Variant(1), Variant(ArrayRef{})); }), 514);
    ArrayRef a = Numbers1D(0, 2, 1);
    EXPECT_EQ(LattixCode([&] { g->LoadFromArray(Variant(3), Variant(1), Variant(a)); }), 513);
    EXPECT_EQ(LattixCode([&] { g->LoadIntoArray(Variant(1), Variant(4), Variant(a)); }), 513);
    EXPECT_EQ(a->at(0), Variant(1));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant(101));
    ArrayRef empty = SafeArray::make1D(0, 0);
    g->LoadFromArray(Variant(1), Variant(1), Variant(empty));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant(101));

    std::vector<Variant> args{Variant(1), Variant(1), Variant::byRef(Variant(Numbers1D(1, 2, 40)))};
    g->invoke("LoadFromArray", InvokeKind::Method, args);
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant(41));
}

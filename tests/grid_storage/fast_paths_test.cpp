// The fast paths of the model give the results and errors of the general ones: addresses of every
// type, new cells of created rows, and bulk exchange with arrays and value blocks.
#include <cmath>
#include <limits>
#include <type_traits>

#include "grid/objects/cell_object.h"
#include "runtime/conversions.h"
#include "test_support.h"

using namespace lattix;
using namespace lattix::test;

namespace {

constexpr int32_t kOverflow = static_cast<int32_t>(0x800A0006u);
constexpr int32_t kTypeMismatch = static_cast<int32_t>(0x800A000Du);
constexpr int32_t kBadVarType = static_cast<int32_t>(0x80020008u);

std::shared_ptr<Lattix> Grid(int32_t cols, int32_t rows) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t c = 1; c <= cols + 1; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 100 + c));
    return g;
}

// What an address resolves to: the position, or the error number it raises.
template <class F> int64_t Outcome(F&& resolve) {
    try {
        return resolve();
    } catch (const AutomationError& e) {
        return int64_t{1} << 40 | e.unsignedNumber();
    }
}

// The general rule: a number is rounded half to even and must fit 32 bits, then lie in range.
int64_t GeneralOutcome(const Variant& address, int32_t last) {
    return Outcome([&] {
        int32_t n = AddressNumberToInt32(address);
        if (n < 1 || n > last) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
        return n;
    });
}


// A block over a C array of rows x cols numbers.
template <class T, size_t R, size_t C> ValueBlock BlockOver(T (&numbers)[R][C]) {
    ValueBlock b;
    b.kind = std::is_same_v<T, double> ? ValueBlock::Kind::Doubles : ValueBlock::Kind::Int32s;
    b.rows = static_cast<int32_t>(R);
    b.cols = static_cast<int32_t>(C);
    b.numbers = reinterpret_cast<char*>(numbers);
    b.rowStride = sizeof numbers[0];
    b.colStride = sizeof(T);
    return b;
}

} // namespace

TEST(FastAddressing, EveryNumberTypeResolvesAsTheGeneralConversionDoes) {
    auto g = Grid(4, 6);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<Variant> addresses = {
        Variant(int32_t{3}), Variant(int16_t{2}), Variant(uint8_t{4}), Variant(1.0), Variant(6.0), Variant(2.5),
        Variant(3.5), Variant(-0.0), Variant(0.49), Variant(6.5), Variant(7.0), Variant(-1.0), Variant(1.5f),
        Variant(Currency{25000}), Variant(Currency{35000}), Variant(2147483647.0), Variant(2147483648.0),
        Variant(-2147483648.0), Variant(-2147483649.0), Variant(1e300), Variant(nan),
        Variant(std::numeric_limits<double>::infinity()), Variant(int32_t{0}), Variant(int32_t{-5}),
        Variant::byRef(Variant(5.0)), Variant::byRef(Variant(int32_t{2}))};
    for (const Variant& a : addresses) {
        SCOPED_TRACE(ToString(a.deref().isNumeric() ? a.deref() : Variant("?")));
        EXPECT_EQ(Outcome([&] { return g->ResolveRow(a); }), GeneralOutcome(a.deref(), g->RowCount()));
        EXPECT_EQ(Outcome([&] { return g->ResolveColIndex(a); }), GeneralOutcome(a.deref(), g->ColCount() + 1));
    }
    // The cases the rule names, through a cell property.
    EXPECT_EQ(g->CellValue(Variant(2.5), Variant(1)), Variant(201));
    EXPECT_EQ(g->CellValue(Variant(3.5), Variant(1)), Variant(401));
    ExpectError(kOverflow, [&] { g->CellValue(Variant(4294967297.0), Variant(1)); });
    ExpectError(Code(513), [&] { g->CellValue(Variant(true), Variant(1)); });
    ExpectError(Code(513), [&] { g->CellValue(Variant(), Variant(1)); });
    ExpectError(Code(513), [&] { g->SetCellValue(Variant(1), Variant(6.0), Variant(1.0)); });
}

TEST(FastAddressing, KeysAndErrorsStayTheGeneralOnes) {
    auto g = Grid(3, 3);
    g->SetRowKey(2, "two");
    g->SetColKey(3, "Third");
    EXPECT_EQ(g->CellValue(Variant("two"), Variant("third")), Variant(203));
    ExpectError(Code(513), [&] { g->CellValue(Variant("TWO"), Variant(1)); }); // row keys are case-sensitive
    ExpectError(Code(513), [&] { g->CellValue(Variant(1), Variant("none")); });
    // Through Invoke by identifier: the same values and errors.
    std::vector<Variant> args = {Variant(2.0), Variant(int16_t{3})};
    EXPECT_EQ(g->invoke(0x680300AB, InvokeKind::Get, args), Variant(203));
    args = {Variant(2.0), Variant(3.0), Variant(7.5)};
    g->invoke(0x680300AB, InvokeKind::Let, args);
    EXPECT_EQ(g->CellValue(Variant(2), Variant(3)), Variant(7.5));
    args = {Variant(9.0), Variant(1)};
    ExpectError(Code(513), [&] { g->invoke(0x680300AB, InvokeKind::Get, args); });
}

TEST(RowCreation, NewCellsAreTheirColumnsDefaultsAndReusedSlotsStartAfresh) {
    auto g = Lattix::Create();
    g->SetMemMngWantFreeRows(0);
    g->SetColCount(3);
    g->ColDefaultCell(Variant(2))->SetValue(Variant(2.5));
    g->SetRowCount(3000); // several storage blocks
    EXPECT_EQ(g->CellValue(Variant(2999), Variant(2)), Variant(2.5));
    EXPECT_EQ(g->CellValue(Variant(2999), Variant(1)), Variant(""));
    g->SetCellValue(Variant(3000), Variant(2), Variant("kept?"));
    g->SetRowCount(2990);
    g->ColDefaultCell(Variant(2))->SetValue(Variant(int32_t{7}));
    g->SetRowCount(3005); // reuses the released slots, then takes new ones
    for (int32_t r : {2991, 3000, 3005}) EXPECT_EQ(g->CellValue(Variant(r), Variant(2)), Variant(int32_t{7})) << r;
    EXPECT_EQ(g->CellValue(Variant(10), Variant(2)), Variant(2.5));
    // AddRow in the middle, then a column added: every cell keeps its value.
    AddRowArgs a;
    a.vRowBefore = Variant(1);
    a.lCount = 2;
    g->AddRow(a);
    EXPECT_EQ(g->CellValue(Variant(2), Variant(2)), Variant(int32_t{7}));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(2)), Variant(2.5));
    g->AddCol(AddColArgs{.vColBefore = Variant(1)});
    EXPECT_EQ(g->CellValue(Variant(3), Variant(3)), Variant(2.5));
    EXPECT_EQ(g->CellValue(Variant(3007), Variant(3)), Variant(int32_t{7}));
    EXPECT_EQ(g->CellValue(Variant(3007), Variant(1)), Variant(""));
}

TEST(BulkExchange, MixedValuesLandInTheirCellsInEveryOrder) {
    auto g = Grid(60, 70);
    // More than one tile each way, strings and numbers interleaved.
    ArrayRef a = SafeArray::make2D(1, 70, -3, 61);
    for (int32_t i = 0; i < 70; ++i)
        for (int32_t j = 0; j < 61; ++j)
            a->at(1 + i, -3 + j) = (i + j) % 3 == 0 ? Variant("s" + std::to_string(i * 1000 + j)) : Variant(i * 1000.0 + j);
    g->LoadFromArray(Variant(1), Variant(1), Variant(a));
    for (int32_t i = 0; i < 70; i += 7)
        for (int32_t j = 0; j < 61; j += 5)
            EXPECT_EQ(g->CellValue(Variant(1 + i), Variant(1 + j)), a->at(1 + i, -3 + j)) << i << "," << j;
    EXPECT_TRUE(g->Cell(70, 61).changed());

    ArrayRef back = SafeArray::make2D(0, 61, 0, 80); // column-major, larger than the grid
    back->at(60, 75) = Variant("outside");
    g->LoadIntoArray(Variant(1), Variant(1), Variant(back), true);
    for (int32_t i = 0; i < 70; i += 3)
        for (int32_t j = 0; j < 61; j += 4) EXPECT_EQ(back->at(j, i), a->at(1 + i, -3 + j)) << i << "," << j;
    EXPECT_EQ(back->at(60, 75), Variant("outside"));
}

TEST(BulkExchange, AFailedCallChangesNothing) {
    auto g = Grid(3, 3);
    ArrayRef a = SafeArray::make2D(0, 3, 0, 3);
    for (Variant& v : a->data()) v = Variant("new");
    for (int32_t r = 1; r <= 3; ++r)
        for (int32_t c = 1; c <= 4; ++c) g->Cell(r, c).clearChanged();
    ExpectError(Code(513), [&] { g->LoadFromArray(Variant(1), Variant("nokey"), Variant(a)); });
    ExpectError(Code(513), [&] { g->LoadFromArray(Variant(4.0), Variant(1), Variant(a)); });
    ExpectError(kOverflow, [&] { g->LoadFromArray(Variant(1e12), Variant(1), Variant(a)); });
    ExpectError(Code(513), [&] { g->LoadIntoArray(Variant(0), Variant(1), Variant(a)); });
    for (int32_t r = 1; r <= 3; ++r)
        for (int32_t c = 1; c <= 4; ++c) {
            EXPECT_EQ(g->CellValue(Variant(r), Variant(c)), Variant(r * 100 + c));
            EXPECT_FALSE(g->Cell(r, c).changed());
        }
    for (const Variant& v : a->data()) EXPECT_EQ(v, Variant("new"));
}

TEST(BulkExchange, ComboCellsRederiveTheirBindingAsAPutDoes) {
    auto g = Grid(2, 2);
    auto viaPut = Grid(2, 2);
    for (auto* grid : {g.get(), viaPut.get()}) {
        ComboList* list = grid->ComboLists().list(grid->ComboLists().add("L"));
        list->items.push_back({"a", Variant(1), 4});
        list->items.push_back({"b", Variant(2.0), 5});
        grid->SetCellCtrlKey(Variant(1), Variant(1), "L");
        grid->SetCellType(Variant(1), Variant(1), 1);
    }
    ArrayRef a = SafeArray::make1D(0, 1);
    a->at(0) = Variant(2.0);
    g->LoadFromArray(Variant(1), Variant(1), Variant(a));
    viaPut->SetCellValue(Variant(1), Variant(1), Variant(2.0));
    EXPECT_EQ(g->CellComboListIndex(Variant(1), Variant(1)), 1);
    EXPECT_EQ(g->CellComboListIndex(Variant(1), Variant(1)), viaPut->CellComboListIndex(Variant(1), Variant(1)));
    EXPECT_EQ(g->CellIcon(Variant(1), Variant(1)), viaPut->CellIcon(Variant(1), Variant(1)));
}

TEST(ValueBlocks, NumbersTextsAndMixedGoInAndOut) {
    auto g = Grid(3, 4);
    double numbers[2][3] = {{1.5, 2.5, 3.5}, {4.5, 5.5, 6.5}};
    ValueBlock b = BlockOver(numbers);
    int32_t rows = 0, cols = 0;
    g->LoadFromBlock(Variant(3), Variant(3), b, &rows, &cols); // clipped: rows 3-4, columns 3-4
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(cols, 2);
    EXPECT_EQ(g->CellValue(Variant(4), Variant(4)), Variant(5.5));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(2)), Variant(302));

    int32_t ints[2] = {0, 0};
    b.kind = ValueBlock::Kind::Int32s;
    b.rows = 1;
    b.cols = 2;
    b.numbers = reinterpret_cast<char*>(ints);
    b.rowStride = 0;
    b.colStride = sizeof(int32_t);
    g->LoadIntoBlock(Variant(2.0), Variant(1), b, &rows, &cols);
    EXPECT_EQ(ints[0], 201);
    EXPECT_EQ(ints[1], 202);

    const char text[] = "abgr\xC3\xBC\xC3\x9F";
    int64_t lengths[3] = {2, 0, 6};
    uint16_t types[3] = {static_cast<uint16_t>(VarType::String), static_cast<uint16_t>(VarType::Bool),
                         static_cast<uint16_t>(VarType::String)};
    double payload[3] = {0, 1, 0};
    ValueBlock m;
    m.kind = ValueBlock::Kind::Mixed;
    m.rows = 3;
    m.cols = 1;
    m.numbers = reinterpret_cast<char*>(payload);
    m.rowStride = sizeof(double);
    m.lengths = lengths;
    m.text = text;
    m.types = types;
    g->LoadFromBlock(Variant(1), Variant(1), m, &rows, &cols);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant("ab"));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant(true));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(1)), Variant("gr\xC3\xBC\xC3\x9F"));

    std::string out;
    int64_t outLengths[3] = {};
    uint16_t outTypes[3] = {};
    double outPayload[3] = {};
    m.lengths = outLengths;
    m.types = outTypes;
    m.numbers = reinterpret_cast<char*>(outPayload);
    m.textOut = &out;
    g->LoadIntoBlock(Variant(1), Variant(1), m, &rows, &cols);
    EXPECT_EQ(out, "abgr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(outTypes[1], static_cast<uint16_t>(VarType::Bool));
    EXPECT_EQ(outPayload[1], 1.0);
    EXPECT_EQ(outLengths[2], 6);
}

TEST(ValueBlocks, AFailedCallChangesNeitherGridNorBlock) {
    auto g = Grid(2, 2);
    g->SetCellValue(Variant(2), Variant(2), Variant("not a number"));
    double numbers[2][2] = {{-1, -1}, {-1, -1}};
    ValueBlock b;
    b.rows = b.cols = 2;
    b.numbers = reinterpret_cast<char*>(numbers);
    b.rowStride = sizeof numbers[0];
    b.colStride = sizeof(double);
    int32_t rows = 0, cols = 0;
    ExpectError(kTypeMismatch, [&] { g->LoadIntoBlock(Variant(1), Variant(1), b, &rows, &cols); });
    for (auto& row : numbers)
        for (double d : row) EXPECT_EQ(d, -1);

    // A mixed block with a type it cannot carry: nothing is stored, not even the elements before it.
    int64_t lengths[2] = {1, 0};
    uint16_t types[2] = {static_cast<uint16_t>(VarType::String), static_cast<uint16_t>(VarType::Object)};
    double payload[2] = {};
    ValueBlock m;
    m.kind = ValueBlock::Kind::Mixed;
    m.rows = 1;
    m.cols = 2;
    m.numbers = reinterpret_cast<char*>(payload);
    m.colStride = sizeof(double);
    m.lengths = lengths;
    m.text = "x";
    m.types = types;
    ExpectError(kBadVarType, [&] { g->LoadFromBlock(Variant(1), Variant(1), m, &rows, &cols); });
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant(101));
    // Numbers out of their type's range are an overflow, as a conversion would be.
    types[0] = static_cast<uint16_t>(VarType::Int16);
    types[1] = static_cast<uint16_t>(VarType::Double);
    payload[0] = 40000;
    ExpectError(kOverflow, [&] { g->LoadFromBlock(Variant(1), Variant(1), m, &rows, &cols); });
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant(102));
}

TEST(BlockExchange, Int32BlocksKeepIntegersAndConvertOtherCells) {
    auto g = Lattix::Create();
    g->SetColCount(3);
    g->SetRowCount(2);
    int32_t in[2][3] = {{7, -2147483647 - 1, 2147483647}, {0, 1, -1}};
    ValueBlock b = BlockOver(in);
    int32_t rows = 0, cols = 0;
    g->LoadFromBlock(Variant(1), Variant(1), b, &rows, &cols);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant(int32_t{-2147483647 - 1}));
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)).type(), VarType::Int32);
    EXPECT_EQ(g->CellValue(Variant(2), Variant(3)), Variant(-1));

    // Other cells are converted by the ordinary rules; one that cannot be raises before anything is
    // written.
    g->SetCellValue(Variant(2), Variant(1), Variant(2.5));
    g->SetCellValue(Variant(2), Variant(2), Variant("12"));
    int32_t out[2][3] = {};
    b.numbers = reinterpret_cast<char*>(out);
    g->LoadIntoBlock(Variant(1), Variant(1), b, &rows, &cols);
    EXPECT_EQ(out[0][0], 7);
    EXPECT_EQ(out[0][1], -2147483647 - 1);
    EXPECT_EQ(out[0][2], 2147483647);
    EXPECT_EQ(out[1][0], ToInt32(Variant(2.5)));
    EXPECT_EQ(out[1][1], 12);
    EXPECT_EQ(out[1][2], -1);

    g->SetCellValue(Variant(2), Variant(3), Variant("no number"));
    int32_t untouched[2][3] = {{5, 5, 5}, {5, 5, 5}};
    b.numbers = reinterpret_cast<char*>(untouched);
    ExpectError(kTypeMismatch, [&] { g->LoadIntoBlock(Variant(1), Variant(1), b, &rows, &cols); });
    for (const auto& row : untouched)
        for (int32_t v : row) EXPECT_EQ(v, 5);
}

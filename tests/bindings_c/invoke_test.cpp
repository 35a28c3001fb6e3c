// Late-bound calls through the C interface: lookup, kinds, positional, named and omitted arguments,
// and errors reported as number, source and description.
#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class InvokeTest : public GridFixture {};

TEST_F(InvokeTest, LooksUpPublishedIdentifiersByNameWithoutRegardToCase) {
    lx_dispid_t id = 0;
    ASSERT_EQ(lx_dispid(grid, "CellValue", &id, nullptr), LX_OK);
    EXPECT_EQ(static_cast<uint32_t>(id), 0x680300ABu);
    ASSERT_EQ(lx_dispid(grid, "colcount", &id, nullptr), LX_OK);
    EXPECT_EQ(static_cast<uint32_t>(id), 0x6803006Cu);

    lx_error err{};
    id = 7;
    EXPECT_EQ(static_cast<uint32_t>(lx_dispid(grid, "NoSuchMember", &id, &err)), 0x80020006u);
    EXPECT_EQ(static_cast<uint32_t>(err.number), 0x80020006u);
    EXPECT_STREQ(err.description, "Unknown name.");
    EXPECT_EQ(id, 7) << "a failed lookup leaves the output alone";
}

TEST_F(InvokeTest, PropertiesAreReadAndAssignedByIdentifier) {
    lx_dispid_t colCount = 0;
    ASSERT_EQ(lx_dispid(grid, "ColCount", &colCount, nullptr), LX_OK);
    lx_variant three = I4(3);
    ASSERT_EQ(lx_invoke(grid, colCount, LX_LET, &three, 1, nullptr, 0, nullptr, nullptr), LX_OK);
    Result r;
    ASSERT_EQ(lx_invoke(grid, colCount, LX_GET, nullptr, 0, nullptr, 0, &r.v, nullptr), LX_OK);
    ASSERT_EQ(r.v.type, LX_I4);
    EXPECT_EQ(r.v.value.i4, 3);

    // Indexed properties take their indexes before the value.
    addRows(2);
    ArgList set{I4(2), I4(3)};
    set.str("abc");
    ASSERT_EQ(call("CellValue", LX_LET, set), LX_OK);
    Result cell;
    ArgList at{I4(2), I4(3)};
    ASSERT_EQ(call("CellValue", LX_GET, at, &cell.v), LX_OK);
    EXPECT_EQ(cell.str(), "abc");
}

TEST_F(InvokeTest, NamedAndOmittedArgumentsReachTheMember) {
    // AddRow(sKey:="k1", lCount:=3) with every other optional argument left out.
    ArgList key;
    key.str("k1");
    lx_named_arg named[2] = {{"lCount", I4(3)}, {"SKEY", key.data()[0]}};
    Result added;
    ASSERT_EQ(lx_invoke_name(grid, "AddRow", LX_METHOD, nullptr, 0, named, 2, &added.v, nullptr), LX_OK);
    EXPECT_EQ(getI4("RowCount"), 3);
    ArgList k;
    k.str("k1");
    Result index;
    ASSERT_EQ(call("RowIndex", LX_METHOD, k, &index.v), LX_OK);
    EXPECT_EQ(index.v.value.i4, 1);

    // A positional Missing leaves that optional argument out; later ones still count.
    ArgList cols;
    cols.str("ka").str("Header A").add(Missing());
    Result col;
    ASSERT_EQ(call("AddCol", LX_METHOD, cols, &col.v), LX_OK);
    ASSERT_EQ(col.v.type, LX_OBJECT) << "AddCol hands out the column's default cell";
    EXPECT_STREQ(lx_object_class_name(col.v.value.object), "CellObject");
    ArgList ka;
    ka.str("ka");
    EXPECT_EQ(getI4("ColIndex", ka), 1);
}

TEST_F(InvokeTest, ErrorsCarryNumberSourceAndDescriptionAndChangeNothing) {
    addColumns(2);
    addRows(2);
    lx_error err{};
    Result r;
    r.v.type = LX_EMPTY;
    ArgList outside{I4(9), I4(1)};
    int32_t rc = call("CellValue", LX_GET, outside, &r.v, &err);
    EXPECT_EQ(static_cast<uint32_t>(rc), 0x80040201u);
    EXPECT_EQ(static_cast<uint32_t>(err.number), 0x80040201u);
    EXPECT_STREQ(err.source, "Lattix");
    EXPECT_STREQ(err.description, "Subscript out of range.");
    EXPECT_EQ(r.v.type, LX_EMPTY) << "no result on failure";

    // A conversion error of the value raises before anything changes.
    ArgList bad;
    bad.str("not a number");
    EXPECT_EQ(static_cast<uint32_t>(call("ColCount", LX_LET, bad, nullptr, &err)), 0x800A000Du);
    EXPECT_EQ(getI4("ColCount"), 2);

    // Dispatch-level failures.
    ArgList none;
    EXPECT_EQ(static_cast<uint32_t>(call("RowTextCol", LX_LET, ArgList{I4(1)}, nullptr, &err)), 0x80020003u)
        << "a kind the member lacks";
    EXPECT_EQ(static_cast<uint32_t>(call("CellValue", LX_GET, none, nullptr, &err)), 0x8002000Fu)
        << "a required argument left out";
    lx_named_arg wrong{"lNoSuchParam", I4(1)};
    EXPECT_EQ(static_cast<uint32_t>(
                  lx_invoke_name(grid, "AddRow", LX_METHOD, nullptr, 0, &wrong, 1, nullptr, &err)),
              0x80020006u);
    EXPECT_EQ(getI4("RowCount"), 2);
}

TEST_F(InvokeTest, MisuseOfTheInterfaceItselfIsReportedNotCrashed) {
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(lx_invoke(nullptr, 1, LX_GET, nullptr, 0, nullptr, 0, nullptr, &err)),
              0x80004003u);
    EXPECT_STREQ(err.description, "Invalid pointer.");
    EXPECT_NE(lx_invoke_name(grid, "ColCount", 3, nullptr, 0, nullptr, 0, nullptr, &err), LX_OK)
        << "kinds are single bits";
    EXPECT_NE(lx_invoke_name(grid, "ColCount", LX_GET, nullptr, 2, nullptr, 0, nullptr, &err), LX_OK)
        << "arguments counted but not given";
    lx_variant odd{};
    odd.type = 99;
    EXPECT_EQ(static_cast<uint32_t>(lx_invoke_name(grid, "ColCount", LX_LET, &odd, 1, nullptr, 0, nullptr, &err)),
              0x80020008u);
    EXPECT_STREQ(err.description, "Bad variable type.");
    EXPECT_EQ(getI4("ColCount"), 0);
    // The error structure is optional.
    EXPECT_NE(lx_invoke_name(grid, "Nope", LX_GET, nullptr, 0, nullptr, 0, nullptr, nullptr), LX_OK);
}

TEST_F(InvokeTest, HostsCheckTheirSizeAndReportIt) {
    lx_host* h = nullptr;
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(lx_host_create(0, 10, &h, &err)), 0x800A0005u);
    EXPECT_EQ(static_cast<uint32_t>(lx_host_create(10, 16385, &h, &err)), 0x800A0005u);
    EXPECT_EQ(h, nullptr);
    int32_t w = 0, hgt = 0;
    ASSERT_EQ(lx_host_size(host, &w, &hgt), LX_OK);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(hgt, 480);
    EXPECT_STRNE(lx_library_version(), "");
}

} // namespace

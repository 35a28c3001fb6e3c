// Values crossing the C interface: every runtime type, strings, arrays shared with the grid, and
// by-reference arguments.
#include <cmath>

#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class VariantTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        addColumns(2);
        addRows(3);
    }
    // Stores v in a cell and reads it back.
    void roundTrip(const lx_variant& v, lx_variant* out) {
        lx_variant args[3] = {I4(1), I4(1), v};
        ASSERT_EQ(lx_invoke_name(grid, "CellValue", LX_LET, args, 3, nullptr, 0, nullptr, nullptr), LX_OK);
        ASSERT_EQ(lx_invoke_name(grid, "CellValue", LX_GET, args, 2, nullptr, 0, out, nullptr), LX_OK);
    }
};

TEST_F(VariantTest, EveryScalarTypeKeepsItsTypeAndValue) {
    struct Case {
        uint16_t type;
        lx_variant v;
    };
    std::vector<lx_variant> cases;
    lx_variant v{};
    v.type = LX_EMPTY;
    cases.push_back(v);
    v.type = LX_NULL;
    cases.push_back(v);
    v = {}, v.type = LX_I2, v.value.i2 = -12345;
    cases.push_back(v);
    cases.push_back(I4(-2000000000));
    v = {}, v.type = LX_R4, v.value.r4 = 1.5f;
    cases.push_back(v);
    cases.push_back(R8(-0.1));
    v = {}, v.type = LX_CURRENCY, v.value.currency = 922337203685477LL * 10000 + 5807;
    cases.push_back(v);
    v = {}, v.type = LX_DATE, v.value.date = 45000.75;
    cases.push_back(v);
    v = {}, v.type = LX_ERROR, v.value.error = static_cast<int32_t>(0x800A0007u);
    cases.push_back(v);
    cases.push_back(Bool(true));
    v = {}, v.type = LX_UI1, v.value.ui1 = 200;
    cases.push_back(v);

    for (const lx_variant& in : cases) {
        Result out;
        roundTrip(in, &out.v);
        ASSERT_EQ(out.v.type, in.type);
        switch (in.type) {
        case LX_I2: EXPECT_EQ(out.v.value.i2, in.value.i2); break;
        case LX_I4: EXPECT_EQ(out.v.value.i4, in.value.i4); break;
        case LX_R4: EXPECT_EQ(out.v.value.r4, in.value.r4); break;
        case LX_R8: EXPECT_EQ(out.v.value.r8, in.value.r8); break;
        case LX_CURRENCY: EXPECT_EQ(out.v.value.currency, in.value.currency); break;
        case LX_DATE: EXPECT_EQ(out.v.value.date, in.value.date); break;
        case LX_ERROR: EXPECT_EQ(out.v.value.error, in.value.error); break;
        case LX_BOOL: EXPECT_NE(out.v.value.boolean, 0); break;
        case LX_UI1: EXPECT_EQ(out.v.value.ui1, 200); break;
        default: break;
        }
    }
}

TEST_F(VariantTest, StringsAreUtf8CopiesThatMayHoldNulBytes) {
    const std::string text("gr\xC3\xBC\xC3\x9F" "e\0tail", 11);
    lx_variant in{};
    ASSERT_EQ(lx_variant_set_string(&in, text.data(), text.size(), nullptr), LX_OK);
    Result out;
    roundTrip(in, &out.v);
    lx_variant_clear(&in);
    EXPECT_EQ(out.str(), text);
    EXPECT_EQ(out.v.value.str.data[out.v.value.str.length], '\0');

    Result copy;
    ASSERT_EQ(lx_variant_copy(&copy.v, &out.v, nullptr), LX_OK);
    EXPECT_NE(copy.v.value.str.data, out.v.value.str.data) << "a copy owns its own bytes";
    EXPECT_EQ(copy.str(), text);

    lx_variant empty{};
    ASSERT_EQ(lx_variant_set_string(&empty, nullptr, 0, nullptr), LX_OK);
    EXPECT_EQ(empty.type, LX_STRING);
    EXPECT_STREQ(empty.value.str.data, "");
    lx_variant_clear(&empty);
    EXPECT_EQ(empty.type, LX_EMPTY);
    EXPECT_NE(lx_variant_set_string(&empty, nullptr, 3, nullptr), LX_OK);
}

TEST_F(VariantTest, ArraysKeepTheirBoundsAndAreSharedWithTheCallee) {
    int32_t lower[2] = {1, 0};
    int32_t count[2] = {2, 3};
    lx_array* a = nullptr;
    ASSERT_EQ(lx_array_create(2, lower, count, &a, nullptr), LX_OK);
    EXPECT_EQ(lx_array_dims(a), 2);
    int32_t lo = 0, n = 0;
    ASSERT_EQ(lx_array_bounds(a, 1, &lo, &n, nullptr), LX_OK);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(n, 3);
    lx_error err{};
    int32_t outside[2] = {0, 0};
    Result none;
    EXPECT_EQ(static_cast<uint32_t>(lx_array_get(a, outside, &none.v, &err)), 0x800A0009u);

    // Fill the grid, then let the grid fill the host's array.
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c) {
            lx_variant args[3] = {I4(r), I4(c), I4(r * 10 + c)};
            ASSERT_EQ(lx_invoke_name(grid, "CellValue", LX_LET, args, 3, nullptr, 0, nullptr, nullptr), LX_OK);
        }
    lx_variant args[3] = {I4(1), I4(1), {}};
    lx_variant_set_array(&args[2], a);
    ASSERT_EQ(lx_invoke_name(grid, "LoadIntoArray", LX_METHOD, args, 3, nullptr, 0, nullptr, &err), LX_OK)
        << err.description;
    lx_variant_clear(&args[2]);
    int32_t at[2] = {2, 1};
    Result e;
    ASSERT_EQ(lx_array_get(a, at, &e.v, nullptr), LX_OK);
    ASSERT_EQ(e.v.type, LX_I4);
    EXPECT_EQ(e.v.value.i4, 22);

    // An array stored in a cell comes back as the same shared array.
    lx_variant hello{};
    lx_variant_set_string(&hello, "hello", 5, nullptr);
    int32_t first[2] = {1, 0};
    ASSERT_EQ(lx_array_put(a, first, &hello, nullptr), LX_OK);
    lx_variant_clear(&hello);
    lx_variant held{};
    lx_variant_set_array(&held, a);
    Result back;
    roundTrip(held, &back.v);
    lx_variant_clear(&held);
    ASSERT_EQ(back.v.type, LX_ARRAY);
    Result s;
    ASSERT_EQ(lx_array_get(back.v.value.array, first, &s.v, nullptr), LX_OK);
    EXPECT_EQ(s.str(), "hello");
    lx_array_release(a);

    EXPECT_NE(lx_array_create(3, lower, count, &a, nullptr), LX_OK);
    count[0] = -1;
    EXPECT_NE(lx_array_create(1, lower, count, &a, nullptr), LX_OK);
}

TEST_F(VariantTest, ByReferenceArgumentsPassTheirTargetsValue) {
    lx_variant target = R8(2.5);
    lx_variant args[3] = {I4(2), I4(2), {}};
    lx_variant_set_byref(&args[2], &target);
    ASSERT_EQ(lx_invoke_name(grid, "CellValue", LX_LET, args, 3, nullptr, 0, nullptr, nullptr), LX_OK);
    Result out;
    ASSERT_EQ(lx_invoke_name(grid, "CellValue", LX_GET, args, 2, nullptr, 0, &out.v, nullptr), LX_OK);
    ASSERT_EQ(out.v.type, LX_R8);
    EXPECT_EQ(out.v.value.r8, 2.5);
    EXPECT_EQ(target.type, LX_R8);

    lx_variant chain{};
    lx_variant_set_byref(&chain, &args[2]);
    lx_variant nested[3] = {I4(2), I4(2), chain};
    EXPECT_NE(lx_invoke_name(grid, "CellValue", LX_LET, nested, 3, nullptr, 0, nullptr, nullptr), LX_OK)
        << "a reference to a reference is not a value";
}

} // namespace

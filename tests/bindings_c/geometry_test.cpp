// Geometry through the C interface: the grid window follows the host window, CellFromPoint writes
// its results through by-reference arguments, and the host can give the grid the focus.
#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class GeometryTest : public GridFixture {
protected:
    int32_t sys(int32_t parameter) {
        Result r;
        ArgList args{I4(parameter)};
        EXPECT_EQ(call("Sys", LX_METHOD, args, &r.v), LX_OK);
        return r.v.value.i4;
    }
};

TEST_F(GeometryTest, GridFillsTheResizedHostWindow) {
    let("BorderType", I4(0));
    const int32_t clientWidth = 10; // lxSysClientAreaWidth
    EXPECT_EQ(sys(clientWidth), 640);
    lx_error err{};
    ASSERT_EQ(lx_host_resize(host, 300, 200, &err), LX_OK);
    EXPECT_EQ(sys(clientWidth), 300);
    EXPECT_EQ(sys(11), 200);
    int32_t w = 0, h = 0;
    ASSERT_EQ(lx_host_size(host, &w, &h), LX_OK);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    EXPECT_NE(lx_host_resize(host, 0, 200, &err), LX_OK);
    EXPECT_NE(lx_host_resize(nullptr, 10, 10, &err), LX_OK);
    EXPECT_EQ(lx_host_focus(host, &err), LX_OK);
    EXPECT_NE(lx_host_focus(nullptr, &err), LX_OK);
}

TEST_F(GeometryTest, CellFromPointWritesThroughReferences) {
    let("BorderType", I4(0));
    addColumns(3);
    addRows(5);
    lx_variant row = I4(-1), col = I4(-1);
    lx_variant rowRef{}, colRef{};
    lx_variant_set_byref(&rowRef, &row);
    lx_variant_set_byref(&colRef, &col);
    const int32_t header = sys(1);
    ArgList args{I4(70), I4(header + 20), rowRef, colRef};
    ASSERT_EQ(call("CellFromPoint", LX_METHOD, args), LX_OK);
    EXPECT_EQ(row.value.i4, 2);
    EXPECT_EQ(col.value.i4, 2);
    Result part;
    ArgList hit{I4(70), I4(header + 20), I4(9), I4(1)};
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(call("HitTest", LX_METHOD, hit, &part.v, &err)), 0x80040201u);
}

} // namespace

// Keyboard and editing members through the C interface: keys typed on the host start an edit
// that Enter commits, the editor's text is read and written, and DoKeyboardCommand and
// FindSearchMatchRow are called by name with their optional arguments.
#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class KeyboardEditingTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        addColumns(3);
        addRows(5);
        ASSERT_EQ(lx_host_focus(host, nullptr), LX_OK);
        ArgList at{I4(1), I4(1)};
        ASSERT_EQ(call("SetCurCell", LX_METHOD, at), LX_OK);
    }
    bool getBool(const char* name) {
        Result r;
        EXPECT_EQ(call(name, LX_GET, ArgList{}, &r.v), LX_OK) << name;
        return r.v.type == LX_BOOL && r.v.value.boolean != 0;
    }
};

TEST_F(KeyboardEditingTest, TypedKeysEditAndEnterCommits) {
    ASSERT_EQ(lx_host_type_text(host, "17", nullptr), LX_OK);
    EXPECT_TRUE(getBool("IsEditing"));
    EXPECT_NE(getI4("TextEditHwnd"), 0);
    EXPECT_EQ(getI4("TextEditSelStart"), 2);
    ArgList text;
    text.str("25");
    ASSERT_EQ(call("TextEditText", LX_LET, text), LX_OK);
    ASSERT_EQ(lx_host_key(host, 0x0D, 0, nullptr), LX_OK);
    EXPECT_FALSE(getBool("IsEditing"));
    Result value;
    ArgList cell{I4(1), I4(1)};
    ASSERT_EQ(call("CellValue", LX_GET, cell, &value.v), LX_OK);
    ASSERT_EQ(value.v.type, LX_STRING); // the cell held an empty text: it keeps a text
    // A negative caret position is refused with 514 and changes nothing.
    ASSERT_EQ(lx_host_key(host, 0x71, 0, nullptr), LX_OK); // F2
    lx_error err{};
    ArgList bad{I4(-1)};
    EXPECT_EQ(static_cast<uint32_t>(call("TextEditSelStart", LX_LET, bad, nullptr, &err)), 0x80040202u);
    EXPECT_TRUE(getBool("IsEditing"));
    ASSERT_EQ(call("CancelEditCurCell", LX_METHOD, ArgList{}), LX_OK);
    EXPECT_FALSE(getBool("IsEditing"));
}

TEST_F(KeyboardEditingTest, KeyboardCommandAndSearchByName) {
    ArgList down{I4(0x28)}; // Shift omitted
    ASSERT_EQ(call("DoKeyboardCommand", LX_METHOD, down), LX_OK);
    EXPECT_EQ(getI4("CurRow"), 2);
    ArgList value{I4(4), I4(2)};
    value.str("needle");
    ASSERT_EQ(call("CellValue", LX_LET, value), LX_OK);
    Result row;
    ArgList search{I4(2)};
    search.str("NEED");
    ASSERT_EQ(call("FindSearchMatchRow", LX_METHOD, search, &row.v), LX_OK);
    EXPECT_EQ(row.v.value.i4, 4);
    let("KeyPressBehaviour", I4(3));
    EXPECT_EQ(getI4("KeyPressBehaviour"), 3);
    lx_error err{};
    ArgList tooBig{I4(9)};
    EXPECT_EQ(static_cast<uint32_t>(call("KeySearchCol", LX_LET, tooBig, nullptr, &err)), 0x80040201u);
}

} // namespace

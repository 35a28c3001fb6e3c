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

TEST_F(KeyboardEditingTest, InputMethodCompositionEditsTheCurrentCell) {
    lx_input_method_state state{};
    int32_t needed = 0;
    ASSERT_EQ(lx_host_input_method_query(host, &state, nullptr, 0, &needed, nullptr), LX_OK);
    EXPECT_EQ(state.answered, 1);
    EXPECT_EQ(state.enabled, 1);
    const int32_t cellLeft = state.caret_left;
    ASSERT_EQ(lx_host_composition_start(host, nullptr), LX_OK);
    ASSERT_EQ(lx_host_composition_update(host, "nihao", -1, nullptr), LX_OK);
    EXPECT_TRUE(getBool("IsEditing"));
    Result text;
    ASSERT_EQ(call("TextEditText", LX_GET, ArgList{}, &text.v), LX_OK);
    EXPECT_EQ(text.str(), "");
    // The caret the input method sees sits after the composed text, in the editor over the cell.
    ASSERT_EQ(lx_host_input_method_query(host, &state, nullptr, 0, &needed, nullptr), LX_OK);
    EXPECT_GT(state.caret_left, cellLeft + 10);
    EXPECT_EQ(needed, 1); // no text around the caret yet
    // Bad arguments are refused and change nothing.
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(lx_host_composition_update(host, "ab", 3, &err)), 0x800A0005u);
    EXPECT_EQ(static_cast<uint32_t>(lx_host_composition_update(host, nullptr, 0, &err)), 0x80004003u);
    EXPECT_EQ(static_cast<uint32_t>(lx_host_composition_commit(host, nullptr, &err)), 0x80004003u);
    EXPECT_EQ(static_cast<uint32_t>(lx_host_input_method_query(host, nullptr, nullptr, 0, &needed, &err)), 0x80004003u);
    ASSERT_EQ(lx_host_composition_update(host, "你好", 1, nullptr), LX_OK);
    ASSERT_EQ(lx_host_composition_commit(host, "你好", nullptr), LX_OK);
    ASSERT_EQ(lx_host_input_method_query(host, &state, nullptr, 0, &needed, nullptr), LX_OK);
    std::string around(static_cast<size_t>(needed), '\0');
    ASSERT_EQ(lx_host_input_method_query(host, &state, around.data(), needed, &needed, nullptr), LX_OK);
    EXPECT_STREQ(around.c_str(), "你好");
    EXPECT_EQ(state.cursor, 2);
    EXPECT_EQ(state.anchor, 2);
    ASSERT_EQ(lx_host_key(host, 0x0D, 0, nullptr), LX_OK);
    EXPECT_FALSE(getBool("IsEditing"));
    Result value;
    ArgList cell{I4(1), I4(1)};
    ASSERT_EQ(call("CellValue", LX_GET, cell, &value.v), LX_OK);
    EXPECT_EQ(value.str(), "你好");
    // A cancelled composition types nothing.
    ASSERT_EQ(lx_host_composition_update(host, "x", 0, nullptr), LX_OK);
    ASSERT_EQ(lx_host_composition_cancel(host, nullptr), LX_OK);
    Result after;
    ASSERT_EQ(call("TextEditText", LX_GET, ArgList{}, &after.v), LX_OK);
    EXPECT_EQ(after.str(), "");
}

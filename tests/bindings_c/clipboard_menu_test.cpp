// The clipboard as another program sees it, and the items of the last popup menu, through the C
// interface.
#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class ClipboardMenuTest : public GridFixture {
protected:
    std::string clipboardText() {
        int32_t needed = -1;
        EXPECT_EQ(lx_host_clipboard_text(host, nullptr, 0, &needed, nullptr), LX_OK);
        if (needed == 0) return "<none>";
        std::string buffer(static_cast<size_t>(needed), '\0');
        EXPECT_EQ(lx_host_clipboard_text(host, buffer.data(), needed, &needed, nullptr), LX_OK);
        buffer.pop_back();
        return buffer;
    }
};

TEST_F(ClipboardMenuTest, TextPutByAnotherProgramIsReadBackAndChangesTheSequence) {
    const uint32_t before = lx_host_clipboard_sequence(host);
    ASSERT_EQ(lx_host_set_clipboard_text(host, "a\tb\r\n", nullptr), LX_OK);
    EXPECT_NE(lx_host_clipboard_sequence(host), before);
    EXPECT_EQ(clipboardText(), "a\tb\r\n");
    // Too small a buffer: only the size is told.
    int32_t needed = 0;
    char small[2] = {'x', 'x'};
    EXPECT_EQ(lx_host_clipboard_text(host, small, 2, &needed, nullptr), LX_OK);
    EXPECT_EQ(needed, 6);
    EXPECT_EQ(small[0], 'x');
    lx_error err{};
    EXPECT_NE(lx_host_set_clipboard_text(host, nullptr, &err), LX_OK);
    EXPECT_NE(lx_host_clipboard_text(nullptr, nullptr, 0, &needed, &err), LX_OK);
    EXPECT_EQ(lx_host_clipboard_sequence(nullptr), 0u);
}

TEST_F(ClipboardMenuTest, CellMenuItemsAndTheCopyCommandReachTheHost) {
    addColumns(2);
    addRows(2);
    ArgList value;
    value.add(I4(1)).add(I4(1)).str("v");
    ASSERT_EQ(call("CellValue", LX_LET, value), LX_OK);
    EXPECT_EQ(lx_host_last_menu_item_count(host), 0);
    ASSERT_EQ(lx_host_answer_next_text(host, "Copy", nullptr), LX_OK);
    ASSERT_EQ(lx_host_click(host, 20, 30, 2, 0, nullptr), LX_OK);
    EXPECT_EQ(clipboardText(), "v\r\n");
    ASSERT_EQ(lx_host_last_menu_item_count(host), 4);
    std::vector<std::string> texts;
    for (int32_t i = 0; i < 4; ++i) {
        lx_menu_item item{};
        char text[64];
        int32_t needed = 0;
        ASSERT_EQ(lx_host_last_menu_item(host, i, &item, text, sizeof text, &needed, nullptr), LX_OK);
        texts.push_back(text);
        EXPECT_EQ(item.command, 0x2000 + 12 + i);
        EXPECT_EQ(item.enabled, i < 3 ? 1 : 0) << "Paste waits for text on the clipboard";
        EXPECT_EQ(item.separator, 0);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Cut", "Copy", "Copy with Headers", "Paste"}));
    lx_menu_item item{};
    int32_t needed = 0;
    lx_error err{};
    EXPECT_EQ(static_cast<uint32_t>(lx_host_last_menu_item(host, 4, &item, nullptr, 0, &needed, &err)), 0x800A0009u);
    // The published switches of the menus and the clipboard commands.
    let("BuiltinContextMenus", Bool(false));
    let("CopyPasteEnabled", Bool(false));
    Result r;
    ASSERT_EQ(call("CopyPasteEnabled", LX_GET, ArgList{}, &r.v), LX_OK);
    EXPECT_EQ(r.v.type, LX_BOOL);
    EXPECT_EQ(r.v.value.boolean, 0);
}

} // namespace

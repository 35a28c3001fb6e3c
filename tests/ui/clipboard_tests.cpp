// Clipboard open/close discipline, formats and sequence numbers.
#include <gtest/gtest.h>

#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;

namespace {

TEST(ClipboardService, OpenCloseOwnershipAndSequenceNumbers) {
    HeadlessHost host(100, 100);
    Probe probe;
    Hwnd a = probe.Create(host.TopLevel(), rectOfSize(0, 0, 10, 10));
    Hwnd b = probe.Create(host.TopLevel(), rectOfSize(0, 0, 10, 10));
    Clipboard& clip = Wm().GetClipboard();
    std::uint32_t start = clip.SequenceNumber();

    EXPECT_FALSE(clip.SetData(CF_UNICODETEXT, "x")); // not open
    EXPECT_FALSE(clip.Empty());
    ASSERT_TRUE(clip.Open(a));
    EXPECT_FALSE(clip.Open(b)); // open for someone else
    EXPECT_TRUE(clip.Empty());
    EXPECT_EQ(clip.Owner(), a);
    EXPECT_TRUE(clip.SetData(CF_UNICODETEXT, std::string("A\tB\r\n", 5)));
    EXPECT_EQ(clip.SequenceNumber(), start + 2); // each change counts
    EXPECT_TRUE(clip.Close());
    EXPECT_FALSE(clip.Close());
    EXPECT_EQ(clip.GetData(CF_UNICODETEXT), std::nullopt); // reading needs it open too

    std::uint32_t afterWrite = clip.SequenceNumber();
    EXPECT_EQ(clip.GetText(b), "A\tB\r\n");
    EXPECT_EQ(clip.SequenceNumber(), afterWrite); // reading changes nothing

    host.SetClipboardTextExternally("other");
    EXPECT_GT(clip.SequenceNumber(), afterWrite);

    host.HoldClipboardElsewhere(true);
    EXPECT_FALSE(clip.Open(a));
    EXPECT_EQ(clip.GetText(a), std::nullopt);
    EXPECT_FALSE(clip.SetText(a, "no"));
    host.HoldClipboardElsewhere(false);
    EXPECT_TRUE(clip.SetText(a, "yes"));
    EXPECT_EQ(clip.GetText(a), "yes");
}

TEST(ClipboardService, TextFormatsConvertIntoEachOther) {
    HeadlessHost host(100, 100);
    Clipboard& clip = Wm().GetClipboard();
    clip.SetText(0, "caf\xC3\xA9 \xE2\x82\xAC"); // café €
    ASSERT_TRUE(clip.Open(0));
    EXPECT_TRUE(clip.IsFormatAvailable(CF_TEXT));
    EXPECT_EQ(clip.GetData(CF_TEXT), "caf\xE9 ?"); // Latin-1, the euro sign has no 8-bit code here
    clip.Close();

    // An 8-bit text placed by another program, with its NUL terminator, reads as UTF-8.
    host.SetClipboardDataExternally(CF_TEXT, std::string("C:\\d\xFC\\CARCDATA.txt\0junk", 23));
    EXPECT_EQ(clip.GetText(0), "C:\\d\xC3\xBC\\CARCDATA.txt");
    ASSERT_TRUE(clip.Open(0));
    EXPECT_EQ(clip.GetData(CF_TEXT)->size(), 23u); // the data itself is kept as given
    EXPECT_EQ(clip.GetData(49999), std::nullopt);
    clip.Close();
    EXPECT_EQ(Utf8ToLatin1("\xC3"), "?"); // truncated sequence
    EXPECT_EQ(Latin1ToUtf8("\xA0"), "\xC2\xA0");
}

} // namespace

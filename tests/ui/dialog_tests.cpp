// Popup menus and message boxes answered from the host's script.
#include <gtest/gtest.h>

#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;

namespace {

PopupMenu SampleMenu() {
    PopupMenu menu;
    menu.AppendItem(0x2001, "Sort Ascending");
    menu.AppendItem(0x2002, "Sort Descending", false);
    menu.AppendSeparator();
    menu.AppendItem(0x2010, "&Custom", true, true);
    return menu;
}

TEST(PopupMenus, AnsweredFromTheScriptAndRecorded) {
    HeadlessHost host(200, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 100, 100));
    PopupMenu menu = SampleMenu();
    EXPECT_THROW(menu.AppendItem(0, "bad"), std::invalid_argument);

    host.AnswerNextMenu(0x2001);
    host.AnswerNext(std::string("Custom")); // by text, the prefix mark ignored
    host.AnswerNextMenu(0x2002);            // disabled: cannot be chosen
    EXPECT_EQ(wm.TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, Point{50, 60}, w), 0x2001);
    EXPECT_EQ(wm.TrackPopupMenu(menu, TPM_RETURNCMD, Point{50, 60}, w), 0x2010);
    EXPECT_EQ(wm.TrackPopupMenu(menu, TPM_RETURNCMD, Point{50, 60}, w), 0);
    EXPECT_EQ(wm.TrackPopupMenu(menu, TPM_RETURNCMD, Point{50, 60}, w), 0); // no answer: dismissed

    ASSERT_EQ(host.MenusShown().size(), 4u);
    const PopupMenuRequest& first = host.MenusShown()[0].request;
    EXPECT_EQ(first.owner, w);
    EXPECT_EQ(first.screenPos, (Point{50, 60}));
    EXPECT_EQ(first.menu.Items().size(), 4u);
    EXPECT_TRUE(first.menu.Items()[2].separator);
    EXPECT_TRUE(first.menu.Items()[3].checked);
    EXPECT_FALSE(first.menu.Items()[1].enabled);

    // Without TPM_RETURNCMD the choice arrives as WM_COMMAND.
    host.AnswerNext(0x2010);
    EXPECT_EQ(wm.TrackPopupMenu(menu, 0, Point{1, 1}, w), 1);
    host.Pump();
    std::vector<Received> commands = probe.Log({WM_COMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LoWord(commands[0].wParam), 0x2010);
    EXPECT_EQ(wm.TrackPopupMenu(PopupMenu{}, TPM_RETURNCMD, Point{1, 1}, w), 0); // empty menus are not shown
    EXPECT_EQ(host.MenusShown().size(), 5u);
}

TEST(MessageBoxes, ButtonsIconsScriptAndDefaults) {
    HeadlessHost host(200, 200);
    WindowManager& wm = Wm();
    Hwnd top = host.TopLevel();
    host.AnswerNext(IDNO);
    host.AnswerNext(std::string("Cancel"));
    host.AnswerNext(IDYES); // not a button of an OK box: the default stands
    EXPECT_EQ(wm.MessageBox(top, "Proceed?", "Paste Operation", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(wm.MessageBox(top, "q", "t", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(wm.MessageBox(top, "Invalid value:\r\nType mismatch.", "Input Validation", MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(wm.MessageBox(top, "q", "t", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL); // unanswered: default
    EXPECT_EQ(wm.MessageBox(top, "q", "t", 0x000F), 0);                            // no such button set

    const auto& shown = host.MessageBoxesShown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].request.caption, "Paste Operation");
    EXPECT_EQ(shown[0].request.Icon(), MessageBoxIcon::Question);
    EXPECT_EQ(shown[0].request.Buttons(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(shown[2].request.Icon(), MessageBoxIcon::Stop);
    EXPECT_EQ(shown[2].result, IDOK);

    // A typed answer waits for its own kind of service; a handler can look at the open box.
    host.AnswerNextMenu(5);
    EXPECT_EQ(wm.MessageBox(top, "q", "t", MB_YESNO), IDYES);
    EXPECT_EQ(host.Backend().PendingAnswers(), 1u);
    host.Backend().ClearScript();
    int focusWhileOpen = -1;
    host.Backend().OnMessageBox([&](const MessageBoxRequest& r) -> std::optional<int> {
        focusWhileOpen = static_cast<int>(Wm().GetFocus() == top);
        return r.text == "answer no" ? std::optional<int>(IDNO) : std::nullopt;
    });
    EXPECT_EQ(wm.MessageBox(top, "answer no", "t", MB_YESNO), IDNO);
    EXPECT_EQ(focusWhileOpen, 1);
}

} // namespace

#pragma once
// The edit box tests' fixture: a headless host whose top-level window counts the EN_CHANGE
// notifications its edit boxes send.
#include <gtest/gtest.h>

#include "platform/controls/edit_box.h"
#include "platform/headless/headless_host.h"

namespace edit_box_test {

using namespace lattix;
using namespace lattix::ui;
using controls::EditBox;

inline int g_changes = 0;

inline LResult CountChanges(Hwnd hwnd, MessageId m, WParam w, LParam l, std::uintptr_t, std::uintptr_t) {
    if (m == WM_COMMAND && HiWord(w) == controls::EN_CHANGE) ++g_changes;
    return Wm().DefSubclassProc(hwnd, m, w, l);
}

struct EditFixture : ::testing::Test {
    headless::HeadlessHost host{300, 200};
    int boxWidth = 100; // of the boxes made without a rectangle
    // A multi-line edit box with the focus, at `r` (by default boxWidth wide at (10, 10)).
    Hwnd Make(std::uint32_t style, Rect r = {}, std::uint32_t ex = 0) {
        if (r.isEmpty()) r = {10, 10, 10 + boxWidth, 40};
        Hwnd h = EditBox::Create(host.TopLevel(), r, WS_VISIBLE | controls::ES_MULTILINE | style, ex, 7);
        Wm().SetFocus(h);
        return h;
    }
    EditBox& Box(Hwnd h) { return *EditBox::FromWindow(h); }
    void SetUp() override {
        g_changes = 0;
        Wm().SetWindowSubclass(host.TopLevel(), &CountChanges, 1, 0);
    }
    void TearDown() override { Wm().RemoveWindowSubclass(host.TopLevel(), &CountChanges, 1); }
};

} // namespace edit_box_test

// Window tree, message order, re-entrant sends, subclass chains and window properties.
#include <gtest/gtest.h>

#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;

namespace {

TEST(WindowTree, CreationAndDestructionSendMessagesInOrder) {
    HeadlessHost host(200, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd parent = probe.Create(host.TopLevel(), rectOfSize(10, 10, 100, 50));
    Hwnd child = probe.Create(parent, rectOfSize(5, 5, 20, 20));
    ASSERT_NE(parent, 0u);
    ASSERT_NE(child, 0u);
    EXPECT_EQ(probe.Ids(parent, {WM_CREATE, WM_SIZE, WM_MOVE}), (std::vector<MessageId>{WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(wm.GetParent(child), parent);
    EXPECT_TRUE(wm.IsChild(host.TopLevel(), child));
    EXPECT_EQ(wm.GetWindowRect(child), rectOfSize(15, 15, 20, 20));

    probe.Clear();
    ASSERT_TRUE(wm.DestroyWindow(parent));
    std::vector<Received> log = probe.Log({WM_DESTROY, WM_NCDESTROY});
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].hwnd, parent);
    EXPECT_EQ(log[0].message, WM_DESTROY);
    EXPECT_EQ(log[1].hwnd, child);
    EXPECT_EQ(log[1].message, WM_DESTROY);
    EXPECT_EQ(log[2].hwnd, child);
    EXPECT_EQ(log[2].message, WM_NCDESTROY);
    EXPECT_EQ(log[3].hwnd, parent);
    EXPECT_EQ(log[3].message, WM_NCDESTROY);
    EXPECT_FALSE(wm.IsWindow(child));
    // A dead handle is refused everywhere and nothing happens.
    EXPECT_EQ(wm.SendMessage(child, WM_USER), 0);
    EXPECT_FALSE(wm.PostMessage(child, WM_USER));
    EXPECT_FALSE(wm.SetProp(child, "x", 1));
    EXPECT_FALSE(wm.DestroyWindow(child));
}

int gRefusedDestroyed = 0;
LResult RefusingProc(Hwnd h, MessageId m, WParam w, LParam l) {
    if (m == WM_CREATE) return -1;
    if (m == WM_DESTROY) ++gRefusedDestroyed;
    return Wm().DefWindowProc(h, m, w, l);
}

TEST(WindowTree, CreateRefusedByHandlerOrArguments) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    // A child without a parent, an unknown class, a negative size.
    EXPECT_EQ(probe.Create(0, rectOfSize(0, 0, 10, 10), WS_CHILD), 0u);
    CreateParams unknown;
    unknown.className = "NoSuchClass";
    EXPECT_EQ(wm.CreateWindow(unknown), 0u);
    EXPECT_EQ(probe.Create(host.TopLevel(), Rect{10, 10, 0, 0}), 0u);

    // WM_CREATE answering -1 refuses creation; the window gets its WM_DESTROY.
    gRefusedDestroyed = 0;
    WindowClass c{"TestRefuser", &RefusingProc};
    wm.RegisterClass(c);
    CreateParams p;
    p.className = "TestRefuser";
    p.style = WS_CHILD;
    p.parent = host.TopLevel();
    EXPECT_EQ(wm.CreateWindow(p), 0u);
    EXPECT_EQ(gRefusedDestroyed, 1);
    EXPECT_TRUE(wm.GetChildren(host.TopLevel()).empty());
    EXPECT_FALSE(wm.RegisterClass(c)); // taken
}

TEST(Messages, SendIsSynchronousAndReentrantPostIsQueued) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    std::vector<std::string> trace;
    probe.Handle(w, [&](Hwnd h, MessageId m, WParam wp, LParam) -> std::optional<LResult> {
        if (m == WM_USER) {
            trace.push_back("outer begin");
            wm.PostMessage(h, WM_USER + 2, 7);
            // A handler that sends back into its own window runs the inner message to the end first.
            LResult inner = wm.SendMessage(h, WM_USER + 1, wp + 1);
            trace.push_back("outer end " + std::to_string(inner));
            return inner * 10;
        }
        if (m == WM_USER + 1) {
            trace.push_back("inner " + std::to_string(wp));
            EXPECT_EQ(wm.CurrentMessage()->message, WM_USER + 1);
            return static_cast<LResult>(wp * 2);
        }
        if (m == WM_USER + 2) trace.push_back("posted " + std::to_string(wp));
        return std::nullopt;
    });
    EXPECT_EQ(wm.SendMessage(w, WM_USER, 4), 100);
    EXPECT_EQ(trace, (std::vector<std::string>{"outer begin", "inner 5", "outer end 10"}));
    EXPECT_EQ(wm.QueuedMessageCount(), 1u);
    wm.PostMessage(w, WM_USER + 2, 8);
    host.Pump();
    EXPECT_EQ(trace, (std::vector<std::string>{"outer begin", "inner 5", "outer end 10", "posted 7", "posted 8"}));

    // A posted message for a window destroyed before delivery is dropped.
    wm.PostMessage(w, WM_USER + 2, 9);
    wm.DestroyWindow(w);
    host.Pump();
    EXPECT_EQ(trace.back(), "posted 8");
}

TEST(Messages, WindowDestroyedInsideItsOwnHandlerStaysSafe) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    bool sawNcDestroyInside = false;
    probe.Handle(w, [&](Hwnd h, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m == WM_USER) {
            wm.DestroyWindow(h);
            sawNcDestroyInside = !probe.Ids(h, {WM_NCDESTROY}).empty();
            return 5;
        }
        return std::nullopt;
    });
    EXPECT_EQ(wm.SendMessage(w, WM_USER), 5);
    EXPECT_TRUE(sawNcDestroyInside);
    EXPECT_FALSE(wm.IsWindow(w));
}

// Subclass procedures that record their passage and pass every message on.
std::vector<std::string>* gChainTrace = nullptr;
LResult Sub(Hwnd h, MessageId m, WParam w, LParam l, std::uintptr_t id, std::uintptr_t) {
    if (m == WM_USER && gChainTrace) gChainTrace->push_back("sub" + std::to_string(id));
    return Wm().DefSubclassProc(h, m, w, l) + 1;
}
LResult SelfRemovingSub(Hwnd h, MessageId m, WParam w, LParam l, std::uintptr_t id, std::uintptr_t) {
    if (m == WM_USER) {
        if (gChainTrace) gChainTrace->push_back("self" + std::to_string(id));
        Wm().RemoveWindowSubclass(h, &SelfRemovingSub, id);
    }
    return Wm().DefSubclassProc(h, m, w, l);
}

TEST(Subclassing, ChainRunsNewestFirstAndSurvivesRemovalInAnyOrder) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    std::vector<std::string> trace;
    gChainTrace = &trace;
    probe.Handle(w, [&](Hwnd, MessageId m, WParam, LParam) -> std::optional<LResult> {
        if (m == WM_USER) {
            trace.push_back("base");
            return 100;
        }
        return std::nullopt;
    });
    ASSERT_TRUE(wm.SetWindowSubclass(w, &Sub, 1, 0));
    ASSERT_TRUE(wm.SetWindowSubclass(w, &Sub, 2, 0));
    ASSERT_TRUE(wm.SetWindowSubclass(w, &Sub, 3, 0));
    EXPECT_EQ(wm.SendMessage(w, WM_USER), 103);
    EXPECT_EQ(trace, (std::vector<std::string>{"sub3", "sub2", "sub1", "base"}));

    // Out of order: the middle one, then the oldest.
    trace.clear();
    EXPECT_TRUE(wm.RemoveWindowSubclass(w, &Sub, 2));
    EXPECT_FALSE(wm.RemoveWindowSubclass(w, &Sub, 2));
    EXPECT_EQ(wm.SendMessage(w, WM_USER), 102);
    EXPECT_TRUE(wm.RemoveWindowSubclass(w, &Sub, 1));
    EXPECT_EQ(wm.SendMessage(w, WM_USER), 101);
    EXPECT_EQ(trace, (std::vector<std::string>{"sub3", "sub1", "base", "sub3", "base"}));

    // An entry that removes itself while running still reaches the rest of the chain, once.
    trace.clear();
    wm.SetWindowSubclass(w, &SelfRemovingSub, 9, 0);
    EXPECT_EQ(wm.SendMessage(w, WM_USER), 101);
    EXPECT_EQ(wm.SendMessage(w, WM_USER), 101);
    EXPECT_EQ(trace, (std::vector<std::string>{"self9", "sub3", "base", "sub3", "base"}));
    std::uintptr_t ref = 0;
    EXPECT_FALSE(wm.GetWindowSubclass(w, &SelfRemovingSub, 9, &ref));
    gChainTrace = nullptr;
}

// The subclassing convention of the grid: the previous procedure and the object are kept in
// window properties and restored at the end.
struct Subclasser {
    int seen = 0;
    static LResult Proc(Hwnd h, MessageId m, WParam w, LParam l) {
        auto* self = reinterpret_cast<Subclasser*>(Wm().GetProp(h, "ObjPtr_Lattix"));
        auto previous = reinterpret_cast<WndProc>(Wm().GetProp(h, "procOld_Lattix"));
        if (m == WM_USER && self != nullptr) ++self->seen;
        return Wm().CallWindowProc(previous, h, m, w, l);
    }
};

TEST(Subclassing, ReplacedProcedureKeptInWindowProperties) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    Subclasser object;
    WndProc old = wm.SetWindowProc(w, &Subclasser::Proc);
    ASSERT_EQ(old, &Probe::Proc);
    wm.SetProp(w, "procOld_Lattix", reinterpret_cast<std::intptr_t>(old));
    wm.SetProp(w, "ObjPtr_Lattix", reinterpret_cast<std::intptr_t>(&object));
    wm.SendMessage(w, WM_USER);
    EXPECT_EQ(object.seen, 1);
    EXPECT_EQ(probe.Ids(w, {WM_USER}).size(), 1u); // the previous procedure still ran

    wm.SetWindowProc(w, reinterpret_cast<WndProc>(wm.RemoveProp(w, "procOld_Lattix")));
    EXPECT_EQ(wm.RemoveProp(w, "ObjPtr_Lattix"), reinterpret_cast<std::intptr_t>(&object));
    EXPECT_EQ(wm.GetProp(w, "procOld_Lattix"), 0);
    wm.SendMessage(w, WM_USER);
    EXPECT_EQ(object.seen, 1);
    EXPECT_EQ(wm.SetWindowProc(w, nullptr), nullptr);
    EXPECT_EQ(wm.GetWindowProc(w), &Probe::Proc);
}

TEST(WindowAttributes, PropertiesUserDataTextStylesAndZOrder) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd a = probe.Create(host.TopLevel(), rectOfSize(0, 0, 50, 50));
    Hwnd b = probe.Create(host.TopLevel(), rectOfSize(20, 20, 50, 50));
    EXPECT_TRUE(wm.SetProp(a, "one", 11));
    EXPECT_FALSE(wm.SetProp(a, "", 1));
    EXPECT_EQ(wm.GetProp(a, "one"), 11);
    EXPECT_EQ(wm.GetProp(b, "one"), 0);
    EXPECT_EQ(wm.GetPropNames(a), std::vector<std::string>{"one"});
    EXPECT_EQ(wm.RemoveProp(a, "missing"), 0);
    EXPECT_EQ(wm.SetUserData(a, 42), 0);
    EXPECT_EQ(wm.GetUserData(a), 42);
    wm.SetWindowText(a, "Title");
    char buffer[4];
    EXPECT_EQ(wm.SendMessage(a, WM_GETTEXT, sizeof buffer, reinterpret_cast<LParam>(buffer)), 3);
    EXPECT_STREQ(buffer, "Tit");
    EXPECT_EQ(wm.SendMessage(a, WM_GETTEXTLENGTH), 5);

    // Newest child is on top; the point where both overlap belongs to it until a is raised.
    EXPECT_EQ(wm.GetWindow(host.TopLevel(), GW_CHILD), b);
    EXPECT_EQ(wm.WindowFromPoint(host.ToScreen(30, 30)), b);
    wm.SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(wm.WindowFromPoint(host.ToScreen(30, 30)), a);
    EXPECT_EQ(wm.GetWindow(a, GW_HWNDNEXT), b);
    wm.ShowWindow(a, SW_HIDE);
    EXPECT_FALSE(wm.IsWindowVisible(a));
    EXPECT_EQ(wm.WindowFromPoint(host.ToScreen(30, 30)), b);
    // The style cannot turn a child into a top-level window.
    wm.SetStyle(b, WS_VISIBLE);
    EXPECT_NE(wm.GetStyle(b) & WS_CHILD, 0u);
    // EnableWindow reports the previous disabled state.
    EXPECT_FALSE(wm.EnableWindow(b, false));
    EXPECT_TRUE(wm.EnableWindow(b, true));
}

TEST(WindowGeometry, MoveResizeAndCoordinates) {
    HeadlessHost host(300, 200);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(10, 20, 100, 60), WS_CHILD | WS_VISIBLE | WS_BORDER);
    EXPECT_EQ(wm.GetClientRect(w), (Rect{0, 0, 98, 58}));
    Point p{0, 0};
    wm.ClientToScreen(w, p);
    EXPECT_EQ(p, (Point{11, 21}));
    wm.ScreenToClient(w, p);
    EXPECT_EQ(p, (Point{0, 0}));
    probe.Clear();
    wm.MoveWindow(w, 30, 40, 120, 60);
    std::vector<Received> sizes = probe.Log({WM_SIZE, WM_MOVE});
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].message, WM_SIZE);
    EXPECT_EQ(LoWord(static_cast<std::uintptr_t>(sizes[0].lParam)), 118);
    EXPECT_EQ(sizes[1].message, WM_MOVE);
    // Moving without resizing sends no WM_SIZE.
    probe.Clear();
    wm.MoveWindow(w, 31, 40, 120, 60);
    EXPECT_EQ(probe.Ids(w, {WM_SIZE, WM_MOVE}), std::vector<MessageId>{WM_MOVE});
    EXPECT_FALSE(wm.MoveWindow(w, 0, 0, -1, 5));
}

} // namespace

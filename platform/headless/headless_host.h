// A window host without a display. It owns one top-level window of a given size, injects mouse,
// wheel and keyboard input at that window's client coordinates, advances a virtual clock (firing
// due timers in order), answers message boxes and menus from a script, and renders the window
// with its children and popups to a bitmap or a PNG file.
//
// Every host of a process shares one desktop: one clock, one clipboard, one script. The desktop
// is set up by the first host and torn down with the last one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/headless/headless_backend.h"
#include "platform/ui/drag_drop.h"
#include "platform/ui/messages.h"
#include "platform/ui/window_manager.h"

namespace lattix::ui::headless {

enum class MouseButton { Left, Right, Middle };

class HeadlessHost {
public:
    // Throws std::invalid_argument for a size below 1 or above 16384 or a dpi other than 0 outside
    // 24..1200, std::logic_error when the window manager runs on another backend. A dpi other than
    // 0 becomes the desktop's (as SetSystemInfo sets it, for every host of the process) before the
    // window is made; 0 keeps the desktop's (96 on a fresh one).
    HeadlessHost(int width, int height, const std::string& title = "Lattix", int dpi = 0);
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // The top-level window. Its client area is the whole window: client and window coordinates
    // of the host are the same.
    Hwnd TopLevel() const { return topLevel_; }
    WindowManager& Manager() const { return Wm(); }
    HeadlessBackend& Backend() const;

    // ---- input at client coordinates of the top-level window; mods: kModShift | kModCtrl |
    // kModAlt, held for the duration of the call. Each call delivers everything it causes.
    void MouseMove(int x, int y, unsigned mods = 0);
    void MouseDown(int x, int y, MouseButton button = MouseButton::Left, unsigned mods = 0);
    void MouseUp(int x, int y, MouseButton button = MouseButton::Left, unsigned mods = 0);
    // Press and release at one point, without time passing.
    void Click(int x, int y, MouseButton button = MouseButton::Left, unsigned mods = 0);
    // Two clicks in a row: the second press arrives as a double click.
    void DoubleClick(int x, int y, MouseButton button = MouseButton::Left, unsigned mods = 0);
    // Moves with the button held from (x1, y1) to (x2, y2) in `steps` moves, then releases.
    void Drag(int x1, int y1, int x2, int y2, int steps = 4, MouseButton button = MouseButton::Left,
              unsigned mods = 0);
    // delta in wheel units: +120 is one notch away from the user.
    void Wheel(int x, int y, int delta, unsigned mods = 0);
    // The horizontal wheel: +120 is one notch to the right.
    void HWheel(int x, int y, int delta, unsigned mods = 0);
    void KeyDown(VirtualKey key, unsigned mods = 0);
    void KeyUp(VirtualKey key, unsigned mods = 0);
    // Key down, the character the key types (if any), key up.
    void KeyPress(VirtualKey key, unsigned mods = 0);
    // Types UTF-8 text: each character as key down, character, key up (VK_PACKET for characters
    // without a key of their own). Bytes that are not UTF-8 count as Latin-1 characters.
    void TypeText(const std::string& utf8);
    // ---- input methods (platform/headless/headless_input_method.cpp), as one sends them to the
    // window with the focus. A composition starts, shows text being composed with its caret
    // `cursor` characters into it (-1: at its end; an empty text ends the composition), and ends
    // by committing text (inserted as typed) or by being cancelled (what was composed goes away).
    // Updating or committing without a start starts a composition first. Throws
    // std::invalid_argument for a cursor outside -1..length of the text.
    void StartComposition();
    void UpdateComposition(const std::string& preedit, int cursor = -1);
    void CommitComposition(const std::string& text);
    void CancelComposition();
    // What the focused window tells an input method (its caret in client coordinates of the
    // top-level window); false when no window answers.
    bool QueryInputMethod(InputMethodQuery& query) const;
    // Converts client coordinates of the top-level window to screen coordinates.
    Point ToScreen(int x, int y) const;

    // ---- virtual time
    // Moves the clock forward by ms, firing every timer that falls due on the way in due order
    // and delivering the messages each one causes.
    void Advance(std::uint64_t ms);
    std::uint64_t Now() const;
    // Delivers queued messages and pending paints.
    void Pump();

    // ---- scripted modal services
    // Answers the next message box (a button result) or menu (a command, 0 dismisses).
    void AnswerNext(int value);
    // Answers by button caption ("Yes") or menu item text.
    void AnswerNext(const std::string& text);
    void AnswerNextMessageBox(int button);
    void AnswerNextMenu(int command);
    const std::vector<ShownMessageBox>& MessageBoxesShown() const { return Backend().MessageBoxesShown(); }
    const std::vector<ShownMenu>& MenusShown() const { return Backend().MenusShown(); }

    // ---- system facts
    // Replaces the system information; a change of the visual-styles flags is announced to every
    // window with WM_THEMECHANGED. A new dpi rescales the system metrics and is announced with
    // WM_DPICHANGED, as a move to a screen of another scale would be. Throws
    // std::invalid_argument for a dpi outside 24..1200 or a colour depth below 1.
    void SetSystemInfo(const SystemInfo& info);
    SystemInfo GetSystemInfo() const { return Backend().GetSystemInfo(); }

    // ---- clipboard, as another program would use it
    void SetClipboardTextExternally(const std::string& utf8);
    void SetClipboardDataExternally(unsigned format, const std::string& bytes);
    // Makes opening the clipboard fail, as when another program holds it open.
    void HoldClipboardElsewhere(bool held);

    // ---- drag and drop (platform/headless/headless_drag_drop.cpp)
    // Another program drags data over client point (x, y) of this host's window: drag enter and
    // over on the drop target there, then the drop (or, with drop false, the drag leaves again).
    // keyState holds MK_* bits. Returns the effect the target took (or offered); none without one.
    int InjectDrop(int x, int y, DragData& data, int allowedEffects, unsigned keyState = MK_LBUTTON,
                   bool drop = true);
    // How the next drag a window starts ends (one script entry per drag; without one a drag is
    // cancelled): dropped at client point (x, y) of this host's window, on whatever target is
    // there; taken by another program with the given effect; or cancelled.
    void ScriptNextDragDrop(int x, int y, unsigned keyState = MK_LBUTTON);
    void ScriptNextDragToOtherProgram(int effect);
    void ScriptNextDragCancel();
    // The data of the latest drag a window started, and how many drags were started.
    static const DragData& LastDraggedData();
    static int DragsStarted();

    // ---- pictures
    // The window with its children and visible popups; pending paints run first.
    gfx::Bitmap Render();
    // Throws std::runtime_error when the file cannot be written.
    void SavePng(const std::string& path);

private:
    void PressModifiers(unsigned mods, std::vector<VirtualKey>& pressed);
    void ReleaseModifiers(std::vector<VirtualKey>& pressed);
    void BringToFront();

    Hwnd topLevel_ = 0;
};

} // namespace lattix::ui::headless

// The tooltip window ("tooltips_class32"): a borderless popup that shows a tip for one tool
// window. It watches the tool's mouse messages (through a subclass of the tool window): when the
// pointer rests on the tool for the initial delay the tip appears below the pointer; it goes away
// after the visible time, when the pointer leaves the tool, on a button press, or when it is
// deactivated. After it went away by itself it reappears only once the pointer has left the tool
// and come back.
//
// The tip shows an optional icon and bold title above its text; the text breaks into lines only at
// explicit line breaks (CR LF, LF or CR), never to fit a width.
#pragma once

#include <string>

#include "platform/controls/tooltip_icons.h"
#include "platform/gfx/font.h"
#include "platform/ui/window_manager.h"

namespace lattix::controls {

using ui::Hwnd;

inline constexpr const char* kTooltipClassName = "tooltips_class32";

// Tooltip window styles.
inline constexpr std::uint32_t TTS_ALWAYSTIP = 0x01;
inline constexpr std::uint32_t TTS_NOPREFIX = 0x02;
inline constexpr std::uint32_t TTS_NOANIMATE = 0x10;
inline constexpr std::uint32_t TTS_NOFADE = 0x20;

class TooltipWindow {
public:
    // Creates the (hidden) tooltip for `tool` and starts watching it. 0 when the tool is not a
    // window or the tip cannot be created.
    static Hwnd Create(Hwnd tool, std::uint32_t style = TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOANIMATE);
    static TooltipWindow* FromWindow(Hwnd hwnd);

    Hwnd hwnd() const { return hwnd_; }
    Hwnd tool() const { return tool_; }

    void SetText(const std::string& utf8);
    const std::string& Text() const { return text_; }
    void SetTitle(const std::string& utf8, TooltipIcon icon);
    const std::string& Title() const { return title_; }
    TooltipIcon Icon() const { return icon_; }
    // Milliseconds; a negative value restores the default (initial 500, visible 5000).
    void SetInitialDelay(int ms);
    void SetVisibleTime(int ms);
    int InitialDelay() const { return initialDelay_; }
    int VisibleTime() const { return visibleTime_; }
    // Tips wider than this are cut; the default, 100000, means lines are never limited.
    void SetMaxWidth(int pixels) { maxWidth_ = pixels; }
    // An inactive tip hides and does not appear until activated again.
    void Activate(bool active);
    bool IsActive() const { return active_; }
    bool IsShown() const;
    // Hands the tip a mouse message of its tool that it did not see itself (the pointer already
    // rests on the tool when the tip is made): a move starts the initial delay.
    void RelayEvent(ui::MessageId message) { OnToolMessage(message); }

    // The size the tip takes for its current title, icon and text.
    ui::Size MeasureTip() const;

private:
    explicit TooltipWindow(Hwnd hwnd) : hwnd_(hwnd) {}
    static ui::LResult Proc(Hwnd, ui::MessageId, ui::WParam, ui::LParam);
    ui::LResult Handle(ui::MessageId message, ui::WParam wParam, ui::LParam lParam);
    static ui::LResult ToolSubclass(Hwnd, ui::MessageId, ui::WParam, ui::LParam, std::uintptr_t, std::uintptr_t);
    void OnToolMessage(ui::MessageId message);
    void StartDelay();
    void Show();
    void Hide();
    void StopTimers();
    void Paint(gfx::DeviceContext& dc);
    void Detach();
    bool Themed() const;

    Hwnd hwnd_;
    Hwnd tool_ = 0;
    std::string text_;
    std::string title_;
    TooltipIcon icon_ = TooltipIcon::None;
    int initialDelay_ = 500;
    int visibleTime_ = 5000;
    int maxWidth_ = 100000;
    bool active_ = true;
    bool poppedUntilLeave_ = false;
    ui::TimerId delayTimer_ = 0;
    ui::TimerId visibleTimer_ = 0;
};

} // namespace lattix::controls

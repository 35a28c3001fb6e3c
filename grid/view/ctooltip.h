// CTooltip: the grid's wrapper of one tooltip window for cell and column-header tips. The values
// set here apply at the next Create (or at once to a tip that exists); the tip window follows the
// pointer over its parent (the tool) and shows after DelayTime for VisibleTime milliseconds.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls/tooltip_window.h"

namespace lattix {

// EToolTipIcon.
enum ToolTipIcon : int32_t { lxToolTipIconNone = 0, lxToolTipIconInfo = 1, lxToolTipIconWarning = 2, lxToolTipIconError = 3 };

class CTooltip {
public:
    CTooltip() = default;
    ~CTooltip() { Destroy(); }
    CTooltip(const CTooltip&) = delete;
    CTooltip& operator=(const CTooltip&) = delete;

    // Creates the tooltip window for `parent` (replacing one made before). False when it cannot
    // be created; no tip shows then.
    bool Create(ui::Hwnd parent);
    void Deactivate();
    void Destroy();

    void SetIcon(int32_t icon);
    void SetTitle(const std::string& title);
    void SetTipText(const std::string& text);
    void SetVisibleTime(int32_t ms);
    void SetDelayTime(int32_t ms);
    void SetFadeEffect(bool fade) { fade_ = fade; }

    int32_t Icon() const { return icon_; }
    const std::string& Title() const { return title_; }
    const std::string& TipText() const { return text_; }
    int32_t VisibleTime() const { return visibleTime_; }
    int32_t DelayTime() const { return delayTime_; }
    bool FadeEffect() const { return fade_; }

    ui::Hwnd hwnd() const { return hwnd_; }
    controls::TooltipWindow* Window() const { return controls::TooltipWindow::FromWindow(hwnd_); }

private:
    void Apply();

    ui::Hwnd hwnd_ = 0;
    int32_t icon_ = lxToolTipIconNone;
    std::string title_;
    std::string text_;
    int32_t visibleTime_ = 5000;
    int32_t delayTime_ = 500;
    bool fade_ = false;
};

} // namespace lattix

#include "grid/view/ctooltip.h"

#include <algorithm>

namespace lattix {

namespace {
// Always shown, no prefix processing, no animation; no fade unless asked for.
constexpr std::uint32_t kStyle = controls::TTS_ALWAYSTIP | controls::TTS_NOPREFIX | controls::TTS_NOANIMATE;
// Wide enough that tips break only at explicit line breaks.
constexpr int kMaxTipWidth = 100000;
} // namespace

bool CTooltip::Create(ui::Hwnd parent) {
    Destroy();
    hwnd_ = controls::TooltipWindow::Create(parent, kStyle | (fade_ ? 0u : controls::TTS_NOFADE));
    if (hwnd_ == 0) return false;
    Window()->SetMaxWidth(kMaxTipWidth);
    Apply();
    return true;
}

void CTooltip::Apply() {
    controls::TooltipWindow* w = Window();
    if (w == nullptr) return;
    w->SetText(text_);
    w->SetTitle(title_, title_.empty() ? controls::TooltipIcon::None : static_cast<controls::TooltipIcon>(icon_));
    w->SetVisibleTime(visibleTime_);
    w->SetInitialDelay(delayTime_);
}

void CTooltip::Deactivate() {
    if (controls::TooltipWindow* w = Window()) w->Activate(false);
}

void CTooltip::Destroy() {
    if (hwnd_ != 0 && Window() != nullptr) ui::Wm().DestroyWindow(hwnd_);
    hwnd_ = 0;
}

void CTooltip::SetIcon(int32_t icon) {
    icon_ = std::clamp(icon, static_cast<int32_t>(lxToolTipIconNone), static_cast<int32_t>(lxToolTipIconError));
    Apply();
}
void CTooltip::SetTitle(const std::string& title) {
    title_ = title;
    Apply();
}
void CTooltip::SetTipText(const std::string& text) {
    text_ = text;
    Apply();
}
void CTooltip::SetVisibleTime(int32_t ms) {
    visibleTime_ = ms;
    Apply();
}
void CTooltip::SetDelayTime(int32_t ms) {
    delayTime_ = ms;
    Apply();
}

} // namespace lattix

// The grid's own members for its header bar, scroll bars, visual styles and tooltips.
#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"

namespace lattix {

int32_t Lattix::ScrollBarStyle() const { return chrome_->ScrollBarStyle(); }

void Lattix::SetScrollBarStyle(int32_t e) {
    if (e < lxScrollBarRegular || e > lxScrollBarFlat) RaiseLattixError(lattix_error::kInvalidArgument);
    chrome_->SetScrollBarStyle(e);
    PropertyChanged("ScrollBarStyle");
}

bool Lattix::UseXPStyles() const { return chrome_->UseXPStyles(); }
void Lattix::SetUseXPStyles(bool b) { chrome_->SetUseXPStyles(b); }
bool Lattix::XPStylesInEffect() const { return chrome_->XPStylesInEffect(); }

int32_t Lattix::ToolTipDelayTime() const { return chrome_->ToolTipDelayTime(); }
void Lattix::SetToolTipDelayTime(int32_t ms) {
    if (ms < -1) RaiseLattixError(lattix_error::kInvalidArgument);
    chrome_->SetToolTipDelayTime(ms);
    PropertyChanged("ToolTipDelayTime");
}
int32_t Lattix::ToolTipVisibleTime() const { return chrome_->ToolTipVisibleTime(); }
void Lattix::SetToolTipVisibleTime(int32_t ms) {
    if (ms < -1) RaiseLattixError(lattix_error::kInvalidArgument);
    chrome_->SetToolTipVisibleTime(ms);
    PropertyChanged("ToolTipVisibleTime");
}

bool Lattix::IsColHeaderTextClipped(const Variant& vCol, bool bCheckPartiallyHidden) {
    const int32_t pos = ResolveColPos(vCol);
    return chrome_->IsColHeaderTextClipped(pos, bCheckPartiallyHidden);
}

} // namespace lattix

// The small icons a tooltip shows beside its title: information, warning and error.
#pragma once

#include "platform/gfx/device_context.h"

namespace lattix::controls {

enum class TooltipIcon { None = 0, Info = 1, Warning = 2, Error = 3 };

inline constexpr int kTooltipIconSize = 16;

// Draws the icon in the 16 x 16 square at (x, y); nothing for TooltipIcon::None.
void DrawTooltipIcon(gfx::DeviceContext& dc, TooltipIcon icon, int x, int y);

} // namespace lattix::controls

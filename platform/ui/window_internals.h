// Non-client metrics and scroll bar geometry shared by the window manager's source files.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/ui/types.h"
#include "platform/ui/window_record.h"

namespace lattix::ui::internals {

// Width of the frame a window's styles give it.
int BorderWidth(std::uint32_t style, std::uint32_t exStyle);
// Width of a vertical scroll bar (and height of a horizontal one), from the system metrics.
int ScrollBarThicknessMetric();
// The class background as RGB; nullopt for CLR_NONE or an untranslatable value.
std::optional<gfx::Color> ClassBackground(const WindowClass& windowClass);
// Smallest length of a scroll bar thumb.
int MinThumbLength();

enum ScrollPart : int { kPartNone = 0, kPartLineUp, kPartPageUp, kPartThumb, kPartPageDown, kPartLineDown };

// The parts of one scroll bar along its length, relative to the bar's rectangle start.
struct ScrollLayout {
    int length = 0;      // whole bar
    int arrow = 0;       // each arrow button
    int trackStart = 0;  // first pixel after the first arrow
    int trackLength = 0; // pixels between the arrows
    int thumbStart = 0;  // relative to the bar start
    int thumbLength = 0; // 0 when there is no thumb (disabled or no range)
};

// True when the bar can scroll: enabled and with a range larger than the page.
bool ScrollBarActive(const ScrollBarState& bar);
ScrollLayout LayoutScrollBar(const ScrollBarState& bar, int length, int thickness);
// The part at offset `along` from the bar start.
ScrollPart ScrollPartAt(const ScrollLayout& layout, int along);
// Position for a thumb whose leading edge stands at `thumbStart`.
int PositionForThumb(const ScrollBarState& bar, const ScrollLayout& layout, int thumbStart);
// Highest position the bar can take: max - page + 1 (or max without page).
int MaxScrollPos(const ScrollBarState& bar);

} // namespace lattix::ui::internals

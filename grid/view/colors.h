// The colour service: automation colours to RGB.
//
// A colour is an RGB value 0x00BBGGRR or a system colour 0x800000nn whose low byte indexes the
// platform's system colour table (the headless table holds the classic desktop defaults: window
// white, window text black, button face rgb(212, 208, 200), highlight navy rgb(10, 36, 106), ...).
// Anything else, -1 ("no colour") included, cannot be translated and gives -1.
#pragma once

#include <cstdint>

namespace lattix {

int32_t TranslateColor(int32_t oleColor);

} // namespace lattix

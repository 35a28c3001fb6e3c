// Twips, HIMETRIC and pixels.
#include "app/forms/controls.h"

#include <cmath>

namespace avigram {

int TwipsToPixels(int twips, int dpi) {
    // 1440 twips per inch.
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

int HimetricToTwips(int himetric) {
    // 2540 HIMETRIC units per inch.
    return static_cast<int>(std::lround(static_cast<double>(himetric) * 1440.0 / 2540.0));
}

} // namespace avigram

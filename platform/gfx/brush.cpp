#include "platform/gfx/brush.h"

#include <stdexcept>

namespace lattix::gfx {

namespace {
constexpr std::uint8_t kPatterns[6][8] = {
    {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};
} // namespace

bool isValidHatch(int value) { return value >= 0 && value <= 5; }

const std::uint8_t* hatchPattern(HatchStyle h) {
    int i = static_cast<int>(h);
    if (!isValidHatch(i)) throw std::invalid_argument("hatchPattern: unknown hatch style");
    return kPatterns[i];
}

bool hatchBit(HatchStyle h, int x, int y) {
    const std::uint8_t* p = hatchPattern(h);
    return (p[y & 7] >> (7 - (x & 7))) & 1;
}

} // namespace lattix::gfx

#include "grid/view/colors.h"

#include "platform/gfx/system_colors.h"

namespace lattix {

int32_t TranslateColor(int32_t oleColor) {
    std::optional<gfx::Color> rgb = gfx::systemColors().translate(static_cast<uint32_t>(oleColor));
    return rgb ? static_cast<int32_t>(*rgb) : -1;
}

} // namespace lattix

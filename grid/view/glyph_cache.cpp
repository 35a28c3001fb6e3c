#include "grid/view/glyph_cache.h"

#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_metrics.h"

namespace lattix {

namespace {
gfx::Bitmap renderFrameControl(int side, std::uint32_t type, std::uint32_t state) {
    gfx::Bitmap bmp(side, side, gfx::pixelOf(0xFFFFFF));
    gfx::DeviceContext dc(bmp);
    gfx::drawFrameControl(dc, {0, 0, side, side}, type, state);
    return bmp;
}
} // namespace

const gfx::Bitmap& GlyphCache::combo(ComboLook look) {
    const int side = gfx::systemMetrics().comboButtonWidth;
    if (side != comboSide_) {
        static constexpr std::uint32_t kStates[4] = {5, 517, 16389, 16901};
        for (int i = 0; i < 4; ++i) combo_[static_cast<size_t>(i)] = renderFrameControl(side, gfx::DFC_SCROLL, kStates[i]);
        comboSide_ = side;
        ++builds_;
    }
    return combo_[static_cast<size_t>(look)];
}

const gfx::Bitmap& GlyphCache::check(CheckLook look, int state) {
    const int side = gfx::systemMetrics().checkBoxSize;
    if (side != checkSide_) {
        for (int l = 0; l < 3; ++l) {
            for (int s = 0; s < 3; ++s) {
                std::uint32_t flags = gfx::DFCS_BUTTONCHECK;
                if (s == 1) flags |= gfx::DFCS_CHECKED;
                if (s == 2) flags |= gfx::DFCS_BUTTON3STATE | gfx::DFCS_CHECKED;
                if (l == kCheckFlat) flags |= gfx::DFCS_FLAT;
                if (l == kCheckDisabled) flags |= gfx::DFCS_INACTIVE;
                check_[static_cast<size_t>(l * 3 + s)] = renderFrameControl(side, gfx::DFC_BUTTON, flags);
            }
        }
        checkSide_ = side;
        ++builds_;
    }
    if (state < 0 || state > 2) state = 0;
    return check_[static_cast<size_t>(look * 3 + state)];
}

const gfx::Bitmap& GlyphCache::treeButton(int size, bool expanded, gfx::Color back, gfx::Color border,
                                          gfx::Color fore) {
    if (size != treeSize_ || back != treeBack_ || border != treeBorder_ || fore != treeFore_) {
        for (int e = 0; e < 2; ++e) {
            gfx::Bitmap bmp(size, size, gfx::pixelOf(back));
            gfx::DeviceContext dc(bmp);
            dc.frameRect({0, 0, size, size}, gfx::Brush::solid(border));
            // The sign keeps two pixels of room inside the frame; its arms have odd lengths so the
            // sign is centred on one pixel.
            const int c = (size - 1) / 2;
            const int arm = std::max(0, (size - 1) / 2 - 2);
            if (arm > 0) {
                dc.fillRect({c - arm, c, c + arm + 1, c + 1}, fore);
                if (e == 0) dc.fillRect({c, c - arm, c + 1, c + arm + 1}, fore);
            }
            tree_[static_cast<size_t>(e)] = std::move(bmp);
        }
        treeSize_ = size;
        treeBack_ = back;
        treeBorder_ = border;
        treeFore_ = fore;
        ++builds_;
    }
    return tree_[expanded ? 1 : 0];
}

void GlyphCache::clear() {
    comboSide_ = checkSide_ = treeSize_ = 0;
}

} // namespace lattix

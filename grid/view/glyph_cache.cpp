#include "grid/view/glyph_cache.h"

#include <algorithm>

#include "platform/gfx/frame_control.h"
#include "platform/gfx/system_metrics.h"
#include "platform/theme/theme_data.h"
#include "platform/theme/theme_parts.h"

namespace lattix {

namespace {
gfx::Bitmap renderFrameControl(int side, std::uint32_t type, std::uint32_t state) {
    gfx::Bitmap bmp(side, side, gfx::pixelOf(0xFFFFFF));
    gfx::DeviceContext dc(bmp);
    gfx::drawFrameControl(dc, {0, 0, side, side}, type, state);
    return bmp;
}
// A themed part drawn once over black and once over white: where the two differ the part is
// translucent, and the difference gives its coverage. The result is premultiplied.
gfx::Bitmap renderThemed(const char* themeClass, int part, int state, int w, int h, int dpi) {
    auto data = theme::ThemeData::Open(themeClass, theme::Look::Themed, dpi);
    gfx::Bitmap black(w, h, gfx::pixelOf(0x000000)), white(w, h, gfx::pixelOf(0xFFFFFF));
    {
        gfx::DeviceContext dc(black);
        data->DrawBackground(dc, part, state, {0, 0, w, h});
    }
    {
        gfx::DeviceContext dc(white);
        data->DrawBackground(dc, part, state, {0, 0, w, h});
    }
    gfx::Bitmap out(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const gfx::Pixel b = black.pixel(x, y), wh = white.pixel(x, y);
            int alpha = 255;
            for (int shift = 0; shift <= 16; shift += 8)
                alpha = std::min(alpha, 255 - (static_cast<int>((wh >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
            alpha = std::clamp(alpha, 0, 255);
            auto channel = [&](int shift) { return std::min<gfx::Pixel>((b >> shift) & 0xFF, static_cast<gfx::Pixel>(alpha)); };
            out.setPixel(x, y, (static_cast<gfx::Pixel>(alpha) << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0));
        }
    return out;
}
} // namespace

void GlyphCache::setDpi(int dpi) {
    if (dpi == dpi_) return;
    dpi_ = dpi;
    themedComboSide_ = themedCheckSide_ = themedTreeSize_ = 0;
}

const gfx::Bitmap& GlyphCache::themedCombo(int state) {
    const int side = gfx::systemMetrics().comboButtonWidth;
    if (side != themedComboSide_) {
        for (int st = theme::kStateNormal; st <= theme::kStateDisabled; ++st)
            themedCombo_[static_cast<size_t>(st - 1)] = renderThemed("ComboBox", theme::kComboDropButton, st, side, side, dpi_);
        themedComboSide_ = side;
        ++builds_;
    }
    return themedCombo_[static_cast<size_t>(std::clamp(state, 1, 4) - 1)];
}

const gfx::Bitmap& GlyphCache::themedCheck(int state) {
    const int side = gfx::systemMetrics().checkBoxSize;
    if (side != themedCheckSide_) {
        for (int st = 1; st <= 12; ++st)
            themedCheck_[static_cast<size_t>(st - 1)] = renderThemed("Button", theme::kButtonCheckBox, st, side, side, dpi_);
        themedCheckSide_ = side;
        ++builds_;
    }
    return themedCheck_[static_cast<size_t>(std::clamp(state, 1, 12) - 1)];
}

const gfx::Bitmap& GlyphCache::themedTree(int size, bool expanded) {
    if (size != themedTreeSize_) {
        themedTree_[0] = renderThemed("Treeview", theme::kTreeviewGlyph, theme::kGlyphClosed, size, size, dpi_);
        themedTree_[1] = renderThemed("Treeview", theme::kTreeviewGlyph, theme::kGlyphOpened, size, size, dpi_);
        themedTreeSize_ = size;
        ++builds_;
    }
    return themedTree_[expanded ? 1 : 0];
}

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
    themedComboSide_ = themedCheckSide_ = themedTreeSize_ = 0;
}

} // namespace lattix

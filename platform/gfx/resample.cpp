#include "platform/gfx/resample.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace lattix::gfx {

namespace {

// The source taps and weights (16.16 fixed point, summing to 65536) of every output position
// along one axis.
struct Taps {
    std::vector<int> first;  // first source index of each output position
    std::vector<int> count;  // number of taps
    std::vector<int> offset; // where its weights start in `weights`
    std::vector<std::int32_t> weights;
};

Taps tapsFor(int sourceSize, int outputSize) {
    Taps t;
    const double scale = double(sourceSize) / double(outputSize);
    const double support = std::max(scale, 1.0);
    std::vector<double> w;
    for (int o = 0; o < outputSize; ++o) {
        const double centre = (o + 0.5) * scale - 0.5;
        const int lo = std::max(0, int(std::floor(centre - support)) + 1);
        const int hi = std::min(sourceSize - 1, int(std::ceil(centre + support)) - 1);
        w.clear();
        double sum = 0;
        for (int i = lo; i <= hi; ++i) {
            const double weight = std::max(0.0, 1.0 - std::abs(i - centre) / support);
            w.push_back(weight);
            sum += weight;
        }
        int from = lo;
        if (sum <= 0) { // an output centre outside every tap: take the nearest pixel
            w.assign(1, 1.0);
            sum = 1;
            from = std::clamp(int(std::lround(centre)), 0, sourceSize - 1);
        }
        t.first.push_back(from);
        t.count.push_back(int(w.size()));
        t.offset.push_back(int(t.weights.size()));
        std::int32_t given = 0;
        for (std::size_t k = 0; k < w.size(); ++k) {
            std::int32_t q = k + 1 == w.size() ? 65536 - given : std::int32_t(std::lround(w[k] / sum * 65536.0));
            given += q;
            t.weights.push_back(q);
        }
    }
    return t;
}

} // namespace

Bitmap resampleSmooth(const Bitmap& src, int width, int height) {
    if (width < 1 || height < 1 || width > 32768 || height > 32768)
        throw std::invalid_argument("resampleSmooth: size out of range");
    if (src.isEmpty() || (src.width() == width && src.height() == height)) return src;
    const Taps across = tapsFor(src.width(), width);
    const Taps down = tapsFor(src.height(), height);
    // Horizontal pass into four channels of 16.16 fixed point, then the vertical pass.
    std::vector<std::int64_t> mid(std::size_t(width) * std::size_t(src.height()) * 4);
    for (int y = 0; y < src.height(); ++y) {
        const Pixel* row = src.row(y);
        std::int64_t* out = mid.data() + std::size_t(y) * std::size_t(width) * 4;
        for (int x = 0; x < width; ++x) {
            std::int64_t a = 0, r = 0, g = 0, b = 0;
            const std::int32_t* w = across.weights.data() + across.offset[std::size_t(x)];
            for (int k = 0; k < across.count[std::size_t(x)]; ++k) {
                const Pixel p = row[across.first[std::size_t(x)] + k];
                a += std::int64_t(p >> 24) * w[k];
                r += std::int64_t((p >> 16) & 0xFF) * w[k];
                g += std::int64_t((p >> 8) & 0xFF) * w[k];
                b += std::int64_t(p & 0xFF) * w[k];
            }
            out[x * 4] = a;
            out[x * 4 + 1] = r;
            out[x * 4 + 2] = g;
            out[x * 4 + 3] = b;
        }
    }
    Bitmap dst(width, height);
    const std::int64_t half = std::int64_t(1) << 31;
    for (int y = 0; y < height; ++y) {
        Pixel* row = dst.row(y);
        const std::int32_t* w = down.weights.data() + down.offset[std::size_t(y)];
        for (int x = 0; x < width; ++x) {
            std::int64_t c[4] = {0, 0, 0, 0};
            for (int k = 0; k < down.count[std::size_t(y)]; ++k) {
                const std::int64_t* m = mid.data() + (std::size_t(down.first[std::size_t(y)] + k) * std::size_t(width) + std::size_t(x)) * 4;
                for (int ch = 0; ch < 4; ++ch) c[ch] += m[ch] * w[k];
            }
            auto channel = [&](int ch) { return unsigned(std::clamp<std::int64_t>((c[ch] + half) >> 32, 0, 255)); };
            const unsigned a = channel(0);
            // Premultiplied: no colour channel may exceed the alpha.
            const unsigned r = std::min(channel(1), a), g = std::min(channel(2), a), b = std::min(channel(3), a);
            row[x] = (Pixel(a) << 24) | (r << 16) | (g << 8) | b;
        }
    }
    return dst;
}

} // namespace lattix::gfx

// A stable sort of items by a 64-bit unsigned key, least significant byte first. Work is linear in
// the number of items (at most eight passes, fewer when all keys agree on a byte), so it serves
// criteria whose images decide the order alone, where a comparison sort would spend its time on
// log n passes of comparisons.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "grid/model/big_array.h"

namespace lattix {

struct KeyedPosition {
    uint64_t key;
    int32_t pos;
};

inline void RadixSortByKey(BigArray<KeyedPosition>& items) {
    const size_t n = items.size();
    if (n < 2) return;
    // The counts of every byte, gathered in one pass.
    std::array<std::array<size_t, 256>, 8> counts{};
    for (const KeyedPosition& it : items)
        for (int b = 0; b < 8; ++b) ++counts[static_cast<size_t>(b)][(it.key >> (8 * b)) & 0xFF];
    BigArray<KeyedPosition> buffer(n);
    KeyedPosition* src = items.data();
    KeyedPosition* dst = buffer.data();
    for (int b = 0; b < 8; ++b) {
        std::array<size_t, 256>& c = counts[static_cast<size_t>(b)];
        // Every key has the same byte here: the pass would not move anything.
        if (c[(src[0].key >> (8 * b)) & 0xFF] == n) continue;
        size_t start = 0;
        for (size_t& v : c) {
            const size_t here = v;
            v = start;
            start += here;
        }
        for (size_t i = 0; i < n; ++i) dst[c[(src[i].key >> (8 * b)) & 0xFF]++] = src[i];
        std::swap(src, dst);
    }
    if (src != items.data()) std::copy(src, src + n, items.data());
}

} // namespace lattix

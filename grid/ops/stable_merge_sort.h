// A stable merge sort of a sequence (row positions, or positions with their keys) by a three-way
// comparison.
//
// Stable: items that compare equal keep their relative order. It never reads outside the sequence,
// whatever the comparison answers (a host's comparison events need not be consistent). When the
// comparison throws, the exception leaves the function and the caller drops the sequence (it is a
// list of positions: no row has moved, so nothing is lost).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "grid/model/big_array.h"

namespace lattix {

template <class T, class A, class Compare> void StableMergeSort(std::vector<T, A>& items, Compare&& cmp) {
    const size_t n = items.size();
    if (n < 2) return;
    // Already ascending (the usual case for sorting twice): one pass and done.
    bool ordered = true;
    for (size_t i = 1; i < n && ordered; ++i) ordered = cmp(items[i - 1], items[i]) <= 0;
    if (ordered) return;

    constexpr size_t kRun = 24;
    // Guarded insertion sort of short runs.
    for (size_t lo = 0; lo < n; lo += kRun) {
        const size_t hi = std::min(n, lo + kRun);
        for (size_t i = lo + 1; i < hi; ++i) {
            const T x = items[i];
            size_t j = i;
            while (j > lo && cmp(x, items[j - 1]) < 0) {
                items[j] = items[j - 1];
                --j;
            }
            items[j] = x;
        }
    }
    BigArray<T> buffer(n);
    T* src = items.data();
    T* dst = buffer.data();
    for (size_t width = kRun; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(n, lo + width), hi = std::min(n, lo + 2 * width);
            size_t i = lo, j = mid, k = lo;
            // Runs already in order are copied without merging.
            if (mid < hi && cmp(src[mid - 1], src[mid]) <= 0) {
                std::copy(src + lo, src + hi, dst + lo);
                continue;
            }
            while (i < mid && j < hi) dst[k++] = cmp(src[j], src[i]) < 0 ? src[j++] : src[i++];
            while (i < mid) dst[k++] = src[i++];
            while (j < hi) dst[k++] = src[j++];
        }
        std::swap(src, dst);
    }
    if (src != items.data()) std::copy(src, src + n, items.data());
}

} // namespace lattix

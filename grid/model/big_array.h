// Storage for arrays that may hold millions of elements: the row table and the scratch arrays of
// sorting and grouping.
//
// - Arrays of several megabytes are placed on huge-page boundaries and offered to the kernel for
//   huge pages: first touching them then faults a few 2 MB pages instead of thousands of 4 KB ones,
//   and reading them in random order (a permutation of the row table) misses the TLB far less.
// - Growing the array without a value leaves elements default-initialized (plain ones not zeroed):
//   scratch arrays are written in full before they are read, and zeroing them first would be one
//   more pass over hundreds of megabytes. Types with member initializers still get them.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include <sys/mman.h>

namespace lattix {

template <class T> struct BigArrayAllocator {
    using value_type = T;
    static constexpr size_t kHugePage = size_t{2} << 20;
    static constexpr size_t kHugeFrom = 2 * kHugePage;

    BigArrayAllocator() = default;
    template <class U> BigArrayAllocator(const BigArrayAllocator<U>&) noexcept {}

    T* allocate(size_t n) {
        if (n > static_cast<size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        const size_t bytes = n * sizeof(T);
        if (bytes < kHugeFrom) return static_cast<T*>(::operator new(bytes, std::align_val_t{alignof(T)}));
        void* p = ::operator new(bytes, std::align_val_t{kHugePage});
#ifdef MADV_HUGEPAGE
        (void)madvise(p, bytes & ~(kHugePage - 1), MADV_HUGEPAGE);
#endif
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) noexcept {
        const size_t bytes = n * sizeof(T);
        ::operator delete(p, bytes < kHugeFrom ? std::align_val_t{alignof(T)} : std::align_val_t{kHugePage});
    }

    template <class U> void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <class U> bool operator==(const BigArrayAllocator<U>&) const noexcept { return true; }
};

template <class T> using BigArray = std::vector<T, BigArrayAllocator<T>>;

} // namespace lattix

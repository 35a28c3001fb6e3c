// Grid calls made for an assistive technology run inside Qt's event handling: an error (a host's
// handler that raised, a cell that went away meanwhile) gives the fallback instead of unwinding
// through Qt.
#pragma once

#include <utility>

namespace lattix {

template <class T, class Work> T Guarded(T fallback, Work&& work) noexcept {
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        return fallback;
    }
}

} // namespace lattix

// Runs the body of a C interface function so that no exception leaves it: every failure becomes an
// error number, a source and a description.
#pragma once

#include <cstdint>
#include <string_view>

#include "bindings/c/lattix.h"

namespace lattix::cabi {

inline constexpr int32_t kInvalidPointer = static_cast<int32_t>(0x80004003u);
inline constexpr int32_t kUnspecified = static_cast<int32_t>(0x80004005u);
inline constexpr int32_t kBadVarType = static_cast<int32_t>(0x80020008u);
inline constexpr int32_t kInvalidClassString = static_cast<int32_t>(0x800401F3u);

// Fills *error (when not null) and returns number.
int32_t ReportError(lx_error* error, int32_t number, std::string_view source, std::string_view description);
// Maps the exception in flight; call only inside a catch block.
int32_t ReportCurrentException(lx_error* error);
void ClearError(lx_error* error);

// Raises an automation error that the guard turns into "Invalid pointer.".
[[noreturn]] void RaiseInvalidPointer();
[[noreturn]] void RaiseInvalidArgument();
[[noreturn]] void RaiseBadVarType();

template <class Body> int32_t Guarded(lx_error* error, Body&& body) noexcept {
    try {
        ClearError(error);
        body();
        return LX_OK;
    } catch (...) {
        return ReportCurrentException(error);
    }
}

} // namespace lattix::cabi

// The grid's error table: every misuse of the grid's interface is raised through RaiseLattixError.
#pragma once

#include <cstdint>
#include <string>

namespace lattix {

namespace lattix_error {
inline constexpr int kSubscriptOutOfRange = 513;
inline constexpr int kInvalidArgument = 514;
inline constexpr int kDuplicateKey = 515;
inline constexpr int kTooManyFormatStrings = 516;
inline constexpr int kImageListExpected = 518;
inline constexpr int kMaxBelowMin = 519;
inline constexpr int kWidthOutsideLimits = 520;
inline constexpr int kIllegalOperation = 522;
inline constexpr int kOutOfMemory = 523;
inline constexpr int kInvalidHierarchy = 524;
inline constexpr int kCannotCreateTimer = 526;
inline constexpr int kTooManyTimers = 527;
// A published member called from a thread other than the one that created its object (raised by
// the dispatch itself, see AutomationObject::checkOwnerThread).
inline constexpr int kWrongThread = 528;
} // namespace lattix_error

// The fixed message of a code; empty for a code without an entry.
std::string LattixErrorMessage(int code);
// 0x80040000 + code.
int32_t LattixErrorNumber(int code);
// Throws AutomationError(0x80040000 + code, "Lattix", message).
[[noreturn]] void RaiseLattixError(int code);

} // namespace lattix

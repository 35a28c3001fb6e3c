// The automation error: what a failed property or method call reports to its host.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lattix {

class AutomationError : public std::runtime_error {
public:
    AutomationError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description), number_(number), source_(std::move(source)),
          description_(std::move(description)) {}

    int32_t number() const { return number_; }
    uint32_t unsignedNumber() const { return static_cast<uint32_t>(number_); }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// Runtime errors of the Basic-style conversions.
namespace runtime_error_number {
inline constexpr int32_t kTypeMismatch = static_cast<int32_t>(0x800A000Du);
inline constexpr int32_t kOverflow = static_cast<int32_t>(0x800A0006u);
inline constexpr int32_t kSubscriptOutOfRange = static_cast<int32_t>(0x800A0009u);
inline constexpr int32_t kInvalidProcedureCall = static_cast<int32_t>(0x800A0005u);
inline constexpr int32_t kOutOfMemory = static_cast<int32_t>(0x800A0007u);
// Dispatch-level failures of Invoke.
inline constexpr int32_t kMemberNotFound = static_cast<int32_t>(0x80020003u);
inline constexpr int32_t kBadParamCount = static_cast<int32_t>(0x8002000Eu);
inline constexpr int32_t kParamNotOptional = static_cast<int32_t>(0x8002000Fu);
inline constexpr int32_t kUnknownName = static_cast<int32_t>(0x80020006u);
// A published member called on a thread other than the one that created its object: the grid's
// error 528 (0x80040000 + 528), raised by the runtime because it is the runtime that dispatches.
inline constexpr int32_t kWrongThread = static_cast<int32_t>(0x80040210u);
inline constexpr const char* kWrongThreadMessage = "Object used from a thread other than the one that created it.";
} // namespace runtime_error_number

[[noreturn]] void RaiseTypeMismatch();
[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseRuntimeError(int32_t number, const std::string& description);
// Raises kWrongThread with source "Lattix".
[[noreturn]] void RaiseWrongThread();

} // namespace lattix

// The catalog of the published interface: classes, members with their dispatch identifiers and
// parameters, events and enumerations. The dispatch tables take names, identifiers and parameter
// lists from here, so every way of calling the grid sees the same interface.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lattix::catalog {

inline constexpr uint8_t kMethod = 1;
inline constexpr uint8_t kGet = 2;
inline constexpr uint8_t kLet = 4;
inline constexpr uint8_t kSet = 8;

struct ParamEntry {
    const char* name;
    bool optional;
    const char* defaultText; // "True", "-1", ...; nullptr: omitted stays omitted
    bool byRef;
};

struct MemberEntry {
    const char* name;
    int32_t dispId;
    uint8_t kinds;
    std::vector<ParamEntry> params;
};

struct EventEntry {
    const char* name;
    int32_t dispId;
    std::vector<ParamEntry> params;
};

struct ClassEntry {
    const char* name;
    std::vector<MemberEntry> members;
    std::vector<EventEntry> events;
};

struct EnumConstant {
    const char* name;
    int32_t value;
};

struct EnumEntry {
    const char* name;
    std::vector<EnumConstant> constants;
};

const std::vector<ClassEntry>& Classes();
const std::vector<EnumEntry>& Enumerations();
// nullptr when there is no such class.
const ClassEntry* FindClass(std::string_view name);

} // namespace lattix::catalog

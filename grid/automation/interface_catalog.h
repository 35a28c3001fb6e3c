// grid/automation: the grid's published interface. This catalog lists every class with its members,
// dispatch identifiers, parameters and defaults, the events and the enumerations; the dispatch
// binder builds each class's type information from it (Invoke by identifier or by name); the member
// tables (one *_members.cpp per family of members) bind the C++ members of the grid and of its
// objects to the catalog's entries; the error table raises every misuse as an automation error.
// It may use the runtime, the grid and every folder of it; the rest of the grid uses only the
// error table, and the binder where an object or a timer describes its own class.
//
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

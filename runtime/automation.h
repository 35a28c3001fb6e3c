// Late-bound calling: type information, Invoke by dispatch identifier or by name, and event sources.
//
// Every published class derives from AutomationObject and describes itself with a TypeInfo. Invoke
// matches positional and named arguments to the member's parameters, fills omitted optional arguments
// with their defaults (or with the omitted-argument value), and calls the member's handler.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "runtime/automation_error.h"
#include "runtime/variant.h"

namespace lattix {

using DispId = int32_t;

enum class InvokeKind : uint8_t { Method = 1, Get = 2, Let = 4, Set = 8 };

struct ParamInfo {
    std::string name;
    bool optional = false;
    bool hasDefault = false;
    Variant defaultValue; // used when optional and hasDefault
    bool byRef = false;
};

struct MemberInfo {
    std::string name;
    DispId id = 0;
    uint8_t kinds = 0; // InvokeKind bits
    std::vector<ParamInfo> params; // index parameters of a property; the value of a let/set is extra
    bool supports(InvokeKind k) const { return (kinds & static_cast<uint8_t>(k)) != 0; }
};

struct EventInfo {
    std::string name;
    DispId id = 0;
    std::vector<ParamInfo> params;
};

struct NamedArg {
    std::string name;
    Variant value;
};

// The arguments a handler receives: exactly one per parameter (omitted ones already defaulted), then
// for a let or set the value.
using Args = std::vector<Variant>;

class AutomationObject;
using MemberHandler = std::function<Variant(AutomationObject& self, InvokeKind kind, Args& args)>;

class TypeInfo {
public:
    TypeInfo(std::string className, std::string interfaceName, std::string eventInterfaceName = {});

    const std::string& className() const { return className_; }
    const std::string& interfaceName() const { return interfaceName_; }
    const std::string& eventInterfaceName() const { return eventInterfaceName_; }

    void addMember(MemberInfo info, MemberHandler handler);
    void addEvent(EventInfo info);

    const std::vector<MemberInfo>& members() const { return members_; }
    const std::vector<EventInfo>& events() const { return events_; }

    // Names are matched case-insensitively. nullptr when absent.
    const MemberInfo* findMember(std::string_view name) const;
    const MemberInfo* findMember(DispId id) const;
    const EventInfo* findEvent(std::string_view name) const;
    const EventInfo* findEvent(DispId id) const;
    const MemberHandler* handler(DispId id) const;
    // The member and its handler in one lookup; both nullptr when absent.
    std::pair<const MemberInfo*, const MemberHandler*> find(DispId id) const;

private:
    std::string className_, interfaceName_, eventInterfaceName_;
    std::vector<MemberInfo> members_;
    std::vector<MemberHandler> handlers_;
    std::unordered_map<DispId, size_t> byId_;
    std::unordered_map<std::string, size_t> byLowerName_;
    std::vector<EventInfo> events_;
};

// A connected event handler: the event, and its arguments in published order. By-reference
// arguments arrive as ByRef slots; writing *args[i].slot() hands a value back.
using EventHandler = std::function<void(const EventInfo& event, std::span<Variant> args)>;

class EventSource {
public:
    // Returns a cookie for disconnect().
    int connect(EventHandler handler);
    void disconnect(int cookie);
    bool hasSinks() const { return !sinks_.empty(); }
    // Calls every handler in connection order; a handler may connect or disconnect others.
    void fire(const EventInfo& event, std::span<Variant> args);

private:
    std::vector<std::pair<int, EventHandler>> sinks_;
    int nextCookie_ = 1;
};

// An object belongs to the thread that created it: invoke refuses every other thread (kWrongThread)
// before it reads or changes anything. A copy belongs to the thread that makes it.
class AutomationObject : public std::enable_shared_from_this<AutomationObject> {
public:
    AutomationObject() = default;
    AutomationObject(const AutomationObject&) noexcept : std::enable_shared_from_this<AutomationObject>() {}
    AutomationObject& operator=(const AutomationObject&) noexcept { return *this; }
    virtual ~AutomationObject() = default;

    bool onOwnerThread() const noexcept { return owner_ == std::this_thread::get_id(); }
    // Raises kWrongThread unless the caller runs on the thread that created the object.
    void checkOwnerThread() const {
        if (owner_ != std::this_thread::get_id()) RaiseWrongThread();
    }
    virtual const TypeInfo& typeInfo() const = 0;
    // The events this object raises; nullptr when it raises none.
    virtual EventSource* events() { return nullptr; }

    // Raises kMemberNotFound (0x80020003) for an unknown identifier or a kind the member lacks,
    // kBadParamCount for too many or too few arguments, kParamNotOptional for a missing required one,
    // kUnknownName for a named argument that names no parameter.
    Variant invoke(DispId id, InvokeKind kind, std::span<const Variant> positional = {},
                   std::span<const NamedArg> named = {});
    Variant invoke(std::string_view name, InvokeKind kind, std::span<const Variant> positional = {},
                   std::span<const NamedArg> named = {});
    // Raises kUnknownName when there is no member of that name.
    DispId dispIdOf(std::string_view name) const;

private:
    std::thread::id owner_ = std::this_thread::get_id();
};

// Lower-case ASCII form, used for every case-insensitive name comparison.
std::string AsciiLower(std::string_view s);

} // namespace lattix

// Binds C++ members to the entries of the interface catalog.
//
// A class's TypeInfo is built once: each family of members binds its handlers by published name, and
// the binder takes the dispatch identifier and the parameter list from the catalog. Only bound
// members are published.
#pragma once

#include <functional>
#include <string>

#include "grid/automation/interface_catalog.h"
#include "runtime/automation.h"
#include "runtime/conversions.h"

namespace lattix {

class ClassBinder {
public:
    ClassBinder(TypeInfo& info, const char* className);

    // Binds the member `name` of the catalog class; throws std::logic_error for an unknown name.
    template <class T> void bind(const char* name, std::function<Variant(T&, InvokeKind, Args&)> handler) {
        info_.addMember(memberInfo(name), [h = std::move(handler)](AutomationObject& self, InvokeKind kind, Args& args) {
            return h(static_cast<T&>(self), kind, args);
        });
    }

    // A property with a getter and (optionally) a letter: get(self, args) and let(self, args, value).
    template <class T>
    void property(const char* name, std::function<Variant(T&, Args&)> get,
                  std::function<void(T&, Args&, const Variant&)> let = {}) {
        bind<T>(name, [get = std::move(get), let = std::move(let)](T& self, InvokeKind kind, Args& args) -> Variant {
            if (kind == InvokeKind::Get) return get(self, args);
            let(self, args, args.back().deref());
            return Variant();
        });
    }

    // Every event of the catalog class.
    void addEvents();

private:
    MemberInfo memberInfo(const char* name) const;
    TypeInfo& info_;
    const catalog::ClassEntry& cls_;
};

// Argument conversions used by the bindings.
inline int32_t ArgI32(const Variant& v) { return ToInt32(v); }
inline int16_t ArgI16(const Variant& v) { return ToInt16(v); }
inline bool ArgBool(const Variant& v) { return ToBool(v); }
inline std::string ArgStr(const Variant& v) { return ToString(v); }
inline double ArgDouble(const Variant& v) { return ToDouble(v); }
// A colour: a 32-bit value, also when written as the unsigned number of its bits (a system colour
// 0x800000nn arrives from hosts without unsigned 32-bit integers as a larger number).
int32_t ArgColor(const Variant& v);
// An object result (Nothing for an empty pointer).
template <class T> Variant ObjectResult(const std::shared_ptr<T>& p) {
    return p ? Variant(std::static_pointer_cast<AutomationObject>(p)) : Variant(ObjectRef{});
}

} // namespace lattix

// Object handles, late-bound calls, type information and event connections.
#include <cstring>
#include <vector>

#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "bindings/c/src/variant_conversion.h"
#include "grid/view/ctimer.h"
#include "runtime/automation_error.h"

namespace lattix::cabi {

lx_object* NewObjectHandle(ObjectRef obj) {
    if (!obj) return nullptr;
    auto* h = new lx_object;
    h->object = std::move(obj);
    return h;
}

namespace {
AutomationObject& Checked(const lx_object* obj) {
    if (!obj || !obj->object) RaiseInvalidPointer();
    return *obj->object;
}

// The object, for a call that reads or changes its state: only on the thread that created it.
AutomationObject& Owned(const lx_object* obj) {
    AutomationObject& target = Checked(obj);
    target.checkOwnerThread();
    return target;
}

InvokeKind KindOf(int32_t kind) {
    switch (kind) {
    case LX_METHOD: return InvokeKind::Method;
    case LX_GET: return InvokeKind::Get;
    case LX_LET: return InvokeKind::Let;
    case LX_SET: return InvokeKind::Set;
    default: RaiseInvalidArgument();
    }
}

const MemberInfo& MemberAt(const lx_object* obj, int32_t index) {
    const auto& members = Checked(obj).typeInfo().members();
    if (index < 0 || static_cast<size_t>(index) >= members.size()) RaiseInvalidArgument();
    return members[static_cast<size_t>(index)];
}

const EventInfo& EventAt(const lx_object* obj, int32_t index) {
    const auto& events = Checked(obj).typeInfo().events();
    if (index < 0 || static_cast<size_t>(index) >= events.size()) RaiseInvalidArgument();
    return events[static_cast<size_t>(index)];
}

const ParamInfo& ParamAt(const std::vector<ParamInfo>& params, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= params.size()) RaiseInvalidArgument();
    return params[static_cast<size_t>(index)];
}

void Describe(const ParamInfo& p, lx_param_desc& out) {
    out.name = p.name.c_str();
    out.optional = p.optional ? 1 : 0;
    out.has_default = p.optional && p.hasDefault ? 1 : 0;
    out.by_ref = p.byRef ? 1 : 0;
}

Variant Invoke(lx_object* obj, const DispId* id, const char* name, int32_t kind, const lx_variant* args,
               int32_t argCount, const lx_named_arg* named, int32_t namedCount) {
    AutomationObject& target = Checked(obj);
    if (argCount < 0 || namedCount < 0) RaiseInvalidArgument();
    if ((argCount > 0 && !args) || (namedCount > 0 && !named)) RaiseInvalidPointer();
    InvokeKind k = KindOf(kind);
    DispId member = id ? *id : target.dispIdOf(name);

    // Convert everything before the call, so a bad argument changes nothing.
    std::vector<Variant> positional;
    positional.reserve(static_cast<size_t>(argCount));
    for (int32_t i = 0; i < argCount; ++i) positional.push_back(FromC(args[i]));
    std::vector<NamedArg> namedArgs;
    namedArgs.reserve(static_cast<size_t>(namedCount));
    for (int32_t i = 0; i < namedCount; ++i) {
        if (!named[i].name) RaiseInvalidPointer();
        namedArgs.push_back({named[i].name, FromC(named[i].value)});
    }

    // The handle keeps the object alive even if the call releases every other reference.
    ObjectRef keepAlive = obj->object;
    Variant result = target.invoke(member, k, positional, namedArgs);
    for (int32_t i = 0; i < argCount; ++i) WriteBack(args[i], positional[static_cast<size_t>(i)]);
    for (int32_t i = 0; i < namedCount; ++i) WriteBack(named[i].value, namedArgs[static_cast<size_t>(i)].value);
    return result;
}

// Hands an event to a C sink and reads the by-reference arguments back.
struct SinkBridge {
    lx_event_sink sink;
    void* userData;

    void operator()(const EventInfo& event, std::span<Variant> args) const {
        std::vector<lx_variant> cargs(args.size());
        std::vector<uint8_t> byRef(args.size());
        CVariantsCleaner cleaner(cargs);
        for (size_t i = 0; i < args.size(); ++i) {
            byRef[i] = args[i].isByRef() ? 1 : 0;
            ToC(args[i], cargs[i]);
        }
        sink(userData, event.id, event.name.c_str(), cargs.data(), byRef.data(), static_cast<int32_t>(args.size()));
        for (size_t i = 0; i < args.size(); ++i) {
            if (!byRef[i] || !args[i].slot()) continue;
            try {
                *args[i].slot() = FromC(cargs[i]).deref();
            } catch (const AutomationError&) {
                // A value the runtime cannot hold: the argument keeps the value it had.
            }
        }
    }
};
} // namespace

} // namespace lattix::cabi

using namespace lattix;
using namespace lattix::cabi;

extern "C" {

LX_API void lx_object_addref(lx_object* obj) {
    if (obj) obj->refs.fetch_add(1, std::memory_order_relaxed);
}

LX_API void lx_object_release(lx_object* obj) {
    if (!obj || obj->refs.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
    if (EventSource* source = obj->object ? obj->object->events() : nullptr)
        for (int cookie : obj->connections) source->disconnect(cookie);
    delete obj;
}

LX_API int32_t lx_object_create(const char* class_name, lx_object** out, lx_error* error) {
    return Guarded(error, [&] {
        if (!class_name || !out) RaiseInvalidPointer();
        *out = nullptr;
        if (AsciiLower(class_name) != "ctimer")
            throw AutomationError(kInvalidClassString, "Lattix", "Invalid class string.");
        *out = NewObjectHandle(std::make_shared<CTimer>());
    });
}

LX_API const char* lx_object_class_name(const lx_object* obj) {
    return obj && obj->object ? obj->object->typeInfo().className().c_str() : "";
}

LX_API uintptr_t lx_object_identity(const lx_object* obj) {
    return obj ? reinterpret_cast<uintptr_t>(obj->object.get()) : 0;
}

LX_API int32_t lx_dispid(lx_object* obj, const char* name, lx_dispid_t* id, lx_error* error) {
    return Guarded(error, [&] {
        AutomationObject& target = Checked(obj);
        if (!name || !id) RaiseInvalidPointer();
        *id = target.dispIdOf(name);
    });
}

LX_API int32_t lx_invoke(lx_object* obj, lx_dispid_t id, int32_t kind, const lx_variant* args, int32_t arg_count,
                         const lx_named_arg* named, int32_t named_count, lx_variant* result, lx_error* error) {
    return Guarded(error, [&] {
        Variant r = Invoke(obj, &id, nullptr, kind, args, arg_count, named, named_count);
        if (result) ToC(r, *result);
    });
}

LX_API int32_t lx_invoke_name(lx_object* obj, const char* name, int32_t kind, const lx_variant* args,
                              int32_t arg_count, const lx_named_arg* named, int32_t named_count,
                              lx_variant* result, lx_error* error) {
    return Guarded(error, [&] {
        if (!name) RaiseInvalidPointer();
        Variant r = Invoke(obj, nullptr, name, kind, args, arg_count, named, named_count);
        if (result) ToC(r, *result);
    });
}

LX_API int32_t lx_member_count(const lx_object* obj) {
    return obj && obj->object ? static_cast<int32_t>(obj->object->typeInfo().members().size()) : 0;
}

LX_API int32_t lx_member_desc_at(const lx_object* obj, int32_t index, lx_member_desc* out, lx_error* error) {
    return Guarded(error, [&] {
        const MemberInfo& m = MemberAt(obj, index);
        if (!out) RaiseInvalidPointer();
        out->name = m.name.c_str();
        out->id = m.id;
        out->kinds = m.kinds;
        out->param_count = static_cast<int32_t>(m.params.size());
    });
}

LX_API int32_t lx_member_param(const lx_object* obj, int32_t member_index, int32_t param_index,
                               lx_param_desc* out, lx_error* error) {
    return Guarded(error, [&] {
        const ParamInfo& p = ParamAt(MemberAt(obj, member_index).params, param_index);
        if (!out) RaiseInvalidPointer();
        Describe(p, *out);
    });
}

LX_API int32_t lx_member_param_default(const lx_object* obj, int32_t member_index, int32_t param_index,
                                       lx_variant* out, lx_error* error) {
    return Guarded(error, [&] {
        const ParamInfo& p = ParamAt(MemberAt(obj, member_index).params, param_index);
        if (!out) RaiseInvalidPointer();
        if (!p.optional || !p.hasDefault) RaiseInvalidArgument();
        ToC(p.defaultValue, *out);
    });
}

LX_API int32_t lx_event_count(const lx_object* obj) {
    return obj && obj->object ? static_cast<int32_t>(obj->object->typeInfo().events().size()) : 0;
}

LX_API int32_t lx_event_desc_at(const lx_object* obj, int32_t index, lx_event_desc* out, lx_error* error) {
    return Guarded(error, [&] {
        const EventInfo& e = EventAt(obj, index);
        if (!out) RaiseInvalidPointer();
        out->name = e.name.c_str();
        out->id = e.id;
        out->param_count = static_cast<int32_t>(e.params.size());
    });
}

LX_API int32_t lx_event_param(const lx_object* obj, int32_t event_index, int32_t param_index,
                              lx_param_desc* out, lx_error* error) {
    return Guarded(error, [&] {
        const ParamInfo& p = ParamAt(EventAt(obj, event_index).params, param_index);
        if (!out) RaiseInvalidPointer();
        Describe(p, *out);
    });
}

LX_API int32_t lx_event_connect(lx_object* obj, lx_event_sink sink, void* user_data, int32_t* cookie,
                                lx_error* error) {
    return Guarded(error, [&] {
        AutomationObject& target = Owned(obj);
        if (!sink || !cookie) RaiseInvalidPointer();
        EventSource* source = target.events();
        if (!source) RaiseInvalidArgument();
        obj->connections.reserve(obj->connections.size() + 1);
        int c = source->connect(SinkBridge{sink, user_data});
        obj->connections.push_back(c);
        *cookie = c;
    });
}

LX_API int32_t lx_event_disconnect(lx_object* obj, int32_t cookie, lx_error* error) {
    return Guarded(error, [&] {
        AutomationObject& target = Owned(obj);
        auto it = std::find(obj->connections.begin(), obj->connections.end(), cookie);
        if (it == obj->connections.end()) RaiseInvalidArgument();
        obj->connections.erase(it);
        if (EventSource* source = target.events()) source->disconnect(cookie);
    });
}

} // extern "C"

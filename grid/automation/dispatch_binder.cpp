#include "grid/automation/dispatch_binder.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lattix {

namespace {
ParamInfo paramInfo(const catalog::ParamEntry& p) {
    ParamInfo info;
    info.name = p.name;
    info.optional = p.optional;
    info.byRef = p.byRef;
    if (p.defaultText) {
        info.hasDefault = true;
        std::string d = p.defaultText;
        if (d == "True") info.defaultValue = Variant(true);
        else if (d == "False") info.defaultValue = Variant(false);
        else {
            char* end = nullptr;
            long v = std::strtol(d.c_str(), &end, 10);
            if (end && *end == '\0') info.defaultValue = Variant(static_cast<int32_t>(v));
            else info.defaultValue = Variant(d);
        }
    }
    return info;
}

const catalog::ClassEntry& findClass(const char* name) {
    const catalog::ClassEntry* c = catalog::FindClass(name);
    if (!c) throw std::logic_error(std::string("no such class in the interface catalog: ") + name);
    return *c;
}
} // namespace

ClassBinder::ClassBinder(TypeInfo& info, const char* className) : info_(info), cls_(findClass(className)) {}

MemberInfo ClassBinder::memberInfo(const char* name) const {
    for (const catalog::MemberEntry& m : cls_.members) {
        if (std::strcmp(m.name, name) != 0) continue;
        MemberInfo info;
        info.name = m.name;
        info.id = m.dispId;
        info.kinds = m.kinds;
        for (const catalog::ParamEntry& p : m.params) info.params.push_back(paramInfo(p));
        return info;
    }
    throw std::logic_error(std::string("no such member in the interface catalog: ") + cls_.name + "." + name);
}

void ClassBinder::addEvents() {
    for (const catalog::EventEntry& e : cls_.events) {
        EventInfo info;
        info.name = e.name;
        info.id = e.dispId;
        for (const catalog::ParamEntry& p : e.params) info.params.push_back(paramInfo(p));
        info_.addEvent(std::move(info));
    }
}

} // namespace lattix

namespace lattix::catalog {

const ClassEntry* FindClass(std::string_view name) {
    for (const ClassEntry& c : Classes())
        if (name == c.name) return &c;
    return nullptr;
}

} // namespace lattix::catalog

namespace lattix {

int32_t ArgColor(const Variant& v) {
    const Variant& d = v.deref();
    switch (d.type()) {
    case VarType::Double:
    case VarType::Single:
    case VarType::Currency: {
        const double x = ToDouble(d);
        if (x >= 2147483648.0 && x <= 4294967295.0 && x == static_cast<double>(static_cast<int64_t>(x)))
            return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(x)));
        break;
    }
    default: break;
    }
    return ToInt32(d);
}

} // namespace lattix

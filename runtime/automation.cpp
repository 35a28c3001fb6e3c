#include "runtime/automation.h"

#include <algorithm>

#include "runtime/automation_error.h"

namespace lattix {

namespace rn = runtime_error_number;

std::string AsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

TypeInfo::TypeInfo(std::string className, std::string interfaceName, std::string eventInterfaceName)
    : className_(std::move(className)), interfaceName_(std::move(interfaceName)),
      eventInterfaceName_(std::move(eventInterfaceName)) {}

void TypeInfo::addMember(MemberInfo info, MemberHandler handler) {
    auto it = byId_.find(info.id);
    if (it != byId_.end()) {
        // Binding a member again replaces it (a later family may take over a member).
        members_[it->second] = std::move(info);
        handlers_[it->second] = std::move(handler);
        return;
    }
    size_t index = members_.size();
    byId_[info.id] = index;
    byLowerName_[AsciiLower(info.name)] = index;
    members_.push_back(std::move(info));
    handlers_.push_back(std::move(handler));
}

void TypeInfo::addEvent(EventInfo info) { events_.push_back(std::move(info)); }

const MemberInfo* TypeInfo::findMember(std::string_view name) const {
    auto it = byLowerName_.find(AsciiLower(name));
    return it == byLowerName_.end() ? nullptr : &members_[it->second];
}

const MemberInfo* TypeInfo::findMember(DispId id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &members_[it->second];
}

std::pair<const MemberInfo*, const MemberHandler*> TypeInfo::find(DispId id) const {
    auto it = byId_.find(id);
    if (it == byId_.end()) return {nullptr, nullptr};
    return {&members_[it->second], &handlers_[it->second]};
}

const MemberHandler* TypeInfo::handler(DispId id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? nullptr : &handlers_[it->second];
}

const EventInfo* TypeInfo::findEvent(std::string_view name) const {
    std::string lower = AsciiLower(name);
    for (const EventInfo& e : events_)
        if (AsciiLower(e.name) == lower) return &e;
    return nullptr;
}

const EventInfo* TypeInfo::findEvent(DispId id) const {
    for (const EventInfo& e : events_)
        if (e.id == id) return &e;
    return nullptr;
}

int EventSource::connect(EventHandler handler) {
    int cookie = nextCookie_++;
    sinks_.emplace_back(cookie, std::move(handler));
    return cookie;
}

void EventSource::disconnect(int cookie) {
    std::erase_if(sinks_, [cookie](const auto& s) { return s.first == cookie; });
}

void EventSource::fire(const EventInfo& event, std::span<Variant> args) {
    if (sinks_.empty()) return;
    // Copy the list: a handler may connect or disconnect while it runs.
    auto sinks = sinks_;
    for (auto& [cookie, handler] : sinks) {
        bool stillConnected = std::any_of(sinks_.begin(), sinks_.end(), [c = cookie](const auto& s) { return s.first == c; });
        if (stillConnected) handler(event, args);
    }
}

namespace {

// Argument vectors are reused from call to call (per thread, and per nesting level since a member
// may raise an event whose handler invokes again), so a call allocates nothing for its arguments.
class PooledArgs {
public:
    explicit PooledArgs(size_t n) {
        std::vector<Args>& free = pool();
        if (!free.empty()) {
            args_ = std::move(free.back());
            free.pop_back();
        }
        args_.resize(n);
    }
    ~PooledArgs() {
        args_.clear();
        std::vector<Args>& free = pool();
        if (free.size() < 16) {
            try {
                free.push_back(std::move(args_));
            } catch (...) { // the vector is simply not kept
            }
        }
    }
    PooledArgs(const PooledArgs&) = delete;
    PooledArgs& operator=(const PooledArgs&) = delete;
    Args& get() { return args_; }

private:
    static std::vector<Args>& pool() {
        thread_local std::vector<Args> free;
        return free;
    }
    Args args_;
};

} // namespace

void RaiseWrongThread() {
    throw AutomationError(rn::kWrongThread, "Lattix", rn::kWrongThreadMessage);
}

Variant AutomationObject::invoke(DispId id, InvokeKind kind, std::span<const Variant> positional,
                                 std::span<const NamedArg> named) {
    checkOwnerThread();
    const TypeInfo& ti = typeInfo();
    const auto [member, handler] = ti.find(id);
    if (!member || !handler || !member->supports(kind))
        throw AutomationError(rn::kMemberNotFound, "Lattix", "Member not found.");

    const size_t nparams = member->params.size();
    const bool assigns = kind == InvokeKind::Let || kind == InvokeKind::Set;
    PooledArgs pooled(nparams + (assigns ? 1 : 0));
    Args& args = pooled.get();
    // Which parameters the caller gave; members have few parameters, so this rarely allocates.
    constexpr size_t kInlineParams = 32;
    bool givenInline[kInlineParams] = {};
    std::unique_ptr<bool[]> givenHeap;
    bool* given = givenInline;
    if (nparams > kInlineParams) {
        givenHeap = std::make_unique<bool[]>(nparams);
        given = givenHeap.get();
    }

    size_t indexCount = positional.size();
    if (assigns) {
        // The value of an assignment is the last positional argument.
        if (positional.empty()) throw AutomationError(rn::kParamNotOptional, "Lattix", "Argument not optional.");
        indexCount = positional.size() - 1;
        args[nparams] = positional.back();
    }
    if (indexCount > nparams) throw AutomationError(rn::kBadParamCount, "Lattix", "Wrong number of arguments.");
    for (size_t i = 0; i < indexCount; ++i) {
        if (positional[i].isMissing()) continue; // an explicitly omitted argument
        args[i] = positional[i];
        given[i] = true;
    }
    for (const NamedArg& n : named) {
        std::string lower = AsciiLower(n.name);
        auto p = std::find_if(member->params.begin(), member->params.end(),
                              [&](const ParamInfo& pi) { return AsciiLower(pi.name) == lower; });
        if (p == member->params.end()) throw AutomationError(rn::kUnknownName, "Lattix", "Unknown name.");
        size_t i = static_cast<size_t>(p - member->params.begin());
        if (given[i]) throw AutomationError(rn::kBadParamCount, "Lattix", "Wrong number of arguments.");
        if (n.value.isMissing()) continue;
        args[i] = n.value;
        given[i] = true;
    }
    for (size_t i = 0; i < nparams; ++i) {
        if (given[i]) continue;
        const ParamInfo& p = member->params[i];
        if (!p.optional) throw AutomationError(rn::kParamNotOptional, "Lattix", "Argument not optional.");
        args[i] = p.hasDefault ? p.defaultValue : Variant::missing();
    }
    // Keep this object alive while its member runs, even if the call releases the last outside reference.
    std::shared_ptr<AutomationObject> keepAlive = weak_from_this().lock();
    return (*handler)(*this, kind, args);
}

Variant AutomationObject::invoke(std::string_view name, InvokeKind kind, std::span<const Variant> positional,
                                 std::span<const NamedArg> named) {
    return invoke(dispIdOf(name), kind, positional, named);
}

DispId AutomationObject::dispIdOf(std::string_view name) const {
    const MemberInfo* m = typeInfo().findMember(name);
    if (!m) throw AutomationError(rn::kUnknownName, "Lattix", "Unknown name.");
    return m->id;
}

} // namespace lattix

#include "grid/automation/dispatch_binder.h"
#include "grid/view/ctimer.h"

namespace lattix {

const TypeInfo& CTimer::typeInfo() const {
    static const TypeInfo info = [] {
        TypeInfo ti("CTimer", "_CTimer", "__CTimer");
        ClassBinder b(ti, "CTimer");
        b.addEvents();
        using T = CTimer;
        b.property<T>("Tag", [](T& t, Args&) { return t.Tag(); }, [](T& t, Args&, const Variant& v) { t.SetTag(v); });
        b.property<T>("Interval", [](T& t, Args&) { return Variant(t.Interval()); },
                      [](T& t, Args&, const Variant& v) { t.SetInterval(ArgI32(v)); });
        b.bind<T>("RaiseTimerEvent", [](T& t, InvokeKind, Args&) {
            t.RaiseTimerEvent();
            return Variant();
        });
        return ti;
    }();
    return info;
}

} // namespace lattix

#include "grid/view/picture_object.h"

#include "platform/gfx/png_reader.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

std::shared_ptr<PictureObject> PictureObject::FromPng(const std::string& path) {
    return Create(gfx::readPng(path));
}

const TypeInfo& PictureObject::ClassTypeInfo() {
    // The standard picture dispatch identifiers: Handle 0, Width 4, Height 5.
    static const TypeInfo info = [] {
        TypeInfo ti("Picture", "IPictureDisp");
        auto prop = [&](const char* name, DispId id, std::function<Variant(PictureObject&)> get) {
            MemberInfo m;
            m.name = name;
            m.id = id;
            m.kinds = static_cast<uint8_t>(InvokeKind::Get);
            ti.addMember(std::move(m), [get = std::move(get)](AutomationObject& self, InvokeKind, Args&) {
                return get(static_cast<PictureObject&>(self));
            });
        };
        prop("Width", 4, [](PictureObject& p) { return Variant(p.Width()); });
        prop("Height", 5, [](PictureObject& p) { return Variant(p.Height()); });
        return ti;
    }();
    return info;
}

std::shared_ptr<PictureObject> PictureFromVariant(const Variant& given) {
    const Variant& v = given.deref();
    if (v.isEmpty()) return nullptr;
    if (!v.isObject()) RaiseTypeMismatch();
    const ObjectRef& obj = v.object();
    if (!obj) return nullptr;
    auto p = std::dynamic_pointer_cast<PictureObject>(obj);
    if (!p) RaiseTypeMismatch();
    return p;
}

} // namespace lattix

#include "grid/view/image_list_object.h"

#include <map>

#include "grid/automation/error_table.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
// Handles of the living image list objects. Handles are never reused, so a stale number names no
// list instead of another one; they start high so that small numbers are never taken for one.
struct HandleTable {
    std::map<int32_t, std::weak_ptr<gfx::ImageList>> lists;
    int32_t next = 0x00010001;
};
HandleTable& Handles() {
    static HandleTable table;
    return table;
}
} // namespace

ImageListObject::ImageListObject(std::shared_ptr<gfx::ImageList> list) : list_(std::move(list)) {
    if (!list_) list_ = std::make_shared<gfx::ImageList>(16, 16);
    HandleTable& t = Handles();
    handle_ = t.next++;
    t.lists.emplace(handle_, list_);
}

ImageListObject::~ImageListObject() { Handles().lists.erase(handle_); }

std::shared_ptr<ImageListObject> ImageListObject::FromPng(const std::string& path, int width, int height) {
    auto list = std::make_shared<gfx::ImageList>(width, height);
    list->addFromPng(path);
    return Create(std::move(list));
}

const TypeInfo& ImageListObject::ClassTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo ti("ImageList", "IImageList");
        auto prop = [&](const char* name, DispId id, std::function<Variant(ImageListObject&)> get) {
            MemberInfo m;
            m.name = name;
            m.id = id;
            m.kinds = static_cast<uint8_t>(InvokeKind::Get);
            ti.addMember(std::move(m), [get = std::move(get)](AutomationObject& self, InvokeKind, Args&) {
                return get(static_cast<ImageListObject&>(self));
            });
        };
        prop("hImageList", 1, [](ImageListObject& o) { return Variant(o.Handle()); });
        prop("ImageWidth", 2, [](ImageListObject& o) { return Variant(int32_t{o.list()->imageWidth()}); });
        prop("ImageHeight", 3, [](ImageListObject& o) { return Variant(int32_t{o.list()->imageHeight()}); });
        prop("ListCount", 4, [](ImageListObject& o) { return Variant(int32_t{o.list()->count()}); });
        return ti;
    }();
    return info;
}

std::shared_ptr<gfx::ImageList> ImageListFromVariant(const Variant& given) {
    const Variant& v = given.deref();
    if (v.isEmpty()) return nullptr;
    if (v.isObject()) {
        const ObjectRef& obj = v.object();
        if (!obj) return nullptr;
        auto images = std::dynamic_pointer_cast<ImageListObject>(obj);
        if (!images) RaiseLattixError(lattix_error::kImageListExpected);
        return images->list();
    }
    if (!v.isNumeric()) RaiseLattixError(lattix_error::kImageListExpected);
    const double number = ToDouble(v);
    if (number == 0.0) return nullptr;
    const HandleTable& t = Handles();
    if (number < 1.0 || number > 2147483647.0) RaiseLattixError(lattix_error::kImageListExpected);
    auto it = t.lists.find(static_cast<int32_t>(number));
    if (it == t.lists.end() || static_cast<double>(it->first) != number) RaiseLattixError(lattix_error::kImageListExpected);
    std::shared_ptr<gfx::ImageList> list = it->second.lock();
    if (!list) RaiseLattixError(lattix_error::kImageListExpected);
    return list;
}

} // namespace lattix

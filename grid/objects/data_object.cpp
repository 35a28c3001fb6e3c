#include "grid/objects/data_object.h"

#include <array>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
inline constexpr DispId kOLESetData = 58;
constexpr int32_t kTextFormat = 1, kUnicodeTextFormat = 13;
} // namespace

const TypeInfo& DataObject::ClassTypeInfo() {
    static const TypeInfo info = [] {
        TypeInfo ti("DataObject", "_DataObject");
        auto self = [](AutomationObject& o) -> DataObject& { return static_cast<DataObject&>(o); };
        const uint8_t method = static_cast<uint8_t>(InvokeKind::Method);
        ParamInfo format{"vFormat", false, false, {}, false};
        ParamInfo optionalFormat{"vFormat", true, false, {}, false};
        ParamInfo optionalValue{"vValue", true, false, {}, false};
        ti.addMember({"GetData", 1, method, {format}}, [self](AutomationObject& o, InvokeKind, Args& a) {
            return self(o).GetData(a[0].deref());
        });
        ti.addMember({"GetFormat", 2, method, {format}}, [self](AutomationObject& o, InvokeKind, Args& a) {
            return Variant(self(o).GetFormat(a[0].deref()));
        });
        ti.addMember({"SetData", 3, method, {optionalValue, optionalFormat}},
                     [self](AutomationObject& o, InvokeKind, Args& a) {
                         self(o).SetData(a[0].deref(), a[1].deref());
                         return Variant();
                     });
        ti.addMember({"Clear", 4, method, {}}, [self](AutomationObject& o, InvokeKind, Args&) {
            self(o).Clear();
            return Variant();
        });
        return ti;
    }();
    return info;
}

const TypeInfo& DataObject::typeInfo() const { return ClassTypeInfo(); }

std::string DataObject::FormatName(const Variant& format) {
    const Variant& f = format.deref();
    if (f.isString()) {
        if (f.str().empty()) RaiseLattixError(lattix_error::kInvalidArgument);
        return f.str();
    }
    const int32_t n = ToInt32(f);
    if (n == kTextFormat || n == kUnicodeTextFormat) return ui::kMimeText;
    RaiseLattixError(lattix_error::kInvalidArgument);
}

Variant DataObject::GetData(const Variant& format) {
    const std::string name = FormatName(format);
    if (data_.get(name).empty()) {
        // Data announced but not yet given: the grid that started the drag asks its host.
        if (auto grid = source_.lock()) {
            std::array<Variant, 2> args{Variant::byRef(Variant(shared_from_this())), Variant::byRef(format.deref())};
            grid->RaiseEvent(kOLESetData, args);
        }
    }
    if (!data_.has(name)) return Variant();
    return Variant(data_.get(name));
}

bool DataObject::GetFormat(const Variant& format) const { return data_.has(FormatName(format)); }

void DataObject::SetData(const Variant& vValue, const Variant& vFormat) {
    const Variant& value = vValue.deref();
    if (vFormat.deref().isOmitted()) {
        // A value without a format is text.
        if (value.isOmitted()) RaiseLattixError(lattix_error::kInvalidArgument);
        data_.set(ui::kMimeText, ToString(value));
        return;
    }
    const std::string name = FormatName(vFormat);
    data_.set(name, value.isOmitted() ? std::string() : ToString(value));
}

} // namespace lattix

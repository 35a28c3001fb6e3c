#include "grid/model/property_bag_json.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "grid/automation/error_table.h"
#include "grid/objects/font_object.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {

using Json = nlohmann::ordered_json;

[[noreturn]] void RaiseFileError() {
    throw AutomationError(static_cast<int32_t>(0x800A004Bu), "Lattix", "Path/File access error.");
}

Json ToJson(const Variant& given) {
    const Variant& v = given.deref();
    if (v.isEmpty() || v.isNull()) return nullptr;
    if (v.isObject()) {
        const std::shared_ptr<FontObject> f = FontFromVariant(v);
        if (!f) return nullptr;
        return Json{{"Name", f->Name()},        {"Size", f->Size().toDouble()},  {"Weight", f->Weight()},
                    {"Italic", f->Italic()},    {"Underline", f->Underline()}, {"Strikethrough", f->Strikethrough()},
                    {"Charset", f->Charset()}};
    }
    switch (v.type()) {
    case VarType::Bool: return ToBool(v);
    case VarType::Byte:
    case VarType::Int16:
    case VarType::Int32: return ToInt32(v);
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency: return ToDouble(v);
    default: return ToString(v);
    }
}

Variant FromJson(const Json& j) {
    switch (j.type()) {
    case Json::value_t::null: return Variant();
    case Json::value_t::boolean: return Variant(j.get<bool>());
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned: {
        const double d = j.get<double>();
        if (d >= INT32_MIN && d <= INT32_MAX) return Variant(static_cast<int32_t>(j.get<int64_t>()));
        return Variant(d);
    }
    case Json::value_t::number_float: return Variant(j.get<double>());
    case Json::value_t::string: return Variant(j.get<std::string>());
    case Json::value_t::object: {
        FontDescription d;
        auto f = FontObject::Create(d);
        // A whole number of the given range, or a bag that cannot be read.
        auto whole = [](const Json& v, int64_t lo, int64_t hi) {
            const int64_t n = v.is_number_unsigned() && v.get<uint64_t>() > static_cast<uint64_t>(INT64_MAX)
                                  ? INT64_MAX
                                  : v.get<int64_t>();
            if (n < lo || n > hi) RaiseLattixError(lattix_error::kInvalidArgument);
            return n;
        };
        try {
            if (auto it = j.find("Name"); it != j.end() && it->is_string()) f->SetName(it->get<std::string>());
            if (auto it = j.find("Size"); it != j.end() && it->is_number()) f->SetSize(Currency::fromDouble(it->get<double>()));
            if (auto it = j.find("Weight"); it != j.end() && it->is_number_integer())
                f->SetWeight(static_cast<int32_t>(whole(*it, INT32_MIN, INT32_MAX)));
            if (auto it = j.find("Italic"); it != j.end() && it->is_boolean()) f->SetItalic(it->get<bool>());
            if (auto it = j.find("Underline"); it != j.end() && it->is_boolean()) f->SetUnderline(it->get<bool>());
            if (auto it = j.find("Strikethrough"); it != j.end() && it->is_boolean()) f->SetStrikethrough(it->get<bool>());
            if (auto it = j.find("Charset"); it != j.end() && it->is_number_integer())
                f->SetCharset(static_cast<int16_t>(whole(*it, INT16_MIN, INT16_MAX)));
        } catch (const AutomationError&) {
            // A font the grid cannot take (a size of 0, a weight out of range) makes the bag unreadable.
            RaiseLattixError(lattix_error::kInvalidArgument);
        }
        return Variant(std::static_pointer_cast<AutomationObject>(f));
    }
    default: RaiseLattixError(lattix_error::kInvalidArgument);
    }
}

} // namespace

std::string PropertyBagToJson(const PropertyBag& bag) {
    Json out = Json::object();
    for (const auto& [name, value] : bag.entries()) out[name] = ToJson(value);
    // Texts that are not UTF-8 (a host may store any bytes) are written with U+FFFD in their place.
    return out.dump(2, ' ', false, Json::error_handler_t::replace);
}

PropertyBag PropertyBagFromJson(std::string_view json) {
    const Json parsed = Json::parse(json, nullptr, /*allow_exceptions=*/false);
    if (!parsed.is_object()) RaiseLattixError(lattix_error::kInvalidArgument);
    PropertyBag bag;
    for (const auto& [name, value] : parsed.items()) bag.Write(name, FromJson(value));
    return bag;
}

void SavePropertyBagFile(const std::string& path, const PropertyBag& bag) {
    const std::string text = PropertyBagToJson(bag);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) RaiseFileError();
    out << text << '\n';
    if (!out.flush()) RaiseFileError();
}

PropertyBag LoadPropertyBagFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) RaiseFileError();
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) RaiseFileError();
    return PropertyBagFromJson(text.str());
}

} // namespace lattix

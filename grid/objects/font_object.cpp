#include "grid/objects/font_object.h"

#include <optional>

#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
[[noreturn]] void raiseInvalidArgument() {
    RaiseRuntimeError(runtime_error_number::kInvalidProcedureCall, "Invalid procedure call or argument");
}
constexpr int64_t kMaxSizeScaled = 2048LL * 10000;
} // namespace

void FontObject::SetName(const std::string& name) {
    if (name == d_.name) return;
    d_.name = name;
    changed();
}

void FontObject::SetSize(Currency size) {
    if (size.scaled <= 0 || size.scaled > kMaxSizeScaled) raiseInvalidArgument();
    if (size == d_.size) return;
    d_.size = size;
    changed();
}

void FontObject::SetItalic(bool b) {
    if (b == d_.italic) return;
    d_.italic = b;
    changed();
}

void FontObject::SetUnderline(bool b) {
    if (b == d_.underline) return;
    d_.underline = b;
    changed();
}

void FontObject::SetStrikethrough(bool b) {
    if (b == d_.strikethrough) return;
    d_.strikethrough = b;
    changed();
}

void FontObject::SetWeight(int32_t w) {
    if (w < 0 || w > 1000) raiseInvalidArgument();
    if (w == d_.weight) return;
    d_.weight = static_cast<int16_t>(w);
    changed();
}

void FontObject::SetCharset(int16_t c) {
    if (c == d_.charset) return;
    d_.charset = c;
    changed();
}

void FontObject::changed() {
    // A listener may drop its own or another subscription, or the last reference to this object:
    // keep the object alive and call only listeners that are still subscribed.
    std::shared_ptr<AutomationObject> keepAlive = weak_from_this().lock();
    std::vector<int> cookies;
    cookies.reserve(listeners_.size());
    for (const auto& l : listeners_) cookies.push_back(l.first);
    for (int cookie : cookies) {
        for (auto& l : listeners_) {
            if (l.first != cookie) continue;
            Listener call = l.second; // a copy: the listener list may change during the call
            call(*this);
            break;
        }
    }
}

void FontObject::unlisten(int cookie) {
    std::erase_if(listeners_, [cookie](const auto& l) { return l.first == cookie; });
}

FontObject::Subscription FontObject::Listen(const std::shared_ptr<FontObject>& font, Listener listener) {
    if (!font) return {};
    int cookie = font->nextCookie_++;
    font->listeners_.emplace_back(cookie, std::move(listener));
    return Subscription(font, cookie);
}

FontObject::Subscription& FontObject::Subscription::operator=(Subscription&& o) noexcept {
    if (this != &o) {
        reset();
        font_ = std::move(o.font_);
        cookie_ = o.cookie_;
        o.cookie_ = 0;
    }
    return *this;
}

void FontObject::Subscription::reset() {
    if (font_ && cookie_) font_->unlisten(cookie_);
    font_.reset();
    cookie_ = 0;
}

const TypeInfo& FontObject::ClassTypeInfo() {
    // The standard font dispatch identifiers, so a host binding early to a font object finds them.
    static const TypeInfo info = [] {
        TypeInfo ti("Font", "IFontDisp");
        auto prop = [&](const char* name, DispId id, std::function<Variant(FontObject&)> get,
                        std::function<void(FontObject&, const Variant&)> let) {
            MemberInfo m;
            m.name = name;
            m.id = id;
            m.kinds = static_cast<uint8_t>(InvokeKind::Get) | static_cast<uint8_t>(InvokeKind::Let);
            ti.addMember(std::move(m), [get = std::move(get), let = std::move(let)](AutomationObject& self,
                                                                                   InvokeKind kind, Args& args) {
                auto& f = static_cast<FontObject&>(self);
                if (kind == InvokeKind::Get) return get(f);
                let(f, args.back().deref());
                return Variant();
            });
        };
        prop("Name", 0, [](FontObject& f) { return Variant(f.Name()); },
             [](FontObject& f, const Variant& v) { f.SetName(ToString(v)); });
        prop("Size", 2, [](FontObject& f) { return Variant(f.Size()); },
             [](FontObject& f, const Variant& v) { f.SetSize(ToCurrency(v)); });
        prop("Bold", 3, [](FontObject& f) { return Variant(f.Bold()); },
             [](FontObject& f, const Variant& v) { f.SetBold(ToBool(v)); });
        prop("Italic", 4, [](FontObject& f) { return Variant(f.Italic()); },
             [](FontObject& f, const Variant& v) { f.SetItalic(ToBool(v)); });
        prop("Underline", 5, [](FontObject& f) { return Variant(f.Underline()); },
             [](FontObject& f, const Variant& v) { f.SetUnderline(ToBool(v)); });
        prop("Strikethrough", 6, [](FontObject& f) { return Variant(f.Strikethrough()); },
             [](FontObject& f, const Variant& v) { f.SetStrikethrough(ToBool(v)); });
        prop("Weight", 7, [](FontObject& f) { return Variant(f.Weight()); },
             [](FontObject& f, const Variant& v) { f.SetWeight(ToInt32(v)); });
        prop("Charset", 8, [](FontObject& f) { return Variant(f.Charset()); },
             [](FontObject& f, const Variant& v) { f.SetCharset(ToInt16(v)); });
        return ti;
    }();
    return info;
}

std::shared_ptr<FontObject> FontFromVariant(const Variant& given) {
    const Variant& v = given.deref();
    if (v.isEmpty()) return nullptr;
    if (!v.isObject()) RaiseTypeMismatch();
    const ObjectRef& obj = v.object();
    if (!obj) return nullptr;
    if (auto f = std::dynamic_pointer_cast<FontObject>(obj)) return f;
    // A host's own font object: take a snapshot of its description (weight before bold, so an object
    // that has both keeps its exact weight).
    FontDescription d;
    const TypeInfo& ti = obj->typeInfo();
    auto read = [&](const char* name) -> std::optional<Variant> {
        if (!ti.findMember(name)) return std::nullopt;
        return obj->invoke(name, InvokeKind::Get);
    };
    if (auto x = read("Name")) d.name = ToString(*x);
    if (auto x = read("Size")) d.size = ToCurrency(*x);
    if (auto x = read("Weight")) d.weight = ToInt16(*x);
    else if (auto b = read("Bold")) d.weight = ToBool(*b) ? 700 : 400;
    if (auto x = read("Italic")) d.italic = ToBool(*x);
    if (auto x = read("Underline")) d.underline = ToBool(*x);
    if (auto x = read("Strikethrough")) d.strikethrough = ToBool(*x);
    if (auto x = read("Charset")) d.charset = ToInt16(*x);
    if (d.size.scaled <= 0 || d.weight < 0 || d.weight > 1000) RaiseTypeMismatch();
    return FontObject::Create(d);
}

} // namespace lattix

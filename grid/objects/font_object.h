// A font object for hosts: the description of a font (name, size, style, weight, character set) with
// a change notification. The grid's Font, CellFont, CellObject.oFont and FontClone all use it; the
// drawing layer turns a description into glyphs when it paints.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/automation.h"

namespace lattix {

// The plain description two fonts are compared by.
struct FontDescription {
    std::string name = "DejaVu Sans";
    Currency size{80000}; // points, as a currency value (8 pt)
    int16_t weight = 400;
    int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool bold() const { return weight >= 600; }
    // The same font: name (exact), size, italic, underline, strikethrough, weight and character set.
    bool operator==(const FontDescription&) const = default;
};

class FontObject final : public AutomationObject {
public:
    using Listener = std::function<void(FontObject&)>;

    static std::shared_ptr<FontObject> Create(const FontDescription& d = {}) { return std::make_shared<FontObject>(d); }
    explicit FontObject(const FontDescription& d) : d_(d) {}
    // A new object with the same description and no listeners.
    std::shared_ptr<FontObject> Clone() const { return Create(d_); }

    const TypeInfo& typeInfo() const override { return ClassTypeInfo(); }
    static const TypeInfo& ClassTypeInfo();

    const FontDescription& description() const { return d_; }
    bool SameAs(const FontObject& o) const { return d_ == o.d_; }

    // Properties. A let that changes the value notifies the listeners; an equal value changes nothing.
    const std::string& Name() const { return d_.name; }
    void SetName(const std::string& name);
    Currency Size() const { return d_.size; }
    // Raises "Invalid procedure call or argument." for a size not above 0 or above 2048 points.
    void SetSize(Currency size);
    bool Bold() const { return d_.bold(); }
    void SetBold(bool b) { SetWeight(b ? 700 : 400); }
    bool Italic() const { return d_.italic; }
    void SetItalic(bool b);
    bool Underline() const { return d_.underline; }
    void SetUnderline(bool b);
    bool Strikethrough() const { return d_.strikethrough; }
    void SetStrikethrough(bool b);
    int16_t Weight() const { return d_.weight; }
    // Raises "Invalid procedure call or argument." outside 0..1000.
    void SetWeight(int32_t w);
    int16_t Charset() const { return d_.charset; }
    void SetCharset(int16_t c);

    // Listening. The subscription ends when the returned handle is destroyed.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(std::shared_ptr<FontObject> font, int cookie) : font_(std::move(font)), cookie_(cookie) {}
        Subscription(Subscription&& o) noexcept : font_(std::move(o.font_)), cookie_(o.cookie_) { o.cookie_ = 0; }
        Subscription& operator=(Subscription&& o) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { reset(); }
        void reset();
        const std::shared_ptr<FontObject>& font() const { return font_; }

    private:
        std::shared_ptr<FontObject> font_;
        int cookie_ = 0;
    };
    static Subscription Listen(const std::shared_ptr<FontObject>& font, Listener listener);
    size_t ListenerCount() const { return listeners_.size(); }

private:
    void changed();
    void unlisten(int cookie);

    FontDescription d_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextCookie_ = 1;
};

// The font object behind an automation value: a FontObject as it is, any other object read through
// its Name, Size, Bold, Italic, Underline, Strikethrough, Weight and Charset properties into a new
// FontObject; nullptr for Nothing. Raises "Type mismatch" for a value that is not an object.
std::shared_ptr<FontObject> FontFromVariant(const Variant& v);

} // namespace lattix

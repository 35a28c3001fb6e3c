// The automation value type shared by the grid, its hosts and the bindings.
//
// A Variant holds one of the types a Basic-style automation host passes around. The type codes are the
// standard automation ones, so that they cross the C ABI unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lattix {

class AutomationObject;
class SafeArray;

enum class VarType : uint16_t {
    Empty = 0,
    Null = 1,
    Int16 = 2,
    Int32 = 3,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Object = 9,
    Error = 10,
    Bool = 11,
    Byte = 17,
    Array = 0x2000,
    ByRef = 0x4000,
};

// Scode of the value an omitted optional argument carries.
inline constexpr int32_t kMissingScode = static_cast<int32_t>(0x80020004u);

struct NullValue {
    bool operator==(const NullValue&) const = default;
};

// Fixed-point money: the value times 10,000.
struct Currency {
    int64_t scaled = 0;
    bool operator==(const Currency&) const = default;
    static Currency fromDouble(double v);
    double toDouble() const { return static_cast<double>(scaled) / 10000.0; }
};

// Days since 1899-12-30; the fraction is the time of day.
struct Date {
    double serial = 0;
    bool operator==(const Date&) const = default;
};

struct ErrorValue {
    int32_t scode = 0;
    bool operator==(const ErrorValue&) const = default;
};

using ObjectRef = std::shared_ptr<AutomationObject>;
using ArrayRef = std::shared_ptr<SafeArray>;

class Variant;
// A by-reference slot: the callee writes through it and the caller reads the slot back.
using ByRefSlot = std::shared_ptr<Variant>;

class Variant {
public:
    Variant() = default;
    Variant(NullValue n) : v_(n) {}
    Variant(int16_t i) : v_(i) {}
    Variant(int32_t i) : v_(i) {}
    Variant(float f) : v_(f) {}
    Variant(double d) : v_(d) {}
    Variant(Currency c) : v_(c) {}
    Variant(Date d) : v_(d) {}
    Variant(std::string s) : v_(std::move(s)) {}
    Variant(std::string_view s) : v_(std::string(s)) {}
    Variant(const char* s) : v_(std::string(s)) {}
    Variant(bool b) : v_(b) {}
    Variant(ErrorValue e) : v_(e) {}
    Variant(uint8_t b) : v_(b) {}
    Variant(ObjectRef o) : v_(std::move(o)) {}
    Variant(ArrayRef a) : v_(std::move(a)) {}
    Variant(ByRefSlot r) : v_(std::move(r)) {}
    // Other integer types are not automation types: keep them from binding to bool or double.
    Variant(long) = delete;
    Variant(unsigned) = delete;

    static Variant null() { return Variant(NullValue{}); }
    static Variant missing() { return Variant(ErrorValue{kMissingScode}); }
    static Variant error(int32_t scode) { return Variant(ErrorValue{scode}); }
    static Variant byRef(Variant initial) { return Variant(std::make_shared<Variant>(std::move(initial))); }

    VarType type() const;
    bool isEmpty() const { return v_.index() == 0; }
    bool isNull() const { return std::holds_alternative<NullValue>(v_); }
    bool isMissing() const;
    // Empty or the omitted-argument marker: the caller gave nothing.
    bool isOmitted() const { return isEmpty() || isMissing(); }
    bool isString() const { return std::holds_alternative<std::string>(v_); }
    bool isObject() const { return std::holds_alternative<ObjectRef>(v_); }
    bool isArray() const { return std::holds_alternative<ArrayRef>(v_); }
    bool isByRef() const { return std::holds_alternative<ByRefSlot>(v_); }
    // 16/32-bit integers, single, double, currency and byte.
    bool isNumeric() const;

    template <class T> bool holds() const { return std::holds_alternative<T>(v_); }
    template <class T> const T& get() const { return std::get<T>(v_); }
    template <class T> T& get() { return std::get<T>(v_); }
    template <class T> const T* getIf() const { return std::get_if<T>(&v_); }

    const std::string& str() const { return std::get<std::string>(v_); }
    const ObjectRef& object() const { return std::get<ObjectRef>(v_); }
    const ArrayRef& array() const { return std::get<ArrayRef>(v_); }
    const ByRefSlot& slot() const { return std::get<ByRefSlot>(v_); }

    // The value itself, looking through a by-reference slot.
    const Variant& deref() const { return isByRef() && slot() ? *slot() : *this; }

    bool operator==(const Variant& o) const { return v_ == o.v_; }

private:
    using Storage = std::variant<std::monostate, NullValue, int16_t, int32_t, float, double, Currency, Date,
                                 std::string, bool, ErrorValue, uint8_t, ObjectRef, ArrayRef, ByRefSlot>;
    Storage v_;
};

// An array of one or two dimensions with any lower bounds. Elements are stored with the first
// dimension varying fastest. Arrays are shared by reference: a callee that fills an array the host
// passed fills the host's array.
class SafeArray {
public:
    struct Bound {
        int32_t lower = 0;
        int32_t count = 0;
        int32_t upper() const { return lower + count - 1; }
    };

    // Raises the automation error "Out of memory." style overflow when the element count is absurd.
    SafeArray(std::vector<Bound> bounds);
    static ArrayRef make1D(int32_t lower, int32_t count);
    static ArrayRef make2D(int32_t lower1, int32_t count1, int32_t lower2, int32_t count2);

    int dims() const { return static_cast<int>(bounds_.size()); }
    const Bound& bound(int dim) const { return bounds_.at(static_cast<size_t>(dim)); }
    size_t size() const { return data_.size(); }

    // Raises "Subscript out of range" (0x800A0009) for an index outside the bounds.
    Variant& at(int32_t i);
    Variant& at(int32_t i, int32_t j);
    const Variant& at(int32_t i) const { return const_cast<SafeArray*>(this)->at(i); }
    const Variant& at(int32_t i, int32_t j) const { return const_cast<SafeArray*>(this)->at(i, j); }
    std::vector<Variant>& data() { return data_; }
    const std::vector<Variant>& data() const { return data_; }

private:
    std::vector<Bound> bounds_;
    std::vector<Variant> data_;
};

} // namespace lattix

#include "runtime/variant.h"

#include <cmath>
#include <limits>

#include "runtime/automation_error.h"

namespace lattix {

Currency Currency::fromDouble(double v) {
    double scaled = std::nearbyint(v * 10000.0);
    if (!(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18)) RaiseOverflow();
    return Currency{static_cast<int64_t>(scaled)};
}

VarType Variant::type() const {
    switch (v_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Int16;
    case 3: return VarType::Int32;
    case 4: return VarType::Single;
    case 5: return VarType::Double;
    case 6: return VarType::Currency;
    case 7: return VarType::Date;
    case 8: return VarType::String;
    case 9: return VarType::Bool;
    case 10: return VarType::Error;
    case 11: return VarType::Byte;
    case 12: return VarType::Object;
    case 13: return VarType::Array;
    default: return VarType::ByRef;
    }
}

bool Variant::isMissing() const {
    const ErrorValue* e = std::get_if<ErrorValue>(&v_);
    return e && e->scode == kMissingScode;
}

bool Variant::isNumeric() const {
    switch (type()) {
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte: return true;
    default: return false;
    }
}

SafeArray::SafeArray(std::vector<Bound> bounds) : bounds_(std::move(bounds)) {
    if (bounds_.empty() || bounds_.size() > 2) RaiseRuntimeError(runtime_error_number::kSubscriptOutOfRange, "Subscript out of range");
    uint64_t total = 1;
    for (const Bound& b : bounds_) {
        if (b.count < 0) RaiseRuntimeError(runtime_error_number::kSubscriptOutOfRange, "Subscript out of range");
        // The upper bound must be representable too.
        if (static_cast<int64_t>(b.lower) + b.count - 1 > std::numeric_limits<int32_t>::max()) RaiseOverflow();
        total *= static_cast<uint64_t>(b.count);
        if (total > (uint64_t{1} << 31)) RaiseRuntimeError(runtime_error_number::kOutOfMemory, "Out of memory");
    }
    data_.resize(static_cast<size_t>(total));
}

ArrayRef SafeArray::make1D(int32_t lower, int32_t count) {
    return std::make_shared<SafeArray>(std::vector<Bound>{{lower, count}});
}

ArrayRef SafeArray::make2D(int32_t lower1, int32_t count1, int32_t lower2, int32_t count2) {
    return std::make_shared<SafeArray>(std::vector<Bound>{{lower1, count1}, {lower2, count2}});
}

Variant& SafeArray::at(int32_t i) {
    if (bounds_.size() != 1 || i < bounds_[0].lower || static_cast<int64_t>(i) > bounds_[0].upper())
        RaiseRuntimeError(runtime_error_number::kSubscriptOutOfRange, "Subscript out of range");
    return data_[static_cast<size_t>(i - bounds_[0].lower)];
}

Variant& SafeArray::at(int32_t i, int32_t j) {
    if (bounds_.size() != 2 || i < bounds_[0].lower || static_cast<int64_t>(i) > bounds_[0].upper() ||
        j < bounds_[1].lower || static_cast<int64_t>(j) > bounds_[1].upper())
        RaiseRuntimeError(runtime_error_number::kSubscriptOutOfRange, "Subscript out of range");
    return data_[static_cast<size_t>(i - bounds_[0].lower) +
                 static_cast<size_t>(j - bounds_[1].lower) * static_cast<size_t>(bounds_[0].count)];
}

void RaiseTypeMismatch() { throw AutomationError(runtime_error_number::kTypeMismatch, "Lattix", "Type mismatch"); }
void RaiseOverflow() { throw AutomationError(runtime_error_number::kOverflow, "Lattix", "Overflow"); }
void RaiseRuntimeError(int32_t number, const std::string& description) {
    throw AutomationError(number, "Lattix", description);
}

} // namespace lattix

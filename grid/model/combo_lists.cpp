#include "grid/model/combo_lists.h"

#include <limits>

#include "grid/lattix_error.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
bool numberLike(const Variant& v) {
    return v.isNumeric() || v.type() == VarType::Date || v.type() == VarType::Bool;
}
} // namespace

bool ComboValuesEqual(const Variant& given1, const Variant& given2) {
    const Variant& a = given1.deref();
    const Variant& b = given2.deref();
    if (numberLike(a) && numberLike(b)) return ToDouble(a) == ToDouble(b);
    if (a.isString() && b.isString()) return a.str() == b.str();
    return a == b;
}

int32_t ComboList::indexOfValue(const Variant& given) const {
    const Variant& v = given.deref();
    if (v.isArray()) return -1;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].hasValue() && ComboValuesEqual(items[i].value, v)) return static_cast<int32_t>(i);
    return -1;
}

int16_t ComboListStore::find(std::string_view key) const {
    for (size_t i = 0; i < lists_.size(); ++i)
        if (lists_[i].key == key) return static_cast<int16_t>(i + 1);
    return 0;
}

const ComboList* ComboListStore::list(int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > lists_.size()) return nullptr;
    return &lists_[static_cast<size_t>(n - 1)];
}

ComboList* ComboListStore::list(int32_t n) {
    return const_cast<ComboList*>(static_cast<const ComboListStore*>(this)->list(n));
}

int16_t ComboListStore::add(std::string key) {
    if (find(key) != 0) RaiseLattixError(lattix_error::kDuplicateKey);
    if (lists_.size() >= static_cast<size_t>(std::numeric_limits<int16_t>::max()))
        RaiseLattixError(lattix_error::kInvalidArgument);
    lists_.push_back(ComboList{std::move(key), {}});
    return static_cast<int16_t>(lists_.size());
}

} // namespace lattix

namespace lattix {

ComboBinding DeriveComboBinding(const ComboListStore& lists, int32_t comboIndex, const Variant& value) {
    ComboBinding b;
    const ComboList* list = lists.list(comboIndex);
    if (!list) return b;
    b.listIndex = list->indexOfValue(value);
    if (b.listIndex >= 0) b.icon = list->items[static_cast<size_t>(b.listIndex)].icon;
    return b;
}

} // namespace lattix

#include "grid/model/combo_lists.h"

#include <limits>

#include "grid/automation/error_table.h"
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

size_t ComboListStore::count() const {
    size_t n = 0;
    for (const auto& s : slots_) n += s != nullptr;
    return n;
}

int16_t ComboListStore::find(std::string_view key) const {
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i] && slots_[i]->key == key) return static_cast<int16_t>(i + 1);
    return 0;
}

const ComboList* ComboListStore::list(int32_t n) const {
    if (n < 1 || static_cast<size_t>(n) > slots_.size()) return nullptr;
    return slots_[static_cast<size_t>(n - 1)].get();
}

ComboList* ComboListStore::list(int32_t n) {
    return const_cast<ComboList*>(static_cast<const ComboListStore*>(this)->list(n));
}

int16_t ComboListStore::add(std::string key) {
    if (find(key) != 0) RaiseLattixError(lattix_error::kDuplicateKey);
    size_t slot = 0;
    while (slot < slots_.size() && slots_[slot]) ++slot;
    if (slot >= static_cast<size_t>(std::numeric_limits<int16_t>::max())) RaiseLattixError(lattix_error::kInvalidArgument);
    auto list = std::make_unique<ComboList>();
    list->key = std::move(key);
    list->serial = nextSerial_++;
    if (slot == slots_.size()) slots_.push_back(std::move(list));
    else slots_[slot] = std::move(list);
    return static_cast<int16_t>(slot + 1);
}

void ComboListStore::remove(int32_t n) {
    if (n < 1 || static_cast<size_t>(n) > slots_.size()) return;
    slots_[static_cast<size_t>(n - 1)].reset();
    // Trailing empty slots go: the table never grows past the lists it holds.
    while (!slots_.empty() && !slots_.back()) slots_.pop_back();
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

// FillFromRS of a drop-down list: one item per record, text and value from named fields.
#include <new>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/record_set.h"
#include "grid/objects/combo_objects.h"
#include "runtime/conversions.h"

namespace lattix {

void ComboObject::FillFromRS(RecordSet& rs, const Variant& vTextField, const Variant& vValueField) {
    ComboList& checked = list(); // raises for a list that is gone
    (void)checked;
    const int32_t textField = rs.FindField(vTextField);
    if (textField < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    int32_t valueField = -1;
    if (!vValueField.deref().isOmitted()) {
        valueField = rs.FindField(vValueField);
        if (valueField < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    }
    std::vector<ComboItem> items;
    try {
        while (rs.MoveNext()) {
            ComboItem it;
            const Variant text = rs.Value(textField);
            it.text = text.isNull() || text.isEmpty() ? std::string() : ToString(text);
            it.value = valueField >= 0 ? rs.Value(valueField) : Variant::missing();
            items.push_back(std::move(it));
        }
    } catch (const std::bad_alloc&) {
        RaiseLattixError(lattix_error::kOutOfMemory);
    }
    Lattix& g = requireGrid();
    ComboList& l = list();
    for (ComboItem& it : items) g.MeasureComboItem(l, it);
    l.items.reserve(l.items.size() + items.size());
    for (ComboItem& it : items) l.items.push_back(std::move(it));
    // Items added at the end change no cell's text.
    g.ComboListChanged(slot_, false);
}

} // namespace lattix

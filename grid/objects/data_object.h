// DataObject: the data of a drag and drop as the OLE* events hand it to the host.
//
// Formats are named by number (1 and 13: text) or by MIME type ("text/plain",
// "text/tab-separated-values"). The grid fills the text formats when it starts a drag; a host may
// add or replace formats in OLEStartDrag and read them in OLEDragOver and OLEDragDrop. Asking a
// dragged-out data object for a format it does not hold raises OLESetData on the grid that started
// the drag, so that its host can supply the data late.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/drag_drop.h"
#include "runtime/automation.h"

namespace lattix {

class Lattix;

class DataObject final : public AutomationObject {
public:
    explicit DataObject(ui::DragData data = {}, std::weak_ptr<Lattix> source = {})
        : data_(std::move(data)), source_(std::move(source)) {}
    const TypeInfo& typeInfo() const override;
    static const TypeInfo& ClassTypeInfo();

    ui::DragData& data() { return data_; }
    // The MIME name of a format argument; error 514 for an unknown number or an empty name.
    static std::string FormatName(const Variant& format);

    Variant GetData(const Variant& format);
    bool GetFormat(const Variant& format) const;
    // With vValue omitted only the format is announced (an empty entry the source fills on demand).
    void SetData(const Variant& vValue, const Variant& vFormat);
    void Clear() { data_.clear(); }

private:
    ui::DragData data_;
    std::weak_ptr<Lattix> source_;
};

} // namespace lattix

#include "grid/model/record_set_binding.h"

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/record_set.h"

namespace lattix {

std::shared_ptr<RecordSetBinding> RecordSetBinding::Connect(Lattix& grid, std::shared_ptr<RecordSet> records) {
    auto binding = std::make_shared<RecordSetBinding>(grid, std::move(records));
    // The handler holds the binding only while it runs: a handler that unbinds from inside a
    // cursor callback does not pull it away under itself.
    std::weak_ptr<RecordSetBinding> weak = binding;
    binding->cookie_ = grid.events()->connect([weak](const EventInfo& event, std::span<Variant> args) {
        std::shared_ptr<RecordSetBinding> self = weak.lock();
        if (!self) return;
        if (event.id == event_id::kRequestRow) self->OnRequestRow(args);
        else if (event.id == event_id::kRequestRowData) self->OnRequestRowData(args);
    });
    return binding;
}

RecordSetBinding::RecordSetBinding(Lattix& grid, std::shared_ptr<RecordSet> records)
    : grid_(grid), records_(std::move(records)) {
    const int32_t fields = records_->FieldCount();
    for (int32_t f = 0; f < fields; ++f) {
        const std::string name = records_->FieldName(f);
        // FillFromRS keys a field's column by its name unless the name was taken.
        const bool keyed = !name.empty() && grid_.ColIndex(name) == f + 1;
        columns_.push_back({keyed ? name : std::string(), f + 1});
    }
}

RecordSetBinding::~RecordSetBinding() {
    if (cookie_ != 0) grid_.events()->disconnect(cookie_);
}

void RecordSetBinding::OnRequestRow(std::span<Variant> args) {
    if (args.size() < 2 || atEnd_) {
        if (atEnd_ && args.size() >= 2 && args[1].isByRef()) *args[1].slot() = Variant(true);
        return;
    }
    havePending_ = false;
    if (!records_->MoveNext()) {
        atEnd_ = true;
        if (args[1].isByRef()) *args[1].slot() = Variant(true);
        return;
    }
    // Every field is read before the grid adds the row: a cursor that fails part way adds nothing.
    const int32_t fields = static_cast<int32_t>(columns_.size());
    std::vector<Variant> values;
    values.reserve(columns_.size());
    for (int32_t f = 0; f < fields; ++f) values.push_back(records_->Value(f));
    pending_ = std::move(values);
    havePending_ = true;
    ++rowsRead_;
}

void RecordSetBinding::OnRequestRowData(std::span<Variant> args) {
    if (!havePending_ || args.empty()) return;
    havePending_ = false;
    const Variant row = args[0].deref();
    for (size_t f = 0; f < columns_.size() && f < pending_.size(); ++f) {
        const FieldColumn& c = columns_[f];
        // A column the host removed since binding is passed over.
        const int32_t index = c.key.empty() ? (c.index <= grid_.ColCount() ? c.index : 0) : grid_.ColIndex(c.key);
        if (index == 0) continue;
        grid_.SetCellValue(row, Variant(index), pending_[f]);
    }
    pending_.clear();
}

void Lattix::BindRecordSet(std::shared_ptr<RecordSet> records) {
    if (!records) RaiseLattixError(lattix_error::kInvalidArgument);
    if (InStructuralOperation()) RaiseLattixError(lattix_error::kIllegalOperation);
    if (records->FieldCount() < 0) RaiseLattixError(lattix_error::kInvalidArgument);
    UnbindRecordSet();
    BeginUpdate();
    try {
        // Columns from the fields; no record is read.
        FillFromRS(*records, 0);
        SetVirtual(true);
        virtualEnd_ = false;
        binding_ = RecordSetBinding::Connect(*this, std::move(records));
    } catch (...) {
        EndUpdate();
        throw;
    }
    // The first screen of rows is read as the grid paints.
    EndUpdate();
}

void Lattix::UnbindRecordSet() {
    if (!binding_) return;
    std::shared_ptr<RecordSetBinding> ending = std::move(binding_);
    // No record is asked for any more.
    virtualEnd_ = true;
}

void Lattix::ReadBoundRecordsToEnd() {
    if (!binding_ || virtualEnd_) return;
    // Rows cannot be added in the middle of another structural change.
    if (InStructuralOperation()) RaiseLattixError(lattix_error::kIllegalOperation);
    // The rows arrive with painting held back and are shown in one repaint.
    BeginUpdate();
    try {
        // The binding may end (a handler unbinds) or the host report the end at any request.
        while (binding_ && !virtualEnd_ && RequestVirtualRow()) {
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

} // namespace lattix

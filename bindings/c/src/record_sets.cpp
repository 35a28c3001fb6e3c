// Record sets of the C interface: a host's callback table, or a SQLite query.
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bindings/c/lattix.h"
#include "bindings/c/src/error_guard.h"
#include "bindings/c/src/handles.h"
#include "bindings/c/src/variant_conversion.h"
#include "grid/lattix.h"
#include "grid/model/record_set.h"
#include "grid/model/record_set_binding.h"
#include "grid/model/sqlite_record_set.h"
#include "runtime/automation_error.h"

using namespace lattix;
using namespace lattix::cabi;

namespace {

class CallbackRecordSet final : public RecordSet {
public:
    CallbackRecordSet(std::vector<std::string> names, std::vector<FieldKind> kinds, lx_record_set_callbacks callbacks,
                      void* user)
        : names_(std::move(names)), kinds_(std::move(kinds)), callbacks_(callbacks), user_(user) {}
    ~CallbackRecordSet() override {
        if (callbacks_.release) callbacks_.release(user_);
    }
    int32_t FieldCount() const override { return static_cast<int32_t>(names_.size()); }
    std::string FieldName(int32_t field) const override { return names_.at(static_cast<size_t>(field)); }
    FieldKind FieldKindOf(int32_t field) const override { return kinds_.at(static_cast<size_t>(field)); }
    bool MoveNext() override {
        if (atEnd_) return false;
        int32_t has = 0;
        lx_error err{};
        const int32_t rc = callbacks_.move_next(user_, &has, &err);
        if (rc != LX_OK) raise(rc, err);
        onRecord_ = has != 0;
        atEnd_ = !onRecord_;
        return onRecord_;
    }
    Variant Value(int32_t field) const override {
        if (!onRecord_ || field < 0 || field >= FieldCount()) RaiseInvalidArgument();
        lx_variant out;
        lx_variant_init(&out);
        lx_error err{};
        const int32_t rc = callbacks_.value(user_, field, &out, &err);
        CVariantsCleaner cleaner(std::span<lx_variant>(&out, 1));
        if (rc != LX_OK) raise(rc, err);
        return FromC(out).deref();
    }

private:
    [[noreturn]] static void raise(int32_t rc, const lx_error& err) {
        const std::string source(err.source, strnlen(err.source, sizeof err.source));
        const std::string description(err.description, strnlen(err.description, sizeof err.description));
        throw AutomationError(rc, source.empty() ? "RecordSet" : source,
                              description.empty() ? "The record set failed." : description);
    }
    std::vector<std::string> names_;
    std::vector<FieldKind> kinds_;
    lx_record_set_callbacks callbacks_;
    void* user_;
    bool onRecord_ = false, atEnd_ = false;
};

} // namespace

LX_API int32_t lx_record_set_create(int32_t field_count, const char* const* field_names, const int32_t* field_kinds,
                                    const lx_record_set_callbacks* callbacks, void* user_data, lx_object** out,
                                    lx_error* error) {
    bool taken = false;
    const int32_t rc = Guarded(error, [&] {
        if (!out || !callbacks || !callbacks->move_next || !callbacks->value || (field_count > 0 && !field_names))
            RaiseInvalidPointer();
        *out = nullptr;
        if (field_count < 0) RaiseInvalidArgument();
        std::vector<std::string> names;
        std::vector<FieldKind> kinds;
        for (int32_t i = 0; i < field_count; ++i) {
            if (!field_names[i]) RaiseInvalidPointer();
            names.emplace_back(field_names[i]);
            const int32_t k = field_kinds ? field_kinds[i] : LX_FIELD_UNKNOWN;
            if (k < LX_FIELD_UNKNOWN || k > LX_FIELD_DATE) RaiseInvalidArgument();
            kinds.push_back(static_cast<FieldKind>(k));
        }
        auto rs = std::make_shared<CallbackRecordSet>(std::move(names), std::move(kinds), *callbacks, user_data);
        taken = true;
        *out = NewObjectHandle(std::move(rs));
    });
    // The record set releases the host's data once it exists; before that the call does.
    if (rc != LX_OK && !taken && callbacks && callbacks->release) callbacks->release(user_data);
    return rc;
}

LX_API int32_t lx_record_set_sqlite(const char* path, const char* sql, lx_object** out, lx_error* error) {
    return Guarded(error, [&] {
        if (!path || !sql || !out) RaiseInvalidPointer();
        *out = nullptr;
        *out = NewObjectHandle(SqliteRecordSet::Open(path, sql));
    });
}

LX_API int32_t lx_variant_set_integer_text(lx_variant* v, const char* digits, lx_error* error) {
    return Guarded(error, [&] {
        if (!v || !digits) RaiseInvalidPointer();
        ToC(StorableIntegerText(digits), *v);
    });
}

LX_API int32_t lx_variant_set_blob_marker(lx_variant* v, int64_t bytes, lx_error* error) {
    return Guarded(error, [&] {
        if (!v) RaiseInvalidPointer();
        if (bytes < 0) RaiseInvalidArgument();
        ToC(Variant(BlobMarker(bytes)), *v);
    });
}

namespace {
Lattix& GridOf(lx_object* grid) {
    if (!grid) RaiseInvalidPointer();
    auto* g = dynamic_cast<Lattix*>(grid->object.get());
    if (!g) RaiseInvalidArgument();
    g->checkOwnerThread();
    return *g;
}
} // namespace

LX_API int32_t lx_grid_bind_record_set(lx_object* grid, lx_object* record_set, lx_error* error) {
    return Guarded(error, [&] {
        Lattix& g = GridOf(grid);
        if (!record_set) RaiseInvalidPointer();
        auto records = std::dynamic_pointer_cast<RecordSet>(record_set->object);
        if (!records) RaiseInvalidArgument();
        g.BindRecordSet(std::move(records));
    });
}

LX_API int32_t lx_grid_unbind_record_set(lx_object* grid, lx_error* error) {
    return Guarded(error, [&] { GridOf(grid).UnbindRecordSet(); });
}

LX_API int32_t lx_grid_read_bound_records(lx_object* grid, int64_t* rows_read, lx_error* error) {
    return Guarded(error, [&] {
        Lattix& g = GridOf(grid);
        g.ReadBoundRecordsToEnd();
        if (rows_read) rows_read[0] = g.BoundRecordSet() ? g.BoundRecordSet()->RowsRead() : 0;
    });
}

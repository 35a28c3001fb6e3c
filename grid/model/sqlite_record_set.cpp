#include "grid/model/sqlite_record_set.h"

#include <sqlite3.h>

#include "grid/automation/error_table.h"
#include "runtime/automation_error.h"

namespace lattix {

std::shared_ptr<SqliteRecordSet> SqliteRecordSet::Open(const std::string& path, const std::string& sql) {
    std::shared_ptr<SqliteRecordSet> rs(new SqliteRecordSet());
    const int rc = sqlite3_open_v2(path.c_str(), &rs->db_, SQLITE_OPEN_READONLY, nullptr);
    rs->ownsDb_ = true; // closed by the destructor also when the open failed
    if (rc != SQLITE_OK) rs->raise();
    rs->prepare(sql);
    return rs;
}

std::shared_ptr<SqliteRecordSet> SqliteRecordSet::Prepare(sqlite3* db, const std::string& sql) {
    if (!db) RaiseLattixError(lattix_error::kInvalidArgument);
    std::shared_ptr<SqliteRecordSet> rs(new SqliteRecordSet());
    rs->db_ = db;
    rs->prepare(sql);
    return rs;
}

SqliteRecordSet::~SqliteRecordSet() {
    sqlite3_finalize(stmt_);
    if (ownsDb_) sqlite3_close(db_);
}

void SqliteRecordSet::prepare(const std::string& sql) {
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) raise();
    if (!stmt_) throw AutomationError(kDatabaseError, "SQLite", "The query is empty.");
    const int n = sqlite3_column_count(stmt_);
    names_.reserve(static_cast<size_t>(n));
    kinds_.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const char* name = sqlite3_column_name(stmt_, i);
        const char* declared = sqlite3_column_decltype(stmt_, i);
        names_.emplace_back(name ? name : "");
        kinds_.push_back(FieldKindOfDeclaredType(declared ? declared : ""));
    }
}

void SqliteRecordSet::raise() const {
    throw AutomationError(kDatabaseError, "SQLite", db_ ? sqlite3_errmsg(db_) : "out of memory");
}

bool SqliteRecordSet::MoveNext() {
    if (atEnd_) return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return onRecord_ = true;
    onRecord_ = false;
    atEnd_ = true;
    if (rc != SQLITE_DONE) raise();
    return false;
}

Variant SqliteRecordSet::Value(int32_t field) const {
    if (!onRecord_ || field < 0 || field >= FieldCount())
        RaiseLattixError(lattix_error::kInvalidArgument);
    switch (sqlite3_column_type(stmt_, field)) {
    case SQLITE_NULL: return Variant::null();
    case SQLITE_INTEGER: return StorableInteger(sqlite3_column_int64(stmt_, field));
    case SQLITE_FLOAT: return Variant(sqlite3_column_double(stmt_, field));
    case SQLITE_BLOB: return Variant(BlobMarker(sqlite3_column_bytes(stmt_, field)));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, field));
        std::string s(text ? text : "", static_cast<size_t>(sqlite3_column_bytes(stmt_, field)));
        if (kinds_[static_cast<size_t>(field)] == FieldKind::Date) return DateFromText(s);
        return Variant(std::move(s));
    }
    }
}

} // namespace lattix

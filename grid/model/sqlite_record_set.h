// A record set over the result of one SQLite query (a prepared statement, stepped forward).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "grid/model/record_set.h"

struct sqlite3;
struct sqlite3_stmt;

namespace lattix {

class SqliteRecordSet final : public RecordSet {
public:
    // Opens the database file read-only and prepares the query. A file that does not open or a query
    // that does not prepare raises kDatabaseError with the database's message.
    static std::shared_ptr<SqliteRecordSet> Open(const std::string& path, const std::string& sql);
    // Prepares the query on a connection the caller keeps open for the record set's lifetime.
    static std::shared_ptr<SqliteRecordSet> Prepare(sqlite3* db, const std::string& sql);
    ~SqliteRecordSet() override;

    int32_t FieldCount() const override { return static_cast<int32_t>(names_.size()); }
    std::string FieldName(int32_t field) const override { return names_.at(static_cast<size_t>(field)); }
    FieldKind FieldKindOf(int32_t field) const override { return kinds_.at(static_cast<size_t>(field)); }
    // A step that fails raises kDatabaseError with the database's message.
    bool MoveNext() override;
    Variant Value(int32_t field) const override;

private:
    SqliteRecordSet() = default;
    void prepare(const std::string& sql);
    [[noreturn]] void raise() const;
    sqlite3* db_ = nullptr;
    bool ownsDb_ = false;
    sqlite3_stmt* stmt_ = nullptr;
    bool onRecord_ = false, atEnd_ = false;
    std::vector<std::string> names_;
    std::vector<FieldKind> kinds_;
};

// The error number a failing database reports through (the description is the database's message,
// the source "SQLite").
inline constexpr int32_t kDatabaseError = static_cast<int32_t>(0x80004005u);

} // namespace lattix

// Record sets: the records of a query result, as FillFromRS of the grid and of a drop-down list read
// them.
//
// Design. A record set is a forward-only cursor over a result of named fields:
//  - FieldCount() and FieldName(i) (fields counted from 0) are known before the first record;
//  - FieldKind(i) is the declared kind of a field (text, integer, real, date or unknown); the grid
//    takes a column's sort type from it;
//  - MoveNext() steps to the next record and returns false past the last one; a new record set
//    stands before its first record;
//  - Value(i) is the current record's field as a Variant.
// A source value that no Variant can carry exactly is turned into a text that says what it was
// (StorableInteger, BlobMarker): a row is never cut short and no number is silently rounded. A
// failing source (a query that does not prepare, a step that fails, a host callback reporting an
// error) raises an AutomationError carrying the source's own message.
//
// Implementations: SqliteRecordSet (grid/model/sqlite_record_set.h, a prepared query) and the C
// interface's callback table (bindings/c), on which the Python package adapts any DB-API cursor.
// A record set is an automation object, so that it can be passed as the RS argument of FillFromRS
// through Invoke; it publishes FieldCount, FieldName, FieldKind, MoveNext and Value.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/automation.h"

namespace lattix {

enum class FieldKind : int32_t { Unknown = 0, Text = 1, Integer = 2, Real = 3, Date = 4 };

class RecordSet : public AutomationObject {
public:
    virtual int32_t FieldCount() const = 0;
    virtual std::string FieldName(int32_t field) const = 0;
    virtual FieldKind FieldKindOf(int32_t field) const = 0;
    virtual bool MoveNext() = 0;
    virtual Variant Value(int32_t field) const = 0;

    const TypeInfo& typeInfo() const override;
    static const TypeInfo& ClassTypeInfo();

    // The field with that name (case-insensitive) or 1-based number; -1 when there is none.
    int32_t FindField(const Variant& nameOrNumber) const;
};

// The kind a declared column type names, by the usual affinity rules of SQL databases: "INT" anywhere
// is an integer, "CHAR", "CLOB" or "TEXT" a text, "REAL", "FLOA", "DOUB", "NUMERIC" or "DECIMAL" a real,
// "DATE" or "TIME" a date.
FieldKind FieldKindOfDeclaredType(const std::string& declared);

// An integer as the closest exact Variant: a 32-bit integer when it fits, a double while every
// integer is exact (|v| <= 2^53), else its decimal digits as text.
Variant StorableInteger(int64_t v);
// The same for an integer given by its decimal digits (a source with integers beyond 64 bits).
Variant StorableIntegerText(const std::string& digits);
// The text that stands in a cell for a binary value of that many bytes: "<blob: N bytes>".
std::string BlobMarker(int64_t bytes);
// A date written as text ("YYYY-MM-DD", optionally followed by " HH:MM" or " HH:MM:SS", a "T" also
// separating the time) as a Date; the text itself when it is no such date.
Variant DateFromText(const std::string& text);

} // namespace lattix

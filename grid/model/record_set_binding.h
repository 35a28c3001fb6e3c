// A record set shown in a grid without copying it: the grid is made virtual, with one column per
// field as FillFromRS makes them, and each row it asks for as rows come into view (painting,
// scrolling, paging, the arrow keys) is answered from the record set's cursor. Memory grows only with
// the rows a user has come to; a query of any length shows its first screen at once.
//
// The rules of a bound grid:
//  - a record the cursor fails to read raises the source's own error to whatever asked for the row
//    (a key, a scroll, a paint, a call), and no row is added for it;
//  - Ctrl+End, sorting, grouping and FillFromRS read the rest of the records first, since they need
//    every row; so does ReadRest;
//  - the host owns the record set: unbinding or destroying the grid releases the grid's reference
//    and closes nothing;
//  - other handlers of RequestRow and RequestRowData still hear of every row.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "runtime/variant.h"

namespace lattix {

class Lattix;
class RecordSet;

class RecordSetBinding : public std::enable_shared_from_this<RecordSetBinding> {
public:
    // Connects to the grid's row requests; the grid's columns must already be the fields'.
    static std::shared_ptr<RecordSetBinding> Connect(Lattix& grid, std::shared_ptr<RecordSet> records);
    RecordSetBinding(Lattix& grid, std::shared_ptr<RecordSet> records);
    ~RecordSetBinding();
    RecordSetBinding(const RecordSetBinding&) = delete;
    RecordSetBinding& operator=(const RecordSetBinding&) = delete;

    const std::shared_ptr<RecordSet>& Records() const { return records_; }
    int64_t RowsRead() const { return rowsRead_; }
    bool AtEnd() const { return atEnd_; }

private:
    // RequestRow: the next record's values are read (or the end reported) before the grid adds
    // the row; RequestRowData: they go into the new row's cells.
    void OnRequestRow(std::span<Variant> args);
    void OnRequestRowData(std::span<Variant> args);

    Lattix& grid_;
    std::shared_ptr<RecordSet> records_;
    struct FieldColumn {
        std::string key; // the column's key; empty: the column is known by its index
        int32_t index = 0;
    };
    std::vector<FieldColumn> columns_;
    std::vector<Variant> pending_;        // the record read for the row being added
    bool havePending_ = false;
    bool atEnd_ = false;
    int64_t rowsRead_ = 0;
    int cookie_ = 0;
};

} // namespace lattix

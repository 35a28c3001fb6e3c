// The row array: RowRecords in display order, with the all-zero record at position 0.
#pragma once

#include <cstdint>
#include <vector>

#include <algorithm>
#include <new>

#include "grid/model/big_array.h"
#include "grid/model/cell_storage.h"
#include "grid/model/row_record.h"

namespace lattix {

class RowTable {
public:
    using Records = BigArray<RowRecord>;

    RowTable() : rows_(1) {}
    ~RowTable() { releaseFrom(1); }
    RowTable(const RowTable&) = delete;
    RowTable& operator=(const RowTable&) = delete;

    int32_t count() const { return static_cast<int32_t>(rows_.size()) - 1; }
    RowRecord& operator[](int32_t pos) { return rows_[static_cast<size_t>(pos)]; }
    const RowRecord& operator[](int32_t pos) const { return rows_[static_cast<size_t>(pos)]; }

    // Makes room for `rows` rows without moving records later (throws std::bad_alloc).
    void reserve(int32_t rows) {
        size_t want = static_cast<size_t>(rows) + 1;
        if (!FitsInMemory(static_cast<uint64_t>(want) * sizeof(RowRecord))) throw std::bad_alloc();
        if (want > rows_.capacity()) rows_.reserve(std::max(want, rows_.capacity() + rows_.capacity() / 2));
    }
    // Inserts n zero records before position pos (pos = count() + 1 appends). Capacity must be reserved.
    void insertBlank(int32_t pos, int32_t n) {
        rows_.insert(rows_.begin() + pos, static_cast<size_t>(n), RowRecord{});
    }
    // Releases the key and tag of positions pos..pos+n-1 and removes the records.
    void erase(int32_t pos, int32_t n) {
        for (int32_t r = pos; r < pos + n; ++r) release(rows_[static_cast<size_t>(r)]);
        rows_.erase(rows_.begin() + pos, rows_.begin() + pos + n);
    }
    void truncate(int32_t n) { erase(n + 1, count() - n); }
    // Frees every row and its memory; the zero record stays.
    void clear() {
        releaseFrom(1);
        Records(1).swap(rows_);
    }

    static void setKey(RowRecord& r, const std::string& key) {
        if (key.empty()) {
            delete r.key;
            r.key = nullptr;
        } else if (r.key) {
            *r.key = key;
        } else {
            r.key = new std::string(key);
        }
    }
    static void setTag(RowRecord& r, const Variant& tag) {
        if (tag.isEmpty()) {
            delete r.tag;
            r.tag = nullptr;
        } else if (r.tag) {
            *r.tag = tag;
        } else {
            r.tag = new Variant(tag);
        }
    }
    static void release(RowRecord& r) {
        delete r.key;
        delete r.tag;
        r.key = nullptr;
        r.tag = nullptr;
    }

    Records& raw() { return rows_; }

private:
    void releaseFrom(int32_t pos) {
        for (size_t r = static_cast<size_t>(pos); r < rows_.size(); ++r) release(rows_[r]);
    }
    Records rows_;
};

} // namespace lattix

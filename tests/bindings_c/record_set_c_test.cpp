// Record sets from C: a callback table over the host's own rows, and a SQLite query.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "tests/bindings_c/c_test_support.h"

namespace {

using namespace cabi_test;

// Rows of the test: (name, amount); the value callback fails on the row `failAt` when set.
struct Rows {
    int next = 0;
    int count = 3;
    int failAt = -1;
    bool released = false;
};

int32_t MoveNext(void* user, int32_t* has, lx_error* error) {
    auto* rows = static_cast<Rows*>(user);
    if (rows->next == rows->failAt) {
        std::snprintf(error->source, sizeof error->source, "Ledger");
        std::snprintf(error->description, sizeof error->description, "the ledger is locked");
        return static_cast<int32_t>(0x80004005u);
    }
    *has = rows->next < rows->count ? 1 : 0;
    ++rows->next;
    return LX_OK;
}

int32_t Value(void* user, int32_t field, lx_variant* out, lx_error* error) {
    auto* rows = static_cast<Rows*>(user);
    if (field == 0) {
        const std::string name = "item " + std::to_string(rows->next);
        return lx_variant_set_string(out, name.data(), name.size(), error);
    }
    if (rows->next == 2) return lx_variant_set_blob_marker(out, 16, error);
    if (rows->next == 3) return lx_variant_set_integer_text(out, "123456789012345678901", error);
    out->type = LX_I4;
    out->value.i4 = rows->next * 10;
    return LX_OK;
}

void Release(void* user) { static_cast<Rows*>(user)->released = true; }

const lx_record_set_callbacks kCallbacks{MoveNext, Value, Release};
const char* const kNames[] = {"name", "amount"};
const int32_t kKinds[] = {LX_FIELD_TEXT, LX_FIELD_INTEGER};

class RecordSetC : public GridFixture {};

TEST_F(RecordSetC, CallbackTableFillsTheGrid) {
    Rows rows;
    lx_object* rs = nullptr;
    ASSERT_EQ(lx_record_set_create(2, kNames, kKinds, &kCallbacks, &rows, &rs, nullptr), LX_OK);
    EXPECT_STREQ(lx_object_class_name(rs), "RecordSet");
    lx_variant arg{};
    lx_variant_set_object(&arg, rs);
    ArgList args{arg};
    ASSERT_EQ(call("FillFromRS", LX_METHOD, args), LX_OK);
    EXPECT_EQ(getI4("RowCount"), 3);
    EXPECT_EQ(getI4("ColCount"), 2);
    Result text, blob, big;
    ArgList a1{I4(1), I4(1)}, a2{I4(2), I4(2)}, a3{I4(3), I4(2)};
    ASSERT_EQ(call("CellValue", LX_GET, a1, &text.v), LX_OK);
    ASSERT_EQ(call("CellValue", LX_GET, a2, &blob.v), LX_OK);
    ASSERT_EQ(call("CellValue", LX_GET, a3, &big.v), LX_OK);
    EXPECT_EQ(text.str(), "item 1");
    EXPECT_EQ(blob.str(), "<blob: 16 bytes>");
    EXPECT_EQ(big.str(), "123456789012345678901");
    EXPECT_EQ(getI4("CellValue", ArgList{I4(1), I4(2)}), 10);
    EXPECT_FALSE(rows.released); // the argument list still holds a reference
    lx_object_release(rs);
}

TEST_F(RecordSetC, AFailingCallbackReachesTheCallerAndChangesNothing) {
    addColumns(2);
    addRows(4);
    auto* rows = new Rows;
    rows->failAt = 2;
    lx_object* rs = nullptr;
    ASSERT_EQ(lx_record_set_create(2, kNames, nullptr, &kCallbacks, rows, &rs, nullptr), LX_OK);
    lx_variant arg{};
    lx_variant_set_object(&arg, rs);
    lx_object_release(rs);
    {
        ArgList args{arg};
        lx_error err{};
        EXPECT_EQ(call("FillFromRS", LX_METHOD, args, nullptr, &err), static_cast<int32_t>(0x80004005u));
        EXPECT_STREQ(err.source, "Ledger");
        EXPECT_STREQ(err.description, "the ledger is locked");
        EXPECT_EQ(getI4("RowCount"), 4);
        EXPECT_FALSE(rows->released);
    }
    // The last reference went with the argument list: the host's data is released.
    EXPECT_TRUE(rows->released);
    delete rows;
}

TEST_F(RecordSetC, BadArgumentsAndSqliteQueries) {
    Rows rows;
    lx_object* rs = nullptr;
    EXPECT_NE(lx_record_set_create(2, nullptr, nullptr, &kCallbacks, &rows, &rs, nullptr), LX_OK);
    EXPECT_TRUE(rows.released); // released by the failed call
    const int32_t badKinds[] = {0, 9};
    Rows rows2;
    EXPECT_EQ(lx_record_set_create(2, kNames, badKinds, &kCallbacks, &rows2, &rs, nullptr), static_cast<int32_t>(0x800A0005u));
    EXPECT_EQ(rs, nullptr);

    const std::string path = "/tmp/lattix_rs_c_" + std::to_string(getpid()) + ".db";
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE t (a TEXT, b REAL); INSERT INTO t VALUES ('x', 1.5), ('y', NULL);",
                           nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    lx_error err{};
    EXPECT_EQ(lx_record_set_sqlite(path.c_str(), "SELECT c FROM t", &rs, &err), static_cast<int32_t>(0x80004005u));
    EXPECT_STREQ(err.source, "SQLite");
    EXPECT_STREQ(err.description, "no such column: c");
    ASSERT_EQ(lx_record_set_sqlite(path.c_str(), "SELECT * FROM t", &rs, nullptr), LX_OK);
    lx_variant arg{};
    lx_variant_set_object(&arg, rs);
    lx_object_release(rs);
    ArgList args{arg, I4(1), Missing()};
    ASSERT_EQ(call("FillFromRS", LX_METHOD, args), LX_OK);
    EXPECT_EQ(getI4("RowCount"), 2);
    Result b;
    ASSERT_EQ(call("CellValue", LX_GET, ArgList{I4(2), I4(2)}, &b.v), LX_OK);
    EXPECT_EQ(b.v.type, LX_NULL);
    std::remove(path.c_str());
}

TEST_F(RecordSetC, ABoundRecordSetIsReadAsRowsComeIntoViewAndStaysTheHosts) {
    Rows rows;
    rows.count = 100000;
    lx_object* rs = nullptr;
    ASSERT_EQ(lx_record_set_create(1, kNames, kKinds, &kCallbacks, &rows, &rs, nullptr), LX_OK);
    EXPECT_EQ(lx_grid_bind_record_set(nullptr, rs, nullptr), static_cast<int32_t>(0x80004003u));
    EXPECT_EQ(lx_grid_bind_record_set(grid, nullptr, nullptr), static_cast<int32_t>(0x80004003u));
    ASSERT_EQ(lx_grid_bind_record_set(grid, rs, nullptr), LX_OK);
    ASSERT_EQ(lx_host_pump(host, nullptr), LX_OK);
    // A screen's worth of rows, no more.
    const int32_t shown = getI4("RowCount");
    EXPECT_GT(shown, 10);
    EXPECT_LT(shown, 60);
    EXPECT_EQ(rows.next, shown);
    Result first;
    ASSERT_EQ(call("CellValue", LX_GET, ArgList{I4(1), I4(1)}, &first.v), LX_OK);
    EXPECT_EQ(first.str(), "item 1");

    // A cursor that fails part way: the host's error, and the rows read before stay.
    rows.failAt = 1000;
    lx_error err{};
    int64_t read = 0;
    EXPECT_EQ(lx_grid_read_bound_records(grid, &read, &err), static_cast<int32_t>(0x80004005u));
    EXPECT_STREQ(err.description, "the ledger is locked");
    EXPECT_EQ(getI4("RowCount"), 1000);
    rows.failAt = -1;
    ASSERT_EQ(lx_grid_read_bound_records(grid, &read, nullptr), LX_OK);
    EXPECT_EQ(read, 100000);
    EXPECT_EQ(getI4("RowCount"), 100000);

    // Unbinding keeps the rows and leaves the record set to its owner.
    ASSERT_EQ(lx_grid_unbind_record_set(grid, nullptr), LX_OK);
    EXPECT_FALSE(rows.released);
    lx_object_release(rs);
    EXPECT_TRUE(rows.released);
    EXPECT_EQ(getI4("RowCount"), 100000);
}

} // namespace

namespace {

using namespace cabi_test;

// Drag and drop through the C host calls.
class DragDropC : public GridFixture {};

void OnDrop(void* user, lx_dispid_t, const char* name, lx_variant* args, const uint8_t*, int32_t) {
    if (std::string(name) != "OLEDragDrop") return;
    auto* got = static_cast<std::string*>(user);
    lx_variant fmt{};
    fmt.type = LX_I4;
    fmt.value.i4 = 1;
    lx_variant text{};
    lx_invoke_name(args[0].value.object, "GetData", LX_METHOD, &fmt, 1, nullptr, 0, &text, nullptr);
    if (text.type == LX_STRING) *got = std::string(text.value.str.data, text.value.str.length);
    lx_variant_clear(&text);
    lx_variant* effect = &args[1];
    lx_variant_clear(effect);
    effect->type = LX_I4;
    effect->value.i4 = 1;
}

TEST_F(DragDropC, TextDroppedAndCellsDraggedOut) {
    addColumns(2);
    addRows(2);
    std::string got;
    int32_t cookie = 0;
    ASSERT_EQ(lx_event_connect(grid, OnDrop, &got, &cookie, nullptr), LX_OK);
    int32_t effect = -1;
    ASSERT_EQ(lx_host_drop_text(host, 40, 30, "dropped", 3, 0, 1, &effect, nullptr), LX_OK);
    EXPECT_EQ(effect, 0); // OLEDropMode 0
    let("OLEDropMode", I4(1));
    ASSERT_EQ(lx_host_drop_text(host, 40, 30, "dropped", 3, 0, 1, &effect, nullptr), LX_OK);
    EXPECT_EQ(effect, 1);
    EXPECT_EQ(got, "dropped");

    ArgList cell{I4(1), I4(1)};
    ArgList value;
    value.add(I4(1)).add(I4(1)).str("out");
    ASSERT_EQ(call("CellValue", LX_LET, value), LX_OK);
    let("CurRow", I4(1));
    let("CurCol", I4(1));
    ASSERT_EQ(lx_host_script_drag(host, 2, 0, 0, 2, nullptr), LX_OK);
    ArgList none;
    ASSERT_EQ(call("OLEDrag", LX_METHOD, none), LX_OK);
    char buffer[64];
    int32_t needed = 0;
    ASSERT_EQ(lx_host_last_drag_text(host, buffer, sizeof buffer, &needed, nullptr), LX_OK);
    EXPECT_STREQ(buffer, "out\r\n");
    EXPECT_NE(lx_host_script_drag(host, 7, 0, 0, 0, nullptr), LX_OK);
}

} // namespace

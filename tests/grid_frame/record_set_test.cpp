// FillFromRS of the grid over real SQLite databases made by the tests.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/record_set.h"
#include "grid/model/sqlite_record_set.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace {

using lattix::AutomationError;
using lattix::Lattix;
using lattix::SqliteRecordSet;
using lattix::Variant;
using lattix::VarType;

// A database file in the temporary folder, removed again by the destructor.
class TempDatabase {
public:
    explicit TempDatabase(const std::string& script) {
        path_ = "/tmp/lattix_rs_" + std::to_string(getpid()) + "_" + std::to_string(++counter_) + ".db";
        std::remove(path_.c_str());
        EXPECT_EQ(sqlite3_open(path_.c_str(), &db_), SQLITE_OK);
        char* message = nullptr;
        EXPECT_EQ(sqlite3_exec(db_, script.c_str(), nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
        sqlite3_free(message);
    }
    ~TempDatabase() {
        sqlite3_close(db_);
        std::remove(path_.c_str());
    }
    const std::string& path() const { return path_; }
    sqlite3* db() const { return db_; }
    std::shared_ptr<SqliteRecordSet> query(const std::string& sql) const { return SqliteRecordSet::Open(path_, sql); }

private:
    static inline int counter_ = 0;
    std::string path_;
    sqlite3* db_ = nullptr;
};

const char* kFlocks = R"(
CREATE TABLE flocks (id TEXT, birds INTEGER, weight REAL, placed DATE, note TEXT);
INSERT INTO flocks VALUES ('A1', 12000, 2.35, '2024-05-01', 'first');
INSERT INTO flocks VALUES ('B2', 8500, 2.1, '2024-05-03 06:30', NULL);
INSERT INTO flocks VALUES ('C3', 3000000000, 1.95, 'soon', 'big');
)";

int LattixCode(const std::function<void()>& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return static_cast<int>(e.unsignedNumber() - 0x80040000u);
    }
    return 0;
}

TEST(FillFromRecordSet, ColumnsAndRowsFromAQuery) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    g->FillFromRS(*db.query("SELECT * FROM flocks ORDER BY id"), 1);
    ASSERT_EQ(g->ColCount(), 5);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->ColKey(1), "id");
    EXPECT_EQ(g->ColHeaderText(Variant(4)), "placed");
    EXPECT_EQ(g->ColIndex("weight"), 3);
    // Sort types follow the declared kinds: texts ignore case, numbers and dates by value.
    EXPECT_EQ(g->ColSortType(Variant("id")), 2);
    EXPECT_EQ(g->ColSortType(Variant("birds")), 0);
    EXPECT_EQ(g->ColSortType(Variant("placed")), 0);

    Variant id = g->CellValue(Variant(1), Variant("id"));
    EXPECT_EQ(id, Variant("A1"));
    EXPECT_EQ(g->CellValue(Variant(1), Variant("birds")), Variant(int32_t{12000}));
    EXPECT_EQ(g->CellValue(Variant(1), Variant("weight")), Variant(2.35));
    // Dates written as text become dates; a text that is no date stays text.
    Variant placed = g->CellValue(Variant(1), Variant("placed"));
    ASSERT_EQ(placed.type(), VarType::Date);
    EXPECT_EQ(lattix::ToString(placed), lattix::ToString(Variant(lattix::Date{45413.0})));
    Variant placedWithTime = g->CellValue(Variant(2), Variant("placed"));
    ASSERT_EQ(placedWithTime.type(), VarType::Date);
    EXPECT_DOUBLE_EQ(placedWithTime.get<lattix::Date>().serial, 45415.0 + 6.5 / 24);
    EXPECT_EQ(g->CellValue(Variant(3), Variant("placed")), Variant("soon"));
    EXPECT_TRUE(g->CellValue(Variant(2), Variant("note")).isNull());
    // An integer beyond 32 bits stays exact as a double.
    EXPECT_EQ(g->CellValue(Variant(3), Variant("birds")), Variant(3000000000.0));
}

TEST(FillFromRecordSet, EachModeTreatsColumnsAndRowsItsOwnWay) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(4);
    g->SetCellValue(Variant(1), Variant(1), Variant("old"));

    // 0: columns only, made again from the fields; no rows.
    g->FillFromRS(*db.query("SELECT id, birds FROM flocks"), 0);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->ColKey(2), "birds");
    EXPECT_EQ(g->RowCount(), 0);

    // 1: the columns stay; the records replace the rows.
    g->SetRowCount(5);
    g->FillFromRS(*db.query("SELECT id, birds FROM flocks ORDER BY id"), 1);
    EXPECT_EQ(g->ColCount(), 2);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->CellValue(Variant(3), Variant(1)), Variant("C3"));

    // 2: appended after the existing rows, each field to the column of its name.
    g->FillFromRS(*db.query("SELECT birds, id FROM flocks WHERE id = 'B2'"), 2);
    ASSERT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->CellValue(Variant(4), Variant("id")), Variant("B2"));
    EXPECT_EQ(g->CellValue(Variant(4), Variant("birds")), Variant(int32_t{8500}));
}

TEST(FillFromRecordSet, FieldsGoByPositionWhenNoColumnHasTheirName) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    g->SetColCount(2); // columns without keys
    g->FillFromRS(*db.query("SELECT id, birds, weight FROM flocks ORDER BY id"), 2);
    EXPECT_EQ(g->ColCount(), 2);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant("B2"));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(2)), Variant(int32_t{8500}));
}

TEST(FillFromRecordSet, RowKeysFromANamedOrNumberedField) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    g->FillFromRS(*db.query("SELECT * FROM flocks"), 1, Variant("ID"));
    EXPECT_EQ(g->RowIndex("B2"), 2);
    g->FillFromRS(*db.query("SELECT * FROM flocks"), 1, Variant(int32_t{5}));
    EXPECT_EQ(g->RowIndex("big"), 3);
    EXPECT_EQ(g->RowKey(2), ""); // a Null key field gives no key
}

TEST(FillFromRecordSet, AFailureChangesNothing) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    g->FillFromRS(*db.query("SELECT id, birds FROM flocks"), 1, Variant("id"));
    const int32_t rows = g->RowCount();

    // A key field that does not exist, a duplicate key within the records and one that an existing
    // row already has.
    EXPECT_EQ(LattixCode([&] { g->FillFromRS(*db.query("SELECT id FROM flocks"), 1, Variant("nope")); }), 514);
    EXPECT_EQ(LattixCode([&] { g->FillFromRS(*db.query("SELECT 'x' AS id UNION ALL SELECT 'x'"), 1, Variant("id")); }), 515);
    EXPECT_EQ(LattixCode([&] { g->FillFromRS(*db.query("SELECT id, birds FROM flocks"), 2, Variant("id")); }), 515);
    EXPECT_EQ(LattixCode([&] { g->FillFromRS(*db.query("SELECT id FROM flocks"), 3); }), 514);
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(g->RowIndex("A1"), 1);

    // A step that fails part way: the third record overflows.
    try {
        g->FillFromRS(*db.query("SELECT id, abs(birds - 12000 - 9223372036854775807 - 1) FROM flocks ORDER BY id"), 1);
        FAIL() << "the overflow was not reported";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.source(), "SQLite");
        EXPECT_NE(e.description().find("overflow"), std::string::npos) << e.description();
    }
    EXPECT_EQ(g->RowCount(), rows);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant("A1"));
}

TEST(FillFromRecordSet, AQueryThatFailsRaisesTheDatabasesMessage) {
    TempDatabase db(kFlocks);
    try {
        db.query("SELECT nosuch FROM flocks");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.unsignedNumber(), 0x80004005u);
        EXPECT_EQ(e.description(), "no such column: nosuch");
    }
    try {
        SqliteRecordSet::Open("/nonexistent/folder/x.db", "SELECT 1");
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.source(), "SQLite");
        EXPECT_FALSE(e.description().empty());
    }
}

TEST(FillFromRecordSet, ValuesNoCellCanCarryBecomeClearTexts) {
    TempDatabase db(R"(
CREATE TABLE odd (b BLOB, i INTEGER);
INSERT INTO odd VALUES (x'00010203', 9223372036854775807);
INSERT INTO odd VALUES (x'', -9007199254740993);
INSERT INTO odd VALUES (NULL, 9007199254740992);
)");
    auto g = Lattix::Create();
    g->FillFromRS(*db.query("SELECT b, i FROM odd"), 1);
    ASSERT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->CellValue(Variant(1), Variant(1)), Variant("<blob: 4 bytes>"));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(1)), Variant("<blob: 0 bytes>"));
    // Beyond the exact range of a double the digits are kept as text; inside it the number.
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant("9223372036854775807"));
    EXPECT_EQ(g->CellValue(Variant(2), Variant(2)), Variant("-9007199254740993"));
    EXPECT_EQ(g->CellValue(Variant(3), Variant(2)), Variant(9007199254740992.0));
    EXPECT_EQ(lattix::StorableIntegerText("123456789012345678901234567890"), Variant("123456789012345678901234567890"));
    EXPECT_EQ(lattix::StorableIntegerText("-42"), Variant(int32_t{-42}));
}

TEST(FillFromRecordSet, EmptyResultAndManyRows) {
    TempDatabase db(R"(
CREATE TABLE n (k INTEGER PRIMARY KEY, sq INTEGER, label TEXT);
WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 5000)
INSERT INTO n SELECT x, x * x, 'row ' || x FROM c;
)");
    auto g = Lattix::Create();
    g->FillFromRS(*db.query("SELECT * FROM n WHERE k < 0"), 1);
    EXPECT_EQ(g->ColCount(), 3); // the fields still make the columns
    EXPECT_EQ(g->RowCount(), 0);

    g->FillFromRS(*db.query("SELECT * FROM n ORDER BY k"), 1, Variant("label"));
    ASSERT_EQ(g->RowCount(), 5000);
    EXPECT_EQ(g->CellValue(Variant(4321), Variant("sq")), Variant(int32_t{4321 * 4321}));
    EXPECT_EQ(g->RowIndex("row 5000"), 5000);
    g->Sort(Variant("sq"));
    g->DoDefaultSort(Variant("label"), 0, 1);
    EXPECT_EQ(g->CellValue(Variant(1), Variant("label")), Variant("row 999"));
}

TEST(FillFromRecordSet, DatesWrittenAsText) {
    EXPECT_EQ(lattix::DateFromText("2024-02-30"), Variant("2024-02-30"));
    EXPECT_EQ(lattix::DateFromText("2024-02-29T23:59:59.250").type(), VarType::Date);
    EXPECT_EQ(lattix::DateFromText("2024-02-29 24:00"), Variant("2024-02-29 24:00"));
    EXPECT_EQ(lattix::DateFromText("2024-2-9"), Variant("2024-2-9"));
    EXPECT_EQ(lattix::DateFromText(""), Variant(""));
    EXPECT_EQ(lattix::FieldKindOfDeclaredType("varchar(20)"), lattix::FieldKind::Text);
    EXPECT_EQ(lattix::FieldKindOfDeclaredType("BIGINT"), lattix::FieldKind::Integer);
    EXPECT_EQ(lattix::FieldKindOfDeclaredType("timestamp"), lattix::FieldKind::Date);
    EXPECT_EQ(lattix::FieldKindOfDeclaredType(""), lattix::FieldKind::Unknown);
}

TEST(FillFromRecordSet, ThroughTheAutomationInterface) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    auto rs = db.query("SELECT id, weight FROM flocks");
    g->invoke("FillFromRS", lattix::InvokeKind::Method,
              std::vector<Variant>{Variant(std::static_pointer_cast<lattix::AutomationObject>(rs))});
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(LattixCode([&] { g->invoke("FillFromRS", lattix::InvokeKind::Method, std::vector<Variant>{Variant(5)}); }), 514);
    // The record set's own members.
    auto rs2 = db.query("SELECT id, weight FROM flocks ORDER BY id");
    EXPECT_EQ(rs2->invoke("FieldCount", lattix::InvokeKind::Get), Variant(int32_t{2}));
    EXPECT_EQ(rs2->invoke("FieldName", lattix::InvokeKind::Get, std::vector<Variant>{Variant(1)}), Variant("weight"));
    EXPECT_EQ(rs2->invoke("MoveNext", lattix::InvokeKind::Method), Variant(true));
    EXPECT_EQ(rs2->invoke("Value", lattix::InvokeKind::Get, std::vector<Variant>{Variant(0)}), Variant("A1"));
}

} // namespace

#include "grid/objects/combo_objects.h"

namespace {

TEST(FillFromRecordSet, ADropDownListTakesItemTextsAndValuesFromNamedFields) {
    TempDatabase db(kFlocks);
    auto g = Lattix::Create();
    auto list = g->Combos()->Add("flocks");
    list->AddItem("(none)", Variant(int32_t{0}));
    list->FillFromRS(*db.query("SELECT id, birds, note FROM flocks ORDER BY id"), Variant("ID"), Variant(int32_t{2}));
    ASSERT_EQ(list->ListCount(), 4); // appended after the existing item
    EXPECT_EQ(list->ItemText(1), "A1");
    EXPECT_EQ(list->ItemValue(2), Variant(int32_t{8500}));
    EXPECT_EQ(list->ValueIndex(Variant(3000000000.0)), 3);
    // Without a value field the items have none; a Null text is an empty text.
    list->FillFromRS(*db.query("SELECT note FROM flocks ORDER BY id"), Variant("note"));
    EXPECT_EQ(list->ItemText(5), "");
    EXPECT_EQ(list->ValueIndex(Variant()), -1);

    // A field that does not exist, or a record set that fails part way, adds nothing.
    EXPECT_EQ(LattixCode([&] { list->FillFromRS(*db.query("SELECT id FROM flocks"), Variant("nope")); }), 514);
    EXPECT_THROW(list->FillFromRS(*db.query("SELECT id, abs(birds - 12000 - 9223372036854775807 - 1) AS v FROM flocks ORDER BY id"),
                                  Variant("id"), Variant("v")),
                 AutomationError);
    EXPECT_EQ(list->ListCount(), 7);
    // Through the automation interface.
    g->Combos()->Add("ids")->invoke("FillFromRS", lattix::InvokeKind::Method,
                                    std::vector<Variant>{Variant(std::static_pointer_cast<lattix::AutomationObject>(db.query("SELECT id FROM flocks"))),
                                                         Variant(int32_t{1})});
}

} // namespace

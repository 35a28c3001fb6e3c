// Entry points of a live grid: a paste of any clipboard text, a record set of any field types and
// values, and any sequence of published member calls with any arguments, with event handlers that
// change the grid's structure from inside the operations that raise them.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <sqlite3.h>

#include "grid/lattix.h"
#include "grid/model/record_set.h"
#include "grid/model/sqlite_record_set.h"
#include "platform/headless/headless_host.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/targets/target_functions.h"

namespace lattix::fuzz {
namespace {

// What a call that raises must leave as it was.
struct GridState {
    int32_t rows = 0, cols = 0, curRow = 0, curCol = 0;
    std::vector<std::string> cells;
    bool operator==(const GridState&) const = default;
};

GridState StateOf(Lattix& grid) {
    GridState s{grid.RowCount(), grid.ColCount(), grid.CurRow(), grid.CurCol(), {}};
    for (int32_t r = 1; r <= s.rows; ++r)
        for (int32_t c = 1; c <= s.cols; ++c) s.cells.push_back(ToString(grid.CellValue(Variant(r), Variant(c))));
    return s;
}

// Counts, the current cell and every cell must be in range and readable after any step.
void CheckInvariants(Lattix& grid) {
    FUZZ_REQUIRE(grid.RowCount() >= 0 && grid.ColCount() >= 0);
    FUZZ_REQUIRE(grid.CurRow() >= 0 && grid.CurRow() <= grid.RowCount());
    FUZZ_REQUIRE(grid.CurCol() >= 0 && grid.CurCol() <= grid.ColCount() + 1);
    (void)StateOf(grid);
}

// A small grid of 3 columns and 4 rows of numbers and texts in a headless window.
struct SmallGrid {
    SmallGrid() : host(320, 200), grid(Lattix::Create()) {
        grid->AttachToWindow(host.TopLevel());
        grid->SetColCount(3);
        grid->SetRowCount(4);
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 3; ++c)
                grid->SetCellValue(Variant(r), Variant(c),
                                   c == 2 ? Variant(std::string(1, static_cast<char>('a' + r))) : Variant(r * 10 + c));
    }
    ~SmallGrid() { grid.reset(); }
    ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> grid;
};

Variant ArgumentFrom(FuzzInput& in) {
    switch (in.Pick(12)) {
    case 0: return Variant();
    case 1: return Variant::missing();
    case 2: return Variant::null();
    case 3: return Variant(static_cast<int32_t>(in.Between(-2, 12)));
    case 4: return Variant(static_cast<int32_t>(in.Between(0, 5)));
    case 5: return Variant(static_cast<int16_t>(in.Between(-1, 300)));
    case 6: {
        static const double odd[] = {0.5, -0.5, 1e300, -1e300, NAN, INFINITY, 2147483648.0, 1.0 / 3};
        return Variant(odd[in.Pick(std::size(odd))]);
    }
    case 7: return Variant(in.Flag());
    case 8: return Variant(in.Text(24));
    case 9: return Variant(std::string(in.Flag() ? "1" : "-1"));
    case 10: {
        const int64_t high = in.Between(0, 0x7fff);
        return Variant(static_cast<int32_t>(high * 0x10000 + in.Between(0, 0xffff)));
    }
    default: return Variant(static_cast<uint8_t>(in.Byte()));
    }
}

} // namespace

void FuzzPaste(std::span<const uint8_t> data) {
    FuzzInput in(data);
    SmallGrid g;
    const bool multi = in.Flag();
    g.grid->SetMultiSelect(multi);
    const int32_t curRow = in.Between(1, 4);
    g.grid->SetCurCell(Variant(curRow), Variant(in.Between(1, 3)));
    if (in.Flag() && multi) g.grid->SelectAll();
    g.host.AnswerNext(in.Flag() ? "Yes" : "No");
    g.host.SetClipboardTextExternally(in.Rest());
    const GridState before = StateOf(*g.grid);
    try {
        g.grid->PasteFromClipboard();
    } catch (const AutomationError&) {
        FUZZ_REQUIRE(StateOf(*g.grid) == before);
    }
    // A paste writes cells; it never adds or removes rows or columns of a grid that is not virtual.
    FUZZ_REQUIRE(g.grid->RowCount() == before.rows && g.grid->ColCount() == before.cols);
    CheckInvariants(*g.grid);
    (void)g.host.Render();
}

void FuzzRecordSet(std::span<const uint8_t> data) {
    FuzzInput in(data);
    sqlite3* db = nullptr;
    FUZZ_REQUIRE(sqlite3_open(":memory:", &db) == SQLITE_OK);
    // Columns with declared types taken from the input (letters, digits and spaces only).
    const int fields = in.Between(1, 4);
    std::string create = "CREATE TABLE t(";
    for (int f = 0; f < fields; ++f) {
        std::string type;
        for (char ch : in.Text(12))
            if (std::isalnum(static_cast<unsigned char>(ch)) || ch == ' ') type += ch;
        create += (f ? ", c" : "c") + std::to_string(f) + " " + type;
    }
    create += ")";
    bool ok = sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    const int rows = ok ? in.Between(0, 12) : 0;
    std::string insert = "INSERT INTO t VALUES(?";
    for (int f = 1; f < fields; ++f) insert += ",?";
    insert += ")";
    sqlite3_stmt* stmt = nullptr;
    if (ok) ok = sqlite3_prepare_v2(db, insert.c_str(), -1, &stmt, nullptr) == SQLITE_OK;
    for (int r = 0; ok && r < rows; ++r) {
        for (int f = 1; f <= fields; ++f) {
            switch (in.Pick(5)) {
            case 0: {
                int64_t v = 0;
                for (int i = 0; i < 8; ++i) v = (v << 8) | in.Byte();
                sqlite3_bind_int64(stmt, f, v);
                break;
            }
            case 1: {
                uint64_t bits = 0;
                for (int i = 0; i < 8; ++i) bits = (bits << 8) | in.Byte();
                double d;
                std::memcpy(&d, &bits, sizeof d);
                sqlite3_bind_double(stmt, f, d);
                break;
            }
            case 2: {
                const std::string s = in.Text(40);
                sqlite3_bind_text(stmt, f, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
                break;
            }
            case 3: {
                const std::string s = in.Text(40);
                sqlite3_bind_blob(stmt, f, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
                break;
            }
            default: sqlite3_bind_null(stmt, f); break;
            }
        }
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    if (ok) {
        SmallGrid g;
        const int32_t mode = in.Between(0, 3);
        const Variant keyField = in.Flag() ? Variant(static_cast<int32_t>(in.Between(0, fields + 1))) : Variant::missing();
        const GridState before = StateOf(*g.grid);
        try {
            auto rs = SqliteRecordSet::Prepare(db, "SELECT * FROM t");
            g.grid->FillFromRS(*rs, mode, keyField);
            CheckInvariants(*g.grid);
        } catch (const AutomationError&) {
            FUZZ_REQUIRE(StateOf(*g.grid) == before);
        }
        (void)g.host.Render();
    }
    // Field texts as a source hands them over: integers by their digits, dates as ISO text.
    const std::string text = in.Rest();
    const Variant integer = StorableIntegerText(text);
    if (!integer.isString()) FUZZ_REQUIRE(std::isfinite(ToDouble(integer)));
    const Variant date = DateFromText(text);
    if (date.isString()) FUZZ_REQUIRE(ToString(date) == text);
    sqlite3_close(db);
}

void FuzzMemberCalls(std::span<const uint8_t> data) {
    FuzzInput in(data);
    SmallGrid g;
    Lattix& grid = *g.grid;
    // A handler that changes the structure from inside whatever raised the event.
    const int handlerMode = static_cast<int>(in.Pick(5));
    const std::string handlerEvent = in.Flag() ? "" : std::string(in.Flag() ? "BeforeSelectionChange" : "CellDynamicIcons");
    int depth = 0;
    grid.events()->connect([&](const EventInfo& event, std::span<Variant>) {
        if (handlerMode == 0 || depth > 0) return;
        if (!handlerEvent.empty() && event.name != handlerEvent) return;
        ++depth;
        try {
            switch (handlerMode) {
            case 1: grid.SetColCount(0); break;
            case 2: grid.Clear(true); break;
            case 3: grid.SetRowCount(1); break;
            default: grid.SetColCount(grid.ColCount() + 1); break;
            }
        } catch (const AutomationError&) {
        }
        --depth;
    });
    // By name, so that an input means the same calls whatever order the tables were built in.
    std::vector<const MemberInfo*> members;
    for (const MemberInfo& m : grid.typeInfo().members()) members.push_back(&m);
    std::sort(members.begin(), members.end(), [](auto* a, auto* b) { return a->name < b->name; });
    for (int step = 0; step < 24 && !in.empty(); ++step) {
        const MemberInfo& member = *members[in.Pick(members.size())];
        if (member.name == "ShowAboutBox") continue;
        std::vector<InvokeKind> kinds;
        for (InvokeKind k : {InvokeKind::Method, InvokeKind::Get, InvokeKind::Let, InvokeKind::Set})
            if (member.supports(k)) kinds.push_back(k);
        const InvokeKind kind = kinds[in.Pick(kinds.size())];
        size_t count = member.params.size() + (kind == InvokeKind::Let || kind == InvokeKind::Set ? 1 : 0);
        if (in.Pick(8) == 0) count = in.Pick(count + 2);
        std::vector<Variant> args;
        for (size_t i = 0; i < count; ++i) args.push_back(ArgumentFrom(in));
        const GridState before = StateOf(grid);
        try {
            (void)grid.invoke(member.id, kind, args);
        } catch (const AutomationError&) {
            // Without a handler nothing else can have changed the grid.
            if (handlerMode == 0 && kind != InvokeKind::Get) FUZZ_REQUIRE(StateOf(grid) == before);
        }
        CheckInvariants(grid);
        if (in.Pick(4) == 0) {
            // Some input from the user between calls.
            // Each read is its own statement, left to right: the order in which a call's arguments
            // are evaluated is the compiler's, and an input must mean the same calls in every build
            // that replays it.
            switch (in.Pick(4)) {
            case 0: {
                const int x = in.Between(0, 319), y = in.Between(0, 199);
                g.host.Click(x, y);
                break;
            }
            case 1: {
                const auto key = static_cast<ui::VirtualKey>(in.Between(8, 0x7b));
                g.host.KeyPress(key, in.Pick(8));
                break;
            }
            case 2: {
                const int x = in.Between(0, 319), y = in.Between(0, 199);
                const int toX = in.Between(0, 319), toY = in.Between(0, 199);
                g.host.Drag(x, y, toX, toY);
                break;
            }
            default: g.host.TypeText(in.Text(4)); break;
            }
            CheckInvariants(grid);
        }
    }
    (void)g.host.Render();
}

} // namespace lattix::fuzz

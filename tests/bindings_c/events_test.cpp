// Event sinks: arguments in published order, by-reference arguments handed back, re-entrant calls,
// and connections ending with their handle.
#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

struct Seen {
    std::string name;
    lx_dispid_t id;
    std::vector<int32_t> ints;
    std::vector<uint8_t> byRef;
};

struct Recorder {
    std::vector<Seen> events;
    // When set, a BeforeRowCollapseExpand handler vetoes the default action.
    bool veto = false;
    // When set, the handler reads RowCount of this grid while the event runs.
    lx_object* reenter = nullptr;
    int32_t rowCountInside = -1;

    static void Sink(void* user, lx_dispid_t id, const char* name, lx_variant* args, const uint8_t* byRef,
                     int32_t n) {
        auto* self = static_cast<Recorder*>(user);
        Seen s{name, id, {}, {}};
        for (int32_t i = 0; i < n; ++i) {
            s.ints.push_back(args[i].type == LX_I4 ? args[i].value.i4 : -999);
            s.byRef.push_back(byRef[i]);
        }
        self->events.push_back(s);
        if (self->veto && std::string(name) == "BeforeRowCollapseExpand" && n == 3 && byRef[2]) {
            lx_variant_clear(&args[2]);
            args[2].type = LX_BOOL;
            args[2].value.boolean = 0;
        }
        if (self->reenter) {
            lx_variant r{};
            lx_invoke_name(self->reenter, "RowCount", LX_GET, nullptr, 0, nullptr, 0, &r, nullptr);
            self->rowCountInside = r.value.i4;
            lx_variant_clear(&r);
        }
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const Seen& s : events) out.push_back(s.name);
        return out;
    }
};

class EventsTest : public GridFixture {
protected:
    void SetUp() override {
        GridFixture::SetUp();
        addColumns(2);
        addRows(3);
    }
};

TEST_F(EventsTest, SinkReceivesEventsTheGridRaisesWithTheirArguments) {
    Recorder rec;
    rec.reenter = grid;
    int32_t cookie = 0;
    ASSERT_EQ(lx_event_connect(grid, &Recorder::Sink, &rec, &cookie, nullptr), LX_OK);
    let("CurCol", I4(1));
    rec.events.clear();
    let("CurRow", I4(2));

    const auto names = rec.names();
    ASSERT_NE(std::find(names.begin(), names.end(), "CurRowChange"), names.end());
    for (const Seen& s : rec.events) {
        if (s.name == "CurRowChange") {
            EXPECT_EQ(s.id, 27);
            EXPECT_EQ(s.ints, (std::vector<int32_t>{2, 0}));
            EXPECT_EQ(s.byRef, (std::vector<uint8_t>{0, 0}));
        }
        if (s.name == "CurCellChange") {
            EXPECT_EQ(s.ints, (std::vector<int32_t>{2, 1, 0, 1}));
        }
    }
    EXPECT_EQ(rec.rowCountInside, 3) << "the sink may call back into the grid";

    ASSERT_EQ(lx_event_disconnect(grid, cookie, nullptr), LX_OK);
    EXPECT_NE(lx_event_disconnect(grid, cookie, nullptr), LX_OK) << "a connection ends once";
    rec.events.clear();
    let("CurRow", I4(3));
    EXPECT_TRUE(rec.events.empty());
}

TEST_F(EventsTest, ByReferenceArgumentsWrittenBySinkReachTheGrid) {
    Recorder rec;
    int32_t cookie = 0;
    ASSERT_EQ(lx_event_connect(grid, &Recorder::Sink, &rec, &cookie, nullptr), LX_OK);
    // Make row 2 a child of row 1, so collapsing changes its visibility.
    ArgList level{I4(2), I4(1)};
    ASSERT_EQ(call("RowLevel", LX_LET, level), LX_OK);
    ArgList one{I4(1)};
    Result expanded;

    rec.veto = true;
    ASSERT_EQ(call("CollapseAllRows", LX_METHOD, ArgList{}), LX_OK);
    ASSERT_EQ(call("RowExpanded", LX_GET, one, &expanded.v), LX_OK);
    EXPECT_NE(expanded.v.value.boolean, 0) << "the sink cancelled the collapse";
    auto names = rec.names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "AfterRowCollapseExpand"), 0);
    ASSERT_FALSE(rec.events.empty());
    EXPECT_EQ(rec.events.back().byRef, (std::vector<uint8_t>{0, 0, 1}));

    rec.veto = false;
    rec.events.clear();
    ASSERT_EQ(call("CollapseAllRows", LX_METHOD, ArgList{}), LX_OK);
    Result after;
    ASSERT_EQ(call("RowExpanded", LX_GET, one, &after.v), LX_OK);
    EXPECT_EQ(after.v.value.boolean, 0);
    names = rec.names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "AfterRowCollapseExpand"), 1);
}

TEST_F(EventsTest, ConnectionsEndWithTheHandleTheyWereMadeThrough) {
    Recorder rec;
    lx_object* second = lx_host_grid(host);
    int32_t cookie = 0;
    ASSERT_EQ(lx_event_connect(second, &Recorder::Sink, &rec, &cookie, nullptr), LX_OK);
    EXPECT_NE(lx_event_disconnect(grid, cookie, nullptr), LX_OK) << "made through another handle";
    let("CurRow", I4(1));
    EXPECT_FALSE(rec.events.empty());
    lx_object_release(second);
    rec.events.clear();
    let("CurRow", I4(2));
    EXPECT_TRUE(rec.events.empty());
}

} // namespace

// Objects handed across the C interface: reference counts, identity, objects outliving their
// grid, and type information.
#include <algorithm>

#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

class ObjectsTest : public GridFixture {
protected:
    lx_object* header() {
        Result r;
        EXPECT_EQ(call("Header", LX_GET, ArgList{}, &r.v), LX_OK);
        EXPECT_EQ(r.v.type, LX_OBJECT);
        lx_object* h = r.v.value.object;
        lx_object_addref(h);
        return h;
    }
};

TEST_F(ObjectsTest, OwnedObjectsAreReachedLateBoundAndShareIdentity) {
    lx_object* h1 = header();
    lx_object* h2 = header();
    EXPECT_STREQ(lx_object_class_name(h1), "HeaderObject");
    EXPECT_NE(h1, h2) << "each hand-out is its own handle";
    EXPECT_EQ(lx_object_identity(h1), lx_object_identity(h2));
    EXPECT_NE(lx_object_identity(h1), lx_object_identity(grid));

    lx_variant h = I4(31);
    ASSERT_EQ(lx_invoke_name(h1, "Height", LX_LET, &h, 1, nullptr, 0, nullptr, nullptr), LX_OK);
    Result r;
    ASSERT_EQ(lx_invoke_name(h2, "Height", LX_GET, nullptr, 0, nullptr, 0, &r.v, nullptr), LX_OK);
    EXPECT_EQ(r.v.value.i4, 31);
    lx_object_release(h1);
    lx_object_release(h2);
}

TEST_F(ObjectsTest, ObjectsOutlivingTheirGridRaiseInsteadOfCrashing) {
    lx_object* h = header();
    lx_object* g2 = lx_host_grid(host);
    lx_object_addref(g2);
    lx_object_release(g2);
    lx_object_release(g2);
    lx_host_destroy(host);
    host = nullptr;
    // The fixture's handle still keeps the grid itself alive.
    EXPECT_EQ(getI4("ColCount"), 0);
    lx_object_release(grid);
    grid = nullptr;

    lx_error err{};
    Result r;
    EXPECT_EQ(static_cast<uint32_t>(lx_invoke_name(h, "Height", LX_GET, nullptr, 0, nullptr, 0, &r.v, &err)),
              0x8004020Au);
    EXPECT_STREQ(err.source, "Lattix");
    EXPECT_STREQ(err.description, "Illegal operation.");
    lx_object_release(h);
    lx_object_release(nullptr); // harmless
}

TEST_F(ObjectsTest, TypeInformationListsMembersParametersAndEvents) {
    const int32_t n = lx_member_count(grid);
    ASSERT_GT(n, 10);
    int32_t addRow = -1;
    for (int32_t i = 0; i < n; ++i) {
        lx_member_desc d{};
        ASSERT_EQ(lx_member_desc_at(grid, i, &d, nullptr), LX_OK);
        if (std::string(d.name) == "AddRow") addRow = i;
    }
    ASSERT_GE(addRow, 0);
    lx_member_desc d{};
    lx_member_desc_at(grid, addRow, &d, nullptr);
    EXPECT_EQ(d.kinds, LX_METHOD);
    ASSERT_EQ(d.param_count, 12);
    lx_param_desc p{};
    ASSERT_EQ(lx_member_param(grid, addRow, 0, &p, nullptr), LX_OK);
    EXPECT_STREQ(p.name, "sKey");
    EXPECT_TRUE(p.optional);
    EXPECT_FALSE(p.has_default) << "an omitted key stays omitted";
    ASSERT_EQ(lx_member_param(grid, addRow, 11, &p, nullptr), LX_OK);
    EXPECT_STREQ(p.name, "lCount");
    ASSERT_TRUE(p.has_default);
    Result def;
    ASSERT_EQ(lx_member_param_default(grid, addRow, 11, &def.v, nullptr), LX_OK);
    EXPECT_EQ(def.v.type, LX_I4);
    EXPECT_EQ(def.v.value.i4, 1);
    EXPECT_NE(lx_member_param_default(grid, addRow, 0, &def.v, nullptr), LX_OK);
    EXPECT_NE(lx_member_param(grid, addRow, 12, &p, nullptr), LX_OK);
    EXPECT_NE(lx_member_desc_at(grid, n, &d, nullptr), LX_OK);

    ASSERT_EQ(lx_event_count(grid), 91);
    lx_event_desc e{};
    ASSERT_EQ(lx_event_desc_at(grid, 26, &e, nullptr), LX_OK);
    EXPECT_STREQ(e.name, "CurRowChange");
    EXPECT_EQ(e.id, 27);
    ASSERT_EQ(e.param_count, 2);
    ASSERT_EQ(lx_event_param(grid, 26, 0, &p, nullptr), LX_OK);
    EXPECT_STREQ(p.name, "lNewRowIfAny");
    EXPECT_FALSE(p.by_ref);
    ASSERT_EQ(lx_event_desc_at(grid, 1, &e, nullptr), LX_OK); // BeforeCommitEdit(lRow, lCol, eResult*, ...)
    ASSERT_EQ(lx_event_param(grid, 1, 2, &p, nullptr), LX_OK);
    EXPECT_STREQ(p.name, "eResult");
    EXPECT_TRUE(p.by_ref);

    lx_object* h = header();
    EXPECT_EQ(lx_event_count(h), 0);
    int32_t cookie = 0;
    EXPECT_NE(lx_event_connect(h, [](void*, lx_dispid_t, const char*, lx_variant*, const uint8_t*, int32_t) {},
                               nullptr, &cookie, nullptr),
              LX_OK)
        << "the header raises no events";
    lx_object_release(h);
}

} // namespace

namespace {

TEST(Enumerations, ListEveryPublishedEnumerationWithItsConstants) {
    const int32_t n = lx_enum_count();
    ASSERT_EQ(n, 42);
    bool sawSortOrders = false;
    for (int32_t i = 0; i < n; ++i) {
        lx_enum_desc d{};
        ASSERT_EQ(lx_enum_desc_at(i, &d, nullptr), LX_OK);
        ASSERT_GT(d.constant_count, 0) << d.name;
        if (std::string(d.name) != "ESortOrders") continue;
        sawSortOrders = true;
        ASSERT_EQ(d.constant_count, 2);
        const char* name = nullptr;
        int32_t value = -1;
        ASSERT_EQ(lx_enum_constant(i, 1, &name, &value, nullptr), LX_OK);
        EXPECT_STREQ(name, "lxSortDesc");
        EXPECT_EQ(value, 1);
        EXPECT_NE(lx_enum_constant(i, 2, &name, &value, nullptr), LX_OK);
    }
    EXPECT_TRUE(sawSortOrders);
    lx_enum_desc d{};
    EXPECT_NE(lx_enum_desc_at(n, &d, nullptr), LX_OK);
    EXPECT_NE(lx_enum_desc_at(-1, &d, nullptr), LX_OK);
}

} // namespace

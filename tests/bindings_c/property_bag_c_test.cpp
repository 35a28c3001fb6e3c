// Property bags through the C interface.
#include <string>

#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {

std::string Text(lx_host* host, int32_t (*call)(lx_host*, char*, int32_t, int32_t*, lx_error*)) {
    int32_t needed = 0;
    EXPECT_EQ(call(host, nullptr, 0, &needed, nullptr), LX_OK);
    std::string buffer(static_cast<size_t>(needed), '\0');
    int32_t again = 0;
    EXPECT_EQ(call(host, buffer.data(), needed, &again, nullptr), LX_OK);
    EXPECT_EQ(again, needed);
    buffer.resize(static_cast<size_t>(needed - 1));
    return buffer;
}

TEST(PropertyBagC, SaveLoadAndChangedNames) {
    lx_host* a = nullptr;
    ASSERT_EQ(lx_host_create(200, 100, &a, nullptr), LX_OK);
    lx_object* grid = lx_host_grid(a);
    lx_variant indent = I4(20);
    ASSERT_EQ(lx_invoke_name(grid, "LevelIndent", LX_LET, &indent, 1, nullptr, 0, nullptr, nullptr), LX_OK);
    EXPECT_EQ(Text(a, lx_host_changed_properties), "LevelIndent\n");
    const std::string json = Text(a, lx_host_save_properties);
    EXPECT_NE(json.find("\"LevelIndent\": 20"), std::string::npos);

    lx_host* b = nullptr;
    ASSERT_EQ(lx_host_create_from_property_bag(json.c_str(), 200, 100, &b, nullptr), LX_OK);
    EXPECT_EQ(Text(b, lx_host_save_properties), json);
    // A refused entry fails the call and makes no host; so does text that is not a bag.
    lx_host* c = nullptr;
    lx_error err{};
    EXPECT_NE(lx_host_create_from_property_bag("{\"SelectionAlphaBlend\": 300}", 200, 100, &c, &err), LX_OK);
    EXPECT_EQ(c, nullptr);
    EXPECT_NE(lx_host_create_from_property_bag("[", 200, 100, &c, nullptr), LX_OK);
    EXPECT_EQ(c, nullptr);
    // The grid outlives its host without reporting to it.
    lx_host_destroy(a);
    ASSERT_EQ(lx_invoke_name(grid, "LevelIndent", LX_LET, &indent, 1, nullptr, 0, nullptr, nullptr), LX_OK);
    lx_object_release(grid);
    lx_host_destroy(b);
}

} // namespace

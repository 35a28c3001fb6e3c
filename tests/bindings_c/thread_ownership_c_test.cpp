// Calls of a grid, its objects and its host from a thread other than the one that created the host
// fail with 0x80040210 and a message, and change nothing.
#include <thread>

#include "tests/bindings_c/c_test_support.h"

using namespace cabi_test;

namespace {
constexpr int32_t kWrongThread = static_cast<int32_t>(0x80040210u);

void NoSink(void*, lx_dispid_t, const char*, lx_variant*, const uint8_t*, int32_t) {}

class ThreadOwnershipC : public GridFixture {
protected:
    // Runs `call` on a new thread and returns its result.
    template <class F> int32_t onOtherThread(F call) {
        int32_t rc = LX_OK;
        std::thread t([&] { rc = call(); });
        t.join();
        return rc;
    }
};
} // namespace

TEST_F(ThreadOwnershipC, MembersEventsAndHostRefuseAnotherThread) {
    let("ColCount", I4(3));
    let("RowCount", I4(4));
    lx_error error{};
    EXPECT_EQ(onOtherThread([&] {
                  ArgList nine{I4(9)};
                  return call("RowCount", LX_LET, nine, nullptr, &error);
              }),
              kWrongThread);
    EXPECT_EQ(error.number, kWrongThread);
    EXPECT_STREQ(error.source, "Lattix");
    EXPECT_STREQ(error.description, "Object used from a thread other than the one that created it.");
    EXPECT_EQ(onOtherThread([&] {
                  ArgList none;
                  return call("Clear", LX_METHOD, none);
              }),
              kWrongThread);
    int32_t cookie = 0;
    EXPECT_EQ(onOtherThread([&] { return lx_event_connect(grid, NoSink, nullptr, &cookie, nullptr); }), kWrongThread);
    EXPECT_EQ(onOtherThread([&] { return lx_host_key(host, 0x28, 0, nullptr); }), kWrongThread);
    EXPECT_EQ(onOtherThread([&] { return lx_host_click(host, 100, 60, 1, 0, nullptr); }), kWrongThread);
    EXPECT_EQ(onOtherThread([&] { return lx_host_resize(host, 100, 100, nullptr); }), kWrongThread);

    // Nothing changed, and the creating thread is served as before.
    EXPECT_EQ(getI4("RowCount"), 4);
    EXPECT_EQ(getI4("ColCount"), 3);
    int32_t width = 0, height = 0;
    ASSERT_EQ(lx_host_size(host, &width, &height), LX_OK);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(lx_event_connect(grid, NoSink, nullptr, &cookie, nullptr), LX_OK);
    EXPECT_EQ(lx_host_key(host, 0x28, 0, nullptr), LX_OK);
    let("RowCount", I4(9));
    EXPECT_EQ(getI4("RowCount"), 9);
}

// Small helpers for driving the C interface from tests.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bindings/c/lattix.h"

namespace cabi_test {

inline lx_variant I4(int32_t v) {
    lx_variant r{};
    r.type = LX_I4;
    r.value.i4 = v;
    return r;
}

inline lx_variant R8(double v) {
    lx_variant r{};
    r.type = LX_R8;
    r.value.r8 = v;
    return r;
}

inline lx_variant Bool(bool v) {
    lx_variant r{};
    r.type = LX_BOOL;
    r.value.boolean = v ? 1 : 0;
    return r;
}

inline lx_variant Missing() {
    lx_variant r{};
    r.type = LX_ERROR;
    r.value.error = LX_SCODE_MISSING;
    return r;
}

// Owns a list of argument variants and clears them at the end of the test step.
class ArgList {
public:
    ArgList() = default;
    ArgList(std::initializer_list<lx_variant> vars) : vars_(vars) {}
    ~ArgList() {
        for (lx_variant& v : vars_) lx_variant_clear(&v);
    }
    ArgList(const ArgList&) = delete;
    ArgList& operator=(const ArgList&) = delete;
    ArgList& str(const std::string& s) {
        lx_variant v{};
        EXPECT_EQ(lx_variant_set_string(&v, s.data(), s.size(), nullptr), LX_OK);
        vars_.push_back(v);
        return *this;
    }
    ArgList& add(lx_variant v) {
        vars_.push_back(v);
        return *this;
    }
    const lx_variant* data() const { return vars_.data(); }
    int32_t size() const { return static_cast<int32_t>(vars_.size()); }

private:
    std::vector<lx_variant> vars_;
};

// A variant result that clears itself.
struct Result {
    lx_variant v{};
    ~Result() { lx_variant_clear(&v); }
    std::string str() const { return v.type == LX_STRING ? std::string(v.value.str.data, v.value.str.length) : "<not a string>"; }
};

// A headless host and its grid.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lx_host_create(640, 480, &host, nullptr), LX_OK);
        grid = lx_host_grid(host);
        ASSERT_NE(grid, nullptr);
    }
    void TearDown() override {
        lx_object_release(grid);
        lx_host_destroy(host);
    }

    int32_t call(const char* name, int32_t kind, const ArgList& args, lx_variant* result = nullptr,
                 lx_error* error = nullptr) {
        return lx_invoke_name(grid, name, kind, args.data(), args.size(), nullptr, 0, result, error);
    }
    int32_t getI4(const char* name, const ArgList& args = {}) {
        Result r;
        EXPECT_EQ(call(name, LX_GET, args, &r.v), LX_OK) << name;
        EXPECT_EQ(r.v.type, LX_I4) << name;
        return r.v.value.i4;
    }
    void let(const char* name, lx_variant value) {
        ArgList args{value};
        ASSERT_EQ(call(name, LX_LET, args), LX_OK) << name;
    }
    void addColumns(int n) {
        for (int i = 0; i < n; ++i) {
            Result r;
            ArgList none;
            ASSERT_EQ(call("AddCol", LX_METHOD, none, &r.v), LX_OK);
        }
    }
    void addRows(int n) {
        ArgList none;
        lx_named_arg count{"lCount", I4(n)};
        ASSERT_EQ(lx_invoke_name(grid, "AddRow", LX_METHOD, none.data(), 0, &count, 1, nullptr, nullptr), LX_OK);
    }

    lx_host* host = nullptr;
    lx_object* grid = nullptr;
};

} // namespace cabi_test

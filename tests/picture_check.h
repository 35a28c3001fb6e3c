// Pixel-for-pixel comparison of a rendered picture with a reference PNG kept in the source tree.
// With LATTIX_UPDATE_PICTURES=1 in the environment the reference is (re)written instead; look at
// a new reference before committing it. On a mismatch the picture that was produced is written
// next to the test's temporary files so it can be inspected.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/png_writer.h"

#ifndef LATTIX_SOURCE_DIR
#error "LATTIX_SOURCE_DIR must name the source tree"
#endif

namespace lattix::test {

// `relative` is the reference's path below the source tree, e.g. "tests/theme/reference/x.png".
inline ::testing::AssertionResult MatchesReference(const gfx::Bitmap& actual, const std::string& relative) {
    namespace fs = std::filesystem;
    fs::path reference = fs::path(LATTIX_SOURCE_DIR) / relative;
    const char* update = std::getenv("LATTIX_UPDATE_PICTURES");
    if (update != nullptr && std::string(update) == "1") {
        fs::create_directories(reference.parent_path());
        gfx::writePng(actual, reference.string());
        return ::testing::AssertionSuccess() << "reference written: " << reference;
    }
    std::string produced = ::testing::TempDir() + fs::path(relative).filename().string();
    if (!fs::exists(reference)) {
        gfx::writePng(actual, produced);
        return ::testing::AssertionFailure() << "no reference " << reference << "; picture written to " << produced;
    }
    gfx::Bitmap expected = gfx::readPng(reference.string());
    if (expected.width() != actual.width() || expected.height() != actual.height()) {
        gfx::writePng(actual, produced);
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " differs from "
                                             << expected.width() << "x" << expected.height() << "; picture written to "
                                             << produced;
    }
    int differing = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.colorAt(x, y) != expected.colorAt(x, y) && differing++ == 0) firstX = x, firstY = y;
    if (differing == 0) return ::testing::AssertionSuccess();
    gfx::writePng(actual, produced);
    return ::testing::AssertionFailure() << differing << " pixels differ from " << reference << ", first at (" << firstX
                                         << ", " << firstY << "); picture written to " << produced;
}

} // namespace lattix::test

// No lost data: every file the program writes replaces the old one in one step, and a write that
// fails (a read-only folder, a full disk) keeps the old file and tells the user.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/flock_data.h"
#include "app/core/flock_file.h"
#include "app/core/messages.h"
#include "app/core/regression.h"
#include "app/core/text_file.h"
#include "read_only_folder.h"
#include "test_support.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;

// Everything in the folder: names and contents.
std::map<std::string, std::string> Contents(const test::ScratchFolder& dir) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(dir.str()))
        files[e.path().filename().string()] = dir.Read(e.path().filename().string());
    return files;
}

class SafeWrite : public ::testing::Test {
protected:
    test::ScratchFolder dir;
    ProgramState state;
    ScriptedDialogs dialogs;
    FlockGridTexts rows{};

    void SetUp() override {
        ResetForStart(state);
        state.FlockFilePath = dir.str() + "Broiler.grd";
        dir.Write("Broiler.grd", "Old\t1\t2\tM\t30\r\n");
        dir.Write("regvals.txt", "old report\r\n");
        rows[0] = {"New", "100", "2.5", "F", "35"};
    }
};

TEST_F(SafeWrite, ReplacesTheFileWholeAndLeavesNothingBeside) {
    ASSERT_TRUE(savefile(state, dialogs, rows));
    EXPECT_EQ(dir.Read("Broiler.grd").substr(0, 18), "New\t100\t2.5\tF\t35\r\n");
    EXPECT_EQ(Contents(dir).size(), 2u) << "no temporary file is left";
    EXPECT_TRUE(dialogs.messages.empty());
    // The permissions of the old file are kept.
    fs::permissions(dir.str() + "Broiler.grd", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(savefile(state, dialogs, rows));
    EXPECT_EQ(fs::status(dir.str() + "Broiler.grd").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeWrite, ReadOnlyFolderKeepsTheOldFlockFileAndReport) {
    const auto before = Contents(dir);
    test::ReadOnlyFolder readOnly(dir.str());
    if (!readOnly.active()) GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_FALSE(savefile(state, dialogs, rows));
    EXPECT_EQ(dialogs.messages.back(), WithPath(kMsgCannotWrite, state.FlockFilePath));
    Regression(state, dialogs, dir.str() + "regvals.txt");
    EXPECT_EQ(dialogs.messages.back(), WithPath(kMsgCannotWrite, dir.str() + "regvals.txt"));
    EXPECT_EQ(Contents(dir), before);
}

TEST_F(SafeWrite, FailingStreamKeepsTheOldFile) {
    const auto before = Contents(dir);
    // A full disk: the stream goes bad half way through.
    EXPECT_FALSE(WriteFileAtomically(dir.str() + "Broiler.grd", [](std::ostream& out) {
        out << "Half\t1";
        out.setstate(std::ios::badbit);
        return true;
    }));
    // A writer that gives up.
    EXPECT_FALSE(WriteFileAtomically(dir.str() + "regvals.txt", [](std::ostream& out) {
        out << "partial";
        return false;
    }));
    EXPECT_FALSE(WriteFileThrough(dir.str() + "regvals.txt", [](const std::string&) { return false; }));
    // A folder where a file should be, and no file name at all.
    fs::create_directory(dir.str() + "sub");
    EXPECT_FALSE(WriteFileAtomically(dir.str() + "sub", "x"));
    EXPECT_FALSE(WriteFileAtomically("", "x"));
    fs::remove(dir.str() + "sub");
    EXPECT_EQ(Contents(dir), before) << "old files intact, no temporary file left";
}

} // namespace
} // namespace avigram

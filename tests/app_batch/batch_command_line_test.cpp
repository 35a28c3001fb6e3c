// The command line of the batch front end and its exit status, run as the built program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>

#include "app/batch/batch_options.h"
#include "app/batch/batch_run.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;

TEST(BatchCommandLine, OptionsAndUsageErrors) {
    ParsedCommandLine ok = ParseBatchCommandLine({"--batch", "--carcass=a CARCDATA.txt", "--out", "o",
                                                  "--min", "1,5", "--classes", "10", "--decimal-comma"});
    ASSERT_TRUE(ok.options);
    EXPECT_EQ(ok.options->carcass, "a CARCDATA.txt");
    EXPECT_EQ(ok.options->out, "o");
    EXPECT_EQ(ok.options->minText, "1,5");
    EXPECT_EQ(ok.options->classesText, "10");
    EXPECT_FALSE(ok.options->maxText);
    EXPECT_TRUE(ok.options->decimalComma);

    const std::vector<std::vector<std::string>> bad = {
        {"--carcass", "c", "--out", "o"},                     // no --batch
        {"--batch", "--out", "o"},                            // no carcass file
        {"--batch", "--carcass", "c"},                        // no output folder
        {"--batch", "--carcass", "c", "--out"},               // value missing
        {"--batch", "--carcass", "c", "--out", "o", "--xyz"}, // unknown option
        {"--batch=1", "--carcass", "c", "--out", "o"},
    };
    for (const auto& args : bad) {
        std::ostringstream out, err;
        EXPECT_EQ(RunBatchCommandLine(args, ".", out, err), kBatchUnusable);
        const std::string text = err.str();
        EXPECT_EQ(text.rfind("avigram: ", 0), 0u) << text;
        EXPECT_EQ(text.substr(text.find('\n') + 1), BatchUsage() + "\n") << text; // the reason, then the usage
    }
}

struct ProgramResult {
    int status = -1;
    std::string err;
};

ProgramResult RunProgram(const std::string& arguments) {
    static std::mt19937_64 counter(std::random_device{}());
    const fs::path errFile = fs::temp_directory_path() / ("avigram_err_" + std::to_string(counter()));
    const std::string command =
        std::string("'") + AVIGRAM_EXE + "' " + arguments + " >/dev/null 2>'" + errFile.string() + "'";
    ProgramResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(errFile);
    result.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    fs::remove(errFile);
    return result;
}

TEST(BatchProgram, ExitStatusAndReasons) {
    const fs::path out = fs::temp_directory_path() / "avigram_program_test_out";
    ProgramResult usage = RunProgram("--batch --out '" + out.string() + "'");
    EXPECT_EQ(usage.status, kBatchUnusable);
    EXPECT_NE(usage.err.find("--carcass FILE is required"), std::string::npos) << usage.err;

    ProgramResult missing =
        RunProgram("--batch --carcass /nonexistent/XCARCDATA.txt --out '" + out.string() + "'");
    EXPECT_EQ(missing.status, kBatchUnusable);
    EXPECT_EQ(missing.err, "avigram: cannot read the carcass file /nonexistent/XCARCDATA.txt\n");

    ProgramResult flocks =
        RunProgram(std::string("--batch --carcass '") + AVIGRAM_DATA_DIR +
                   "/BroilerCARCDATA.txt' --flocks /nonexistent/x.grd --out '" + out.string() + "'");
    EXPECT_EQ(flocks.status, kBatchUnusable);
    EXPECT_EQ(flocks.err.find('\n'), flocks.err.size() - 1);

    ProgramResult ok = RunProgram(std::string("--batch --carcass '") + AVIGRAM_DATA_DIR +
                                  "/BroilerCARCDATA.txt' --out '" + out.string() + "'");
    EXPECT_EQ(ok.status, kBatchOk);
    EXPECT_EQ(ok.err, "");
    EXPECT_TRUE(fs::exists(out / "grids.json"));
    EXPECT_TRUE(fs::exists(out / "regvals.txt"));
    EXPECT_TRUE(fs::exists(out / "WtDist.txt"));
    fs::remove_all(out);
}

} // namespace
} // namespace avigram

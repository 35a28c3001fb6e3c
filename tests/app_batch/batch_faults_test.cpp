// The batch front end tried as a new user would: every way a run can go wrong gives its message on
// standard error, the exit status says what happened (0 clean, 2 a problem reported, 1 unusable
// input or command line), and a run that cannot produce its results changes no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "app/batch/batch_run.h"
#include "../app_core/read_only_folder.h"
#include "reference_model.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;
const std::string kData = AVIGRAM_DATA_DIR;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class BatchFaults : public ::testing::Test {
protected:
    BatchFaults() {
        static std::mt19937_64 counter(std::random_device{}());
        root_ = fs::temp_directory_path() / ("avigram_faults_" + std::to_string(counter()));
        in_ = root_ / "in";
        out_ = root_ / "out";
        fs::create_directories(in_);
        fs::create_directories(out_);
        fs::copy_file(kData + "/BroilerCARCDATA.txt", in_ / "BroilerCARCDATA.txt");
        fs::copy_file(kData + "/Broiler.clb", in_ / "Broiler.clb");
        fs::copy_file(kData + "/Broiler.grd", in_ / "Broiler.grd");
        // Results of an earlier run that a failed run must leave alone.
        for (const char* name : {"regvals.txt", "WtDist.txt", "grids.json"})
            std::ofstream(out_ / name, std::ios::binary) << "earlier " << name;
    }
    ~BatchFaults() override {
        std::error_code ec;
        fs::permissions(out_, fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }

    struct Result {
        int status = -1;
        std::string out, err;
    };
    Result Run(std::vector<std::string> extra, bool withOut = true) {
        std::vector<std::string> args = {"--batch", "--carcass", (in_ / "BroilerCARCDATA.txt").string()};
        if (withOut) args.insert(args.end(), {"--out", out_.string()});
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out, err;
        Result r;
        r.status = RunBatchCommandLine(args, in_.string(), out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }
    void WriteIn(const std::string& name, const std::string& bytes) {
        std::ofstream(in_ / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    std::map<std::string, std::string> OutFiles() const {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::directory_iterator(out_))
            files[e.path().filename().string()] = Slurp(e.path());
        return files;
    }
    nlohmann::json Grids() const { return nlohmann::json::parse(Slurp(out_ / "grids.json")); }
    // The message lines on standard error must be the message boxes of the run, in order.
    static void ExpectMessagesEchoed(const Result& r, const nlohmann::json& grids) {
        std::string echoed;
        for (const auto& m : grids["messages"])
            echoed += "avigram: " + m.get<std::string>() + "\n";
        EXPECT_EQ(r.err, echoed);
    }

    fs::path root_, in_, out_;
};

// Unusable carcass files stop the run with status 1 and write nothing.
TEST_F(BatchFaults, UnusableCarcassFilesChangeNoOutputFile) {
    const auto before = OutFiles();
    std::vector<std::string> lines = reference::Lines(kData + "/BroilerCARCDATA.txt");
    std::string huge = lines[0] + "\r\n";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (i == 40) line.replace(line.find("\tMales\t") + 7, line.find('\t', line.find("\tMales\t") + 7) - line.find("\tMales\t") - 7, "1e308");
        huge += line + "\r\n";
    }
    const std::string file = (in_ / "BroilerCARCDATA.txt").string();
    const std::pair<std::string, std::string> cases[] = {
        {"", "avigram: There is an error in the file, check name and restart\n"},
        {std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0", 16),
         "avigram: The file " + file + " is not a carcass file (it holds binary data)\n"},
        {huge, "avigram: The carcass file " + file + ", line 41, field \"Body Wt\": 1e308 cannot be used as a weight\n"},
    };
    for (const auto& [bytes, message] : cases) {
        WriteIn("BroilerCARCDATA.txt", bytes);
        Result r = Run({});
        EXPECT_EQ(r.status, kBatchUnusable) << message;
        EXPECT_EQ(r.err.substr(0, message.size()), message);
        EXPECT_NE(r.err.find("avigram: the carcass file " + file + " cannot be used; nothing was written\n"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(OutFiles(), before) << message;
    }
}

// Short carcass lines are read with the missing weights as 0 and named once: a table with fewer
// parts gives its results (status 2 for the message), and so does a file cut short, with the sexes
// it still holds.
TEST_F(BatchFaults, ShortCarcassLinesAreReadAndNamed) {
    std::vector<std::string> lines = reference::Lines(kData + "/BroilerCARCDATA.txt");
    std::string fewer = lines[0] + "\r\n";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::size_t end = 0;
        for (int field = 0; field < 20; ++field)
            end = lines[i].find('\t', end) + 1;
        fewer += lines[i].substr(0, end - 1) + "\r\n"; // age, sex, body weight and 17 parts
    }
    WriteIn("BroilerCARCDATA.txt", fewer);
    const std::string file = (in_ / "BroilerCARCDATA.txt").string();
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchProblemReported);
    EXPECT_EQ(r.err, "avigram: The carcass file " + file + ", lines 2-" + std::to_string(lines.size()) +
                         ": as few as 20 of the 30 fields; the missing weights are read as 0\n");
    nlohmann::json grids = Grids();
    EXPECT_EQ(grids["Grid1"]["text"][4][3], "141500"); // every sample flock is there
    EXPECT_NE(Slurp(out_ / "regvals.txt"), "earlier regvals.txt");
    EXPECT_NE(Slurp(out_ / "WtDist.txt"), "earlier WtDist.txt");

    // Cut short in its last line: that line is named, its missing weights are 0, the rest as ever.
    std::string cut = Slurp(kData + "/BroilerCARCDATA.txt");
    cut.resize(cut.size() - 60);
    const std::string lastLine = cut.substr(cut.rfind('\n') + 1);
    ASSERT_EQ(lastLine.rfind("50\tFemales\t3132.1\t", 0), 0u);
    WriteIn("BroilerCARCDATA.txt", cut);
    r = Run({});
    EXPECT_EQ(r.status, kBatchProblemReported);
    EXPECT_EQ(r.err, "avigram: The carcass file " + file + ", line 94: only " +
                         std::to_string(std::count(lastLine.begin(), lastLine.end(), '\t') + 1) +
                         " of the 30 fields; the missing weights are read as 0\n");
    EXPECT_EQ(Grids()["Grid1"]["text"][4][3], "141500");
}

// A flock a day older than the table is computed with the table's last day, as if it were that old;
// only an age the table cannot reach is refused.
TEST_F(BatchFaults, AFlockOlderThanTheTableUsesItsLastDay) {
    WriteIn("Broiler.grd", "House 7\t21000\t2.5\tX\t50\r\n");
    ASSERT_EQ(Run({}).status, kBatchOk);
    const nlohmann::json atFifty = Grids()["Grid1"];
    WriteIn("Broiler.grd", "House 7\t21000\t2.5\tX\t51\r\n");
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchOk) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Grids()["Grid1"], atFifty);
    EXPECT_EQ(Grids()["GridFlock"]["text"][0][5], "51");

    WriteIn("Broiler.grd", "House 7\t21000\t2.5\tX\t51\r\nChick\t1000\t0.7\tM\t19\r\n");
    r = Run({});
    EXPECT_EQ(r.status, kBatchProblemReported);
    EXPECT_EQ(r.err, "avigram: The flock file " + (in_ / "Broiler.grd").string() +
                         ", line 2, field \"Flock Age\": \"19\" lies outside the ages of the carcass table (20 to "
                         "50 days); the line is left out and row 2 stays empty\n");
}

// A parts list longer than the four blocks beside the flocks: what fits is placed, the rest named.
TEST_F(BatchFaults, PartsListItemsThatDoNotFitAreNamed) {
    std::string items;
    for (int i = 1; i <= 42; ++i)
        items += "Part " + std::to_string(i) + (i % 7 == 0 ? "\r\n" : ",");
    WriteIn("BroilerPARTS.txt", items);
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchProblemReported);
    EXPECT_EQ(r.err, "avigram: The parts list " + (in_ / "BroilerPARTS.txt").string() +
                         ": only 4 columns of items fit beside the flocks; \"Part 41\" and \"Part 42\" are left "
                         "out\n");
    const nlohmann::json grids = Grids();
    const nlohmann::json& g1 = grids["Grid1"];
    EXPECT_EQ(g1["text"][6][11], "Part 1");   // row 7, column 6 flocks + 6
    EXPECT_EQ(g1["text"][15][17], "Part 40"); // row 16, column 6 flocks + 12
}

TEST_F(BatchFaults, NoFlockFileIsUnusableInput) {
    const auto before = OutFiles();
    fs::remove(in_ / "Broiler.grd");
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchUnusable);
    EXPECT_EQ(r.err, "avigram: no flock file: " + (in_ / "Broiler.grd").string() +
                         " does not exist; name one with --flocks FILE\n");
    EXPECT_EQ(OutFiles(), before);
}

TEST_F(BatchFaults, OptionsAreCheckedWithClearMessages) {
    const auto before = OutFiles();
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--cv", "abc"}, "--cv must be a number above 0 and at most 1 (e.g. 0.1), not \"abc\""},
        {{"--cv", "-0.5"}, "--cv must be a number above 0 and at most 1 (e.g. 0.1), not \"-0.5\""},
        {{"--cv", "0"}, "--cv must be a number above 0 and at most 1 (e.g. 0.1), not \"0\""},
        {{"--classes", "100000000"}, "--classes must be a whole number from 1 to 20, not \"100000000\""},
        {{"--classes", "2.5"}, "--classes must be a whole number from 1 to 20, not \"2.5\""},
        {{"--min", "5", "--max", "1"}, "--min (5) must be below --max (1)"},
        {{"--width", "-0.1"}, "--width must be a number of 0 or more (0: worked out from the flocks), not \"-0.1\""},
        {{"--min", "1.5kg"}, "--min must be a number of 0 or more (0: worked out from the flocks), not \"1.5kg\""},
        {{"--flocks="}, "--flocks needs a file name"},
    };
    for (const auto& [extra, message] : cases) {
        Result r = Run(extra);
        EXPECT_EQ(r.status, kBatchUnusable) << message;
        EXPECT_EQ(r.err, "avigram: " + message + "\n" + BatchUsage() + "\n");
        EXPECT_EQ(OutFiles(), before) << message;
    }
    // Good values in both notations pass.
    EXPECT_EQ(Run({"--cv", "0,08", "--classes", "12", "--min", "1,5", "--max", "3.5"}).status, kBatchOk);
}

TEST_F(BatchFaults, HelpSaysWhatTheProgramDoesAndWhichUnitsTheCarcassFileNeeds) {
    Result r = Run({"--help"}, false);
    EXPECT_EQ(r.status, kBatchOk);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, BatchHelp());
    for (const char* text : {"--csv", "--xlsx", "--charts", "carcass file in grams", "carcass file in kg (read as lb)",
                             "carcass file in kg (read as g)", "Exit status"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
}

// Flock lines with values the flock window would refuse are reported and left out, their rows left
// empty, and the run goes on with the flocks down to the first empty row: status 2, each message on
// standard error and in grids.json. A flock older than the table (400 days) is computed at its
// last day.
TEST_F(BatchFaults, ImpossibleFlockLinesAreReportedAndLeftOut) {
    WriteIn("Broiler.grd", "House 1\t24000\t2.83\tM\t40\r\n"
                           "Minus\t-500\t2.1\tF\t38\r\n"
                           "Plenty\t1e20\t2.5\tX\t39\r\n"
                           "Queer\t18500\t3.14\tQ\t44\r\n"
                           "Ancient\t26000\t2.08\tX\t400\r\n"
                           "House 6\t21000\t2.50\tF\t42\r\n");
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchProblemReported);
    const std::string f = "The flock file " + (in_ / "Broiler.grd").string() + ", line ";
    const nlohmann::json grids = Grids();
    EXPECT_EQ(grids["messages"],
              nlohmann::json::array({
                  f + "2, field \"Number of birds\": \"-500\" is negative; the line is left out and row 2 stays "
                      "empty, so the flocks below it are not used until it is filled",
                  f + "3, field \"Number of birds\": \"1e20\" cannot be represented (at most 2147483647 birds); "
                      "the line is left out and row 3 stays empty",
                  f + "4, field \"Flock Sex\": \"Q\" is not a sex code (X mixed, M males, F females); the line is "
                      "left out and row 4 stays empty",
              }));
    ExpectMessagesEchoed(r, grids);
    // Each flock in the row of its line.
    const auto& flock = grids["GridFlock"]["text"];
    EXPECT_EQ(flock[0][1], "House 1");
    for (int row : {1, 2, 3})
        for (int col = 1; col <= 5; ++col)
            EXPECT_EQ(flock[row][col], "") << row << " " << col;
    EXPECT_EQ(flock[4][1], "Ancient");
    EXPECT_EQ(flock[4][5], "400");
    EXPECT_EQ(flock[5][1], "House 6");
    EXPECT_EQ(grids["Grid1"]["text"][4][3], "24000"); // total birds: House 1, down to the empty row 2
    EXPECT_NE(Slurp(out_ / "regvals.txt"), "earlier regvals.txt");
}

TEST_F(BatchFaults, DecimalCommaInAFlockFileKeepsSexAndAge) {
    WriteIn("Broiler.grd", "House 1\t24000\t2,83\tM\t40\r\n");
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchOk) << r.err;
    EXPECT_EQ(r.err, "");
    const nlohmann::json grids = Grids();
    const auto& row = grids["GridFlock"]["text"][0];
    EXPECT_EQ(row[3], "2.83");
    EXPECT_EQ(row[4], "M");
    EXPECT_EQ(row[5], "40");
}

TEST_F(BatchFaults, FlockFileThatIsNoFlockFileIsUnusableInput) {
    const auto before = OutFiles();
    WriteIn("Broiler.grd", "House 1,24000,2.83,M,40\r\nHouse 2,22000,2.12,F,38\r\n");
    Result r = Run({});
    EXPECT_EQ(r.status, kBatchUnusable);
    EXPECT_EQ(r.err, "avigram: The flock file " + (in_ / "Broiler.grd").string() +
                         ", line 1: only 1 of the 5 fields (Flock ID, Number of birds, Flock. Ave. Wt., Flock Sex, "
                         "Flock Age); the file is cut short or is no flock file\n"
                         "avigram: no flock to work with; nothing was written\n");
    EXPECT_EQ(OutFiles(), before);
}

TEST_F(BatchFaults, ReadOnlyOutputFolderKeepsTheOldResults) {
    const auto before = OutFiles();
    Result r;
    {
        test::ReadOnlyFolder readOnly(out_);
        if (!readOnly.active()) GTEST_SKIP() << "no way to make a folder read-only here";
        r = Run({"--csv"});
    }
    EXPECT_EQ(r.status, kBatchUnusable);
    EXPECT_EQ(r.err, "avigram: cannot write into the output folder " + out_.string() + "\n");
    EXPECT_EQ(OutFiles(), before);
}

TEST_F(BatchFaults, CleanRunReplacesEveryResultAndLeavesNoTemporaryFiles) {
    Result r = Run({"--csv", "--xlsx"});
    EXPECT_EQ(r.status, kBatchOk) << r.err;
    EXPECT_EQ(r.err, "");
    const auto files = OutFiles();
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::string>{"WtDist.txt", "avigram.xlsx", "flock_weights.csv", "grids.json",
                                               "parts_analysis.csv", "regvals.txt"}));
    EXPECT_NE(files.at("regvals.txt"), "earlier regvals.txt");
    // The CSV of Grid1: the class labels and counts as the grid shows them.
    const std::string csv = files.at("flock_weights.csv");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "Min Weight,1.506,,,,,,,,,,,All Flocks,,All Flocks,,All Flocks");
    EXPECT_NE(csv.find("\r\nBelow - 1.51,255,"), std::string::npos);
    EXPECT_NE(csv.find(",76.04 tonnes,"), std::string::npos);
    // With a decimal comma: ";" between fields, "," in numbers.
    EXPECT_EQ(Run({"--csv", "--decimal-comma"}).status, kBatchOk);
    const std::string comma = Slurp(out_ / "flock_weights.csv");
    EXPECT_EQ(comma.substr(0, comma.find("\r\n")), "Min Weight;1,506;;;;;;;;;;;All Flocks;;All Flocks;;All Flocks");
}

TEST_F(BatchFaults, ChartsNeedARenderer) {
    const auto before = OutFiles();
    Result r = Run({"--charts"});
    EXPECT_EQ(r.status, kBatchUnusable);
    EXPECT_EQ(r.err, "avigram: this build cannot draw charts (--charts)\n");
    EXPECT_EQ(OutFiles(), before);
}

// The report needs a program that can draw PDF files; without one nothing is written, and the
// report is asked for by a file name.
TEST_F(BatchFaults, PdfReportNeedsAWriterAndAFileName) {
    const auto before = OutFiles();
    Result r = Run({"--pdf", (root_ / "report.pdf").string()});
    EXPECT_EQ(r.status, kBatchUnusable);
    EXPECT_EQ(r.err, "avigram: this build cannot write PDF files (--pdf)\n");
    EXPECT_EQ(OutFiles(), before);
    EXPECT_FALSE(fs::exists(root_ / "report.pdf"));
    Result empty = Run({"--pdf="});
    EXPECT_EQ(empty.status, kBatchUnusable);
    EXPECT_EQ(empty.err.substr(0, empty.err.find('\n')), "avigram: --pdf needs a file name");
}

// A writer that fails leaves the other results in place and reports the file it could not write.
TEST_F(BatchFaults, AFailingPdfWriterIsReportedAfterTheOtherResults) {
    const std::string report = (root_ / "report.pdf").string();
    std::ofstream(report, std::ios::binary) << "earlier report";
    PdfWriter failing = [](FormWeights&, const std::string&, std::string& error) {
        error = "disk full";
        return false;
    };
    std::ostringstream out, err;
    const int status = RunBatchCommandLine({"--batch", "--carcass", (in_ / "BroilerCARCDATA.txt").string(), "--out",
                                            out_.string(), "--pdf", report},
                                           in_.string(), out, err, {}, failing);
    EXPECT_EQ(status, kBatchProblemReported);
    EXPECT_EQ(err.str(), "avigram: Cannot write the file " + report + " (disk full)\n");
    EXPECT_EQ(Slurp(report), "earlier report");
    EXPECT_NE(Slurp(out_ / "grids.json").rfind("earlier", 0), 0u);
}

} // namespace
} // namespace avigram

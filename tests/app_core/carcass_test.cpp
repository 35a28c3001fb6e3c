// Loading the carcass reference file: header, rows, sums, sex mask, companion files, hand-over,
// and the state a failed load leaves.
#include <gtest/gtest.h>

#include "app/core/calibration_file.h"
#include "app/core/carcass_file.h"
#include "app/core/carcass_loader.h"
#include "app/core/messages.h"
#include "app/core/text_file.h"
#include "carcass_fixture.h"
#include "test_support.h"

namespace avigram {
namespace {

using test::CarcassFile;
using test::CarcassHeader;
using test::CarcassLine;

std::string Calibration(const std::string& units, int lines = 12) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "note " + std::to_string(i) + "\r\n";
    return text + "Units," + units + "\r\n";
}

struct Loaded {
    ProgramState state;
    test::ScratchFolder dir;
    ScriptedDialogs dialogs;
    Loaded() {
        StartUp(state, dir.str());
        state.FileNameGiven = true;
    }
    CarcassClickResult Load(const std::string& name) {
        return TextFileName_Click(state, dialogs, dir.str() + name);
    }
};

TEST(CarcassFile, SortnamesNeedsThirtyTabEndedFields) {
    ProgramState state;
    ScriptedDialogs dialogs;
    sortnames(state, dialogs, CarcassHeader());
    EXPECT_FALSE(state.LoadError);
    EXPECT_EQ(state.PartNames[0], "H0");
    EXPECT_EQ(state.PartNames[2], "Breast");
    EXPECT_EQ(state.PartNames[7], "Wings");
    EXPECT_EQ(state.PartNames[8], "H8");
    EXPECT_EQ(state.PartNames[12], "Breast_Meat");
    EXPECT_EQ(state.PartNames[13], "H14"); // field 13 is dropped, the rest move left
    EXPECT_EQ(state.PartNames[28], "H29");
    EXPECT_TRUE(dialogs.messages.empty());

    ProgramState other;
    other.PartNames[5] = "kept";
    std::string header = CarcassHeader();
    header.pop_back(); // the last field has no TAB
    sortnames(other, dialogs, header);
    EXPECT_TRUE(other.LoadError);
    EXPECT_EQ(other.PartNames[5], "kept");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{std::string(kMsgHeaderError)});
}

TEST(CarcassFile, SorttabStoresRowsByAgeAndRaisesMaxAge) {
    ProgramState state;
    ResetForStart(state);
    state.MaxAge = 0;
    EXPECT_EQ(sorttab(state, CarcassLine("Males", 1, 40)), 20);
    EXPECT_DOUBLE_EQ(state.CarcassTable[1][1][20], 4000);
    EXPECT_DOUBLE_EQ(state.CarcassTable[1][28][20], 4000 * 0.28 + 28);
    EXPECT_EQ(state.MaxAge, 40);

    // 34.2 days is stored as age 35 and sets MaxAge to 35 even when it was higher.
    std::string line = CarcassLine("Females", 2, 34);
    line.replace(0, 2, "34.2");
    EXPECT_EQ(sorttab(state, line), 15);
    EXPECT_EQ(state.MaxAge, 35);
    EXPECT_DOUBLE_EQ(state.CarcassTable[2][1][15], 90 * 34);

    // Above 50 days: not stored, MaxAge still raised.
    EXPECT_EQ(sorttab(state, CarcassLine("Males", 1, 55)), 35);
    EXPECT_EQ(state.MaxAge, 55);
    EXPECT_DOUBLE_EQ(state.CarcassTable[1][1][35], 0);

    // Outside 20..100: nothing stored, nothing changed; unknown sex names go to "Mixed".
    ProgramState before = state;
    EXPECT_FALSE(sorttab(state, CarcassLine("Males", 1, 19)));
    EXPECT_FALSE(sorttab(state, CarcassLine("Males", 1, 101)));
    EXPECT_FALSE(sorttab(state, "1e300\tMales\t5"));
    EXPECT_FALSE(sorttab(state, ""));
    EXPECT_EQ(state.MaxAge, before.MaxAge);
    EXPECT_EQ(state.CarcassTable, before.CarcassTable);
    EXPECT_EQ(sorttab(state, "21\tmales\t7"), 1);
    EXPECT_DOUBLE_EQ(state.CarcassTable[0][1][1], 7);
    EXPECT_DOUBLE_EQ(state.CarcassTable[0][2][1], 0); // missing fields read as 0
}

TEST(CarcassFile, LoadSplitsTheNameAndReadsCompanions) {
    Loaded t;
    t.dir.Write("BroilerCARCDATA.txt", CarcassFile());
    t.dir.Write("broiler.CLB", Calibration("1"));
    CarcassClickResult r = t.Load("BroilerCARCDATA.txt");
    EXPECT_TRUE(r.loaded);
    EXPECT_TRUE(t.state.CarcassLoaded);
    EXPECT_EQ(t.state.CarcassFolder, t.dir.str());
    EXPECT_EQ(t.state.CarcassPrefix, "Broiler");
    EXPECT_EQ(t.state.FlockFilePath, t.dir.str() + "Broiler.grd");
    EXPECT_EQ(t.state.PartsFilePath, t.dir.str() + "BroilerPARTS.txt");
    EXPECT_EQ(t.state.DisplayUnits, 1);
    EXPECT_EQ(r.unitsRead, std::optional<int16_t>(1));
    EXPECT_EQ(t.state.SexMask, 3);
    EXPECT_EQ(t.state.MaxAge, 50);
    // Weights are converted to display units (pounds).
    EXPECT_NEAR(t.state.CarcassTable[1][1][10], 3000 * 2.205, 1e-9);
    const int length = static_cast<int>(r.fileName.size());
    EXPECT_EQ(r.boxWidthTwips, 140 * length);
    EXPECT_EQ(r.command1Left, 140 * length + 465);
    EXPECT_EQ(r.command3Left, 140 * length + 4000);
    EXPECT_TRUE(t.dir.Has("regvals.txt"));
    EXPECT_TRUE(t.dialogs.messages.empty());
}

TEST(CarcassFile, ReloadAssignsSumsAndReplacesTheTable) {
    Loaded t;
    t.dir.Write("ACARCDATA.txt", CarcassFile(20, 50));
    t.Load("ACARCDATA.txt");
    double sum = 0;
    for (int c = 12; c <= 26; ++c)
        sum += t.state.CarcassTable[1][c][5];
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[1][0][5], sum);
    t.Load("ACARCDATA.txt");
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[1][0][5], sum) << "a reload must not double the evis. carcass";

    // A shorter file: the rows it lacks are gone instead of mixing with the old file's rows.
    t.dir.Write("BCARCDATA.txt", CarcassFile(20, 40));
    t.Load("BCARCDATA.txt");
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[1][1][25], 0);
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[1][1][20], 4000);
    EXPECT_EQ(t.state.SexMask, 3);
}

TEST(CarcassFile, SexMaskComesFromTheLastRow) {
    Loaded t;
    t.dir.Write("MCARCDATA.txt", CarcassFile(20, 50, "\n", false, false));
    t.Load("MCARCDATA.txt");
    EXPECT_EQ(t.state.SexMask, 1);
    t.dir.Write("FCARCDATA.txt", CarcassHeader() + "\r" + CarcassLine("Females", 2, 50));
    t.Load("FCARCDATA.txt");
    EXPECT_EQ(t.state.SexMask, 2);
    // A header without data rows is no carcass table: refused, the loaded one stays.
    t.dir.Write("NCARCDATA.txt", CarcassHeader() + "\n");
    t.Load("NCARCDATA.txt");
    EXPECT_TRUE(t.state.LoadError);
    EXPECT_EQ(t.dialogs.messages.back(), "The carcass file " + t.dir.str() + "NCARCDATA.txt holds no data rows");
    EXPECT_EQ(t.state.SexMask, 2);
}

TEST(CarcassFile, FailedLoadRestoresTheStateAndReopensTheDialog) {
    Loaded t;
    t.dir.Write("GoodCARCDATA.txt", CarcassFile());
    t.Load("GoodCARCDATA.txt");
    const ProgramState good = t.state;

    // Header with too few fields, and a calibration file with other units beside it.
    std::string bad = CarcassHeader(29) + "\r\n" + CarcassLine("Males", 1, 30) + "\r\n";
    t.dir.Write("BadCARCDATA.txt", bad);
    t.dir.Write("Bad.clb", Calibration("2"));
    CarcassClickResult r = t.Load("BadCARCDATA.txt");
    EXPECT_FALSE(r.loaded);
    EXPECT_TRUE(t.state.LoadError);
    EXPECT_EQ(t.state.CarcassFolder, good.CarcassFolder);
    EXPECT_EQ(t.state.CarcassPrefix, "Good");
    EXPECT_EQ(t.state.FlockFilePath, good.FlockFilePath);
    EXPECT_EQ(t.state.PartsFilePath, good.PartsFilePath);
    EXPECT_EQ(t.state.MaxAge, good.MaxAge);
    EXPECT_EQ(t.state.DisplayUnits, good.DisplayUnits);
    EXPECT_EQ(t.state.PartNames, good.PartNames);
    EXPECT_EQ(t.state.CarcassTable, good.CarcassTable);
    EXPECT_EQ(t.state.Slope, good.Slope);
    EXPECT_FALSE(t.state.FileNameGiven);
    EXPECT_EQ(t.dialogs.messages.back(), kMsgHeaderError);

    // The next click opens the dialog; cancelling it does nothing.
    const std::size_t shownBefore = t.dialogs.shown.size();
    r = TextFileName_Click(t.state, t.dialogs, "ignored");
    EXPECT_FALSE(r.chosen);
    ASSERT_EQ(t.dialogs.shown.size(), shownBefore + 1);
    EXPECT_EQ(t.dialogs.shown.back().text, kCarcassDialogTitle);
    EXPECT_EQ(t.dialogs.shown.back().extra, kCarcassDialogPattern);

    // A file that cannot be opened at all.
    t.dialogs.openAnswers.push_back(t.dir.str() + "MissingCARCDATA.txt");
    r = TextFileName_Click(t.state, t.dialogs, "");
    EXPECT_FALSE(r.loaded);
    EXPECT_EQ(t.dialogs.messages.back(), WithPath(kMsgCannotOpen, t.dir.str() + "MissingCARCDATA.txt"));
    EXPECT_EQ(t.state.CarcassPrefix, "Good");
    EXPECT_EQ(t.state.CarcassTable, good.CarcassTable);
}

TEST(CarcassFile, HandedOverNameStaysGivenAfterSuccess) {
    Loaded t;
    t.dir.Write("GoodCARCDATA.txt", CarcassFile());
    t.Load("GoodCARCDATA.txt");
    EXPECT_TRUE(t.state.FileNameGiven);
    t.Load("GoodCARCDATA.txt"); // reloads the name in the box, no dialog
    EXPECT_TRUE(t.dialogs.shown.empty());
}

TEST(Calibration, ShortOrOutOfRangeFilesKeepTheUnits) {
    EXPECT_EQ(ParseCalibration(SplitLines(Calibration("2"))), std::optional<int16_t>(2));
    EXPECT_EQ(ParseCalibration(SplitLines(Calibration("0"))), std::optional<int16_t>(0));
    EXPECT_FALSE(ParseCalibration(SplitLines(Calibration("3"))));
    EXPECT_FALSE(ParseCalibration(SplitLines(Calibration("-1"))));
    EXPECT_FALSE(ParseCalibration(SplitLines(Calibration("kg"))));
    EXPECT_FALSE(ParseCalibration(SplitLines(Calibration("1", 11))));
    EXPECT_EQ(ParseCalibration(SplitLines(Calibration("", 12) + "1\r\n")), std::nullopt);

    Loaded t;
    t.state.DisplayUnits = 1;
    t.dir.Write("ACARCDATA.txt", CarcassFile());
    t.dir.Write("A.clb", Calibration("7"));
    t.Load("ACARCDATA.txt");
    EXPECT_EQ(t.state.DisplayUnits, 1);
    ASSERT_FALSE(t.dialogs.messages.empty());
    EXPECT_EQ(t.dialogs.messages.front(), WithPath(kMsgBadCalibration, t.dir.str() + "A.clb"));
}

TEST(HandOver, ClipboardNamesAreTakenUnlessAColonFollowsLater) {
    ProgramState state;
    test::ScratchFolder dir;
    StartUp(state, dir.str());
    ScriptedDialogs dialogs;
    dialogs.clipboard = {ClipboardStatus::Available, std::string("X:\\CARCDATA.txt\r\n\0junk", 22)};
    EXPECT_EQ(TakeOverHandedName(state, dialogs), std::optional<std::string>("X:\\CARCDATA.txt"));
    EXPECT_TRUE(state.FileNameGiven);

    state.FileNameGiven = false;
    dialogs.clipboard = {ClipboardStatus::Available, "abc:CARCDATA"};
    EXPECT_FALSE(TakeOverHandedName(state, dialogs));
    EXPECT_FALSE(state.FileNameGiven);

    // A long clipboard text is read whole.
    std::string longName = "/" + std::string(30000, 'a') + "CARCDATA.txt";
    dialogs.clipboard = {ClipboardStatus::Available, longName};
    EXPECT_EQ(TakeOverHandedName(state, dialogs), std::optional<std::string>(longName));

    state.FileNameGiven = false;
    dialogs.clipboard = {ClipboardStatus::Unavailable, ""};
    EXPECT_FALSE(TakeOverHandedName(state, dialogs));
    EXPECT_TRUE(dialogs.messages.empty());
    dialogs.clipboard = {ClipboardStatus::Busy, ""};
    EXPECT_FALSE(TakeOverHandedName(state, dialogs));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{std::string(kMsgClipboardBusy)});
}

TEST(HandOver, ReadMeIsUsedUpOnlyWhenItNamesACarcassFile) {
    ProgramState state;
    test::ScratchFolder dir;
    StartUp(state, dir.str());
    ScriptedDialogs dialogs;
    dir.Write("ReadMe.txt", "Some notes, not a file name\r\n");
    EXPECT_FALSE(TakeOverHandedName(state, dialogs));
    EXPECT_TRUE(dir.Has("ReadMe.txt"));
    EXPECT_FALSE(state.FileNameGiven);

    dir.Write("ReadMe.txt", "/data/BroilerCARCDATA.txt,extra\n");
    EXPECT_EQ(TakeOverHandedName(state, dialogs), std::optional<std::string>("/data/BroilerCARCDATA.txt"));
    EXPECT_FALSE(dir.Has("ReadMe.txt"));
    EXPECT_TRUE(state.FileNameGiven);
}

TEST(StartUp, SetsTheStartValuesAndGridCaptions) {
    for (bool comma : {false, true}) {
        lattix::ScopedLocale locale(comma ? lattix::Locale::decimalComma() : lattix::Locale::invariant());
        ProgramState state;
        state.FlockCV = 3;
        StartupGrids grids = StartUp(state, "/opt/avigram/");
        EXPECT_EQ(state.LocaleUsesComma, comma);
        EXPECT_EQ(state.ProgramFolder, "/opt/avigram");
        EXPECT_DOUBLE_EQ(state.FlockCV, 0.1);
        EXPECT_EQ(state.MaxAge, 80);
        EXPECT_EQ(state.SexNames[2], "Females");
        EXPECT_DOUBLE_EQ(state.NormalTail[33], 841344.746069);
        test::GridImage g1, g2;
        g1.Apply(grids.grid1);
        g2.Apply(grids.grid2);
        EXPECT_EQ(g1.Text(3, 2), comma ? "0,1" : "0.1");
        EXPECT_EQ(g1.Text(4, 1), "No. Weight Classes");
        EXPECT_EQ(g1.Text(4, 2), "20");
        EXPECT_EQ(g1.colCount, 30);
        EXPECT_EQ(g1.rowCount, 60);
        EXPECT_EQ(g1.widths[1], 150);
        EXPECT_EQ(g2.headerHeight, 24);
        EXPECT_EQ(g2.colCount, 24);
        EXPECT_EQ(g2.widths[24], 90);
    }
}

} // namespace
} // namespace avigram

namespace avigram {
namespace {

// Files that are no carcass table are refused with a message that names the file (and the line and
// field), and the table, names, lines and units of the loaded file stay.
TEST(CarcassFile, UnusableFilesAreRefusedAndChangeNothing) {
    Loaded t;
    t.dir.Write("GoodCARCDATA.txt", test::CarcassFile());
    t.Load("GoodCARCDATA.txt");
    ASSERT_TRUE(t.state.CarcassLoaded);
    const ProgramState good = t.state;

    std::string huge = test::CarcassHeader() + "\r\n" + test::CarcassLine("Males", 1, 21) + "\r\n";
    huge += test::CarcassLine("Males", 1, 22).replace(9, 11, "1e308") + "\r\n"; // body weight 1e308
    std::string beyond = test::CarcassHeader() + "\r\n21\tMales\t1e400";
    for (int c = 2; c <= 28; ++c)
        beyond += "\t1";
    const std::string dir = t.dir.str();
    const std::pair<std::string, std::string> cases[] = {
        {"", "There is an error in the file, check name and restart"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
         "The file " + dir + "XCARCDATA.txt is not a carcass file (it holds binary data)"},
        {huge, "The carcass file " + dir + "XCARCDATA.txt, line 3, field \"H2\": 1e308 cannot be used as a weight"},
        {beyond, "The carcass file " + dir + "XCARCDATA.txt, line 2, field \"H2\": 1e400 cannot be used as a weight"},
    };
    for (const auto& [bytes, message] : cases) {
        t.dialogs.messages.clear();
        t.dir.Write("XCARCDATA.txt", bytes);
        CarcassClickResult r = t.Load("XCARCDATA.txt");
        EXPECT_FALSE(r.loaded) << message;
        ASSERT_EQ(t.dialogs.messages.size(), 1u) << message;
        EXPECT_EQ(t.dialogs.messages[0].substr(0, message.size()), message);
        EXPECT_EQ(t.state.CarcassTable, good.CarcassTable) << message;
        EXPECT_EQ(t.state.Slope, good.Slope) << message;
        EXPECT_EQ(t.state.PartNames, good.PartNames) << message;
        t.state.FileNameGiven = true;
    }
}

// Tables with fewer parts, and lines cut short, are read with the missing weights as 0 (those parts
// are then left unfitted); one message names the short lines.
TEST(CarcassFile, ShortDataLinesReadTheirMissingWeightsAsZero) {
    auto firstFields = [](const std::string& line, int count) {
        std::size_t end = 0;
        for (int i = 0; i < count; ++i)
            end = line.find('\t', end) + 1;
        return line.substr(0, end - 1);
    };
    // Age, sex, body weight and part columns 2..13 only.
    std::string few = test::CarcassHeader() + "\r\n";
    for (const auto& [name, sex] : {std::pair{"Males", 1}, std::pair{"Females", 2}})
        for (int age = 20; age <= 50; ++age)
            few += firstFields(test::CarcassLine(name, sex, age), 15) + "\r\n";
    Loaded t;
    t.dir.Write("FewCARCDATA.txt", few);
    CarcassClickResult r = t.Load("FewCARCDATA.txt");
    EXPECT_TRUE(r.loaded);
    EXPECT_FALSE(t.state.LoadError);
    EXPECT_EQ(t.dialogs.messages,
              std::vector<std::string>{"The carcass file " + t.dir.str() +
                                       "FewCARCDATA.txt, lines 2-63: as few as 15 of the 30 fields; the missing "
                                       "weights are read as 0"});
    EXPECT_EQ(t.state.SexMask, 3);
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[1][13][10], 3000 * test::PartSlope(1, 13) + 13);
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[1][14][10], 0);
    EXPECT_NEAR(t.state.Slope[1][13], test::PartSlope(1, 13), 1e-9); // the parts it has are fitted
    EXPECT_DOUBLE_EQ(t.state.Slope[1][14], 0);                        // the others are not

    // One line cut short in a complete table: only that line is named.
    std::string cut = test::CarcassFile(20, 30);
    cut.resize(cut.size() - 40);
    const std::string last = cut.substr(cut.rfind("\r\n") + 2);
    const auto fields = std::count(last.begin(), last.end(), '\t') + 1;
    ASSERT_LT(fields, 30);
    t.dialogs.messages.clear();
    t.dir.Write("CutCARCDATA.txt", cut);
    EXPECT_TRUE(t.Load("CutCARCDATA.txt").loaded);
    EXPECT_EQ(t.dialogs.messages, std::vector<std::string>{"The carcass file " + t.dir.str() +
                                                           "CutCARCDATA.txt, line 34: only " + std::to_string(fields) +
                                                           " of the 30 fields; the missing weights are read as 0"});
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[2][1][10], 90 * 30);
    EXPECT_DOUBLE_EQ(t.state.CarcassTable[2][28][10], 0);
}

} // namespace
} // namespace avigram

// The two windows driven the way a user drives them, on a copy of the sample data, in a "." and a
// "," locale.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/core/dialogs.h"
#include "app/core/messages.h"
#include "app/core/numbers.h"
#include "app/core/program_state.h"
#include "app/forms/export_results.h"
#include "app/forms/form_weights.h"
#include "app/forms/frm_flock.h"
#include "runtime/conversions.h"
#include "runtime/locale.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/window_manager.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;
using lattix::Variant;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class Forms : public ::testing::TestWithParam<bool> {
protected:
    Forms() : locale_(GetParam() ? lattix::Locale::decimalComma() : lattix::Locale::invariant()) {
        static std::mt19937_64 counter(std::random_device{}());
        folder_ = fs::temp_directory_path() / ("avigram_forms_" + std::to_string(counter()));
        fs::create_directories(folder_ / "program");
        for (const char* name : {"BroilerCARCDATA.txt", "Broiler.clb", "Broiler.grd", "BroilerPARTS.txt"})
            fs::copy_file(fs::path(AVIGRAM_DATA_DIR) / name, folder_ / name);
        state_ = std::make_unique<ProgramState>();
        FormsEnvironment env;
        env.programFolder = (folder_ / "program").string();
        main_ = std::make_unique<FormWeights>(*state_, dialogs_, env);
    }
    ~Forms() override {
        main_.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    std::string carcass() const { return (folder_ / "BroilerCARCDATA.txt").string(); }
    std::string num(const std::string& dotted) const {
        std::string s = dotted;
        if (GetParam())
            for (char& c : s)
                if (c == '.') c = ',';
        return s;
    }
    void LoadAndEnterFlocks() {
        dialogs_.clipboard = {ClipboardStatus::Available, carcass() + "\r\n"};
        main_->Form_Load();
        dialogs_.questionAnswers = {Answer::Yes};
        main_->Command1_Click();
    }
    void RaiseDblClick(GridDriver& grid, int32_t row, int32_t col) {
        std::vector<Variant> args{Variant(int32_t{1}),
                                  Variant(int32_t{0}),
                                  Variant(10.0f),
                                  Variant(10.0f),
                                  Variant(row),
                                  Variant(col),
                                  Variant::byRef(Variant(int32_t{0}))};
        grid.control().RaiseEvent(lattix::event_id::kDblClick, args);
    }

    lattix::ScopedLocale locale_;
    fs::path folder_;
    std::unique_ptr<ProgramState> state_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<FormWeights> main_;
};

TEST_P(Forms, StartUpLaysOutTheWindowAndItsGrids) {
    main_->Form_Load();
    EXPECT_TRUE(main_->visible);
    EXPECT_EQ(main_->caption, "Flock Weight and Parts Distribution");
    EXPECT_EQ(main_->TextFileName.text, "Click here to  Open File");
    EXPECT_FALSE(main_->Text2.visible);
    EXPECT_FALSE(main_->Command3.visible);
    EXPECT_FALSE(main_->Command2.visible);
    EXPECT_EQ(main_->Command1.backColor, 0xC0C0C0u);
    EXPECT_EQ(main_->SSTab1.currentTab, 0);
    EXPECT_EQ(state_->LocaleUsesComma, GetParam());
    EXPECT_FALSE(state_->CarcassLoaded);

    GridDriver& g1 = main_->Grid1();
    EXPECT_EQ(g1.ColCount(), 30);
    EXPECT_EQ(g1.RowCount(), 60);
    EXPECT_EQ(g1.ColWidth(1), 150);
    EXPECT_EQ(g1.ColWidth(5), 100);
    EXPECT_EQ(g1.CellText(1, 1), "Min Weight");
    EXPECT_EQ(g1.CellText(4, 1), "No. Weight Classes");
    EXPECT_EQ(g1.CellText(3, 2), num("0.1"));
    EXPECT_EQ(g1.CellText(4, 2), "20");
    EXPECT_EQ(g1.CellText(4, 5), "Ave. WT");
    EXPECT_EQ(g1.CellText(2, 4), "All Flocks");
    EXPECT_EQ(g1.CellText(5, 5), "Flock Size");
    EXPECT_EQ(g1.CellText(1, 2), "");
    EXPECT_FALSE(g1.control().AllowSorting());
    EXPECT_TRUE(g1.control().MultiSelect());
    EXPECT_EQ(g1.control().AutoColHeaderTextTemplate(), " ");

    GridDriver& g2 = main_->Grid2();
    EXPECT_EQ(g2.ColCount(), 24);
    EXPECT_EQ(g2.RowCount(), 30);
    for (int c = 1; c <= 24; ++c)
        EXPECT_EQ(g2.ColWidth(c), 90);
    EXPECT_EQ(g2.HeaderHeight(), 24);
    EXPECT_EQ(g2.control().AutoColHeaderTextTemplate(), "");
    EXPECT_EQ(main_->Grid1Site.at.width, HimetricToTwips(24998));
    EXPECT_EQ(main_->Grid2Site.at.height, HimetricToTwips(9123));
    // Nothing on the clipboard and no hand-over file: no message, no dialog.
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_P(Forms, CarcassFileHandedOverThroughTheClipboardIsLoaded) {
    dialogs_.clipboard = {ClipboardStatus::Available, carcass() + "\r\n"};
    main_->Form_Load();
    EXPECT_TRUE(state_->CarcassLoaded);
    EXPECT_TRUE(state_->FileNameGiven);
    EXPECT_EQ(main_->TextFileName.text, carcass());
    const int width = 140 * static_cast<int>(carcass().size());
    EXPECT_EQ(main_->TextFileName.at.width, width);
    EXPECT_EQ(main_->Command1.at.left, width + 465);
    EXPECT_EQ(main_->Command2.at.left, width + 2200);
    EXPECT_EQ(main_->Command3.at.left, width + 4000);
    EXPECT_EQ(main_->TextFileName.backColor, 0xFFFFFFu);
    EXPECT_EQ(main_->Command1.backColor, 0xFFC0C0u);
    EXPECT_TRUE(main_->Option1.checked);
    EXPECT_FALSE(main_->Option3.checked);
    EXPECT_FALSE(main_->Command2.visible); // no flocks entered yet
    EXPECT_TRUE(fs::exists(folder_ / "regvals.txt"));
    EXPECT_TRUE(dialogs_.messages.empty());

    // The name stays given: a second click reloads the file in the box without the dialog.
    main_->TextFileName_Click();
    EXPECT_TRUE(state_->CarcassLoaded);
    for (const auto& s : dialogs_.shown)
        EXPECT_NE(s.kind, ScriptedDialogs::Shown::Kind::OpenDialog);
}

TEST_P(Forms, HandOverFileIsTakenOnlyWhenItNamesACarcassFile) {
    const fs::path readMe = folder_ / "program" / "ReadMe.txt";
    std::ofstream(readMe, std::ios::binary) << "notes.txt,1\r\n";
    main_->Form_Load();
    EXPECT_FALSE(state_->CarcassLoaded);
    EXPECT_TRUE(fs::exists(readMe)); // not ours to use up

    std::ofstream(readMe, std::ios::binary | std::ios::trunc) << carcass() << ",other\r\n";
    main_->Form_Load();
    EXPECT_TRUE(state_->CarcassLoaded);
    EXPECT_EQ(main_->TextFileName.text, carcass());
    EXPECT_FALSE(fs::exists(readMe));
}

TEST_P(Forms, CancelledFileDialogLoadsNothing) {
    dialogs_.clipboard = {ClipboardStatus::Available, "abc:CARCDATA"};
    main_->Form_Load();
    EXPECT_FALSE(state_->CarcassLoaded);
    main_->TextFileName_Click();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Select Carcass File");
    EXPECT_EQ(dialogs_.shown[0].extra, "*CARCDATA.txt");
    EXPECT_FALSE(state_->CarcassLoaded);
    EXPECT_EQ(main_->TextFileName.text, "Click here to  Open File");
}

TEST_P(Forms, AddFlocksReadsTheFlockFileAndReturnFillsGrid1) {
    LoadAndEnterFlocks();
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text,
              state_->FlockFilePath +
                  " exists, use it (yes) or choose one (no) or paste or type later (cancel)");
    EXPECT_TRUE(main_->Command2.visible);
    EXPECT_EQ(main_->Command1.backColor, 0x8000000Fu);
    EXPECT_EQ(main_->Command2.backColor, 0xFFC0C0u);

    FrmFlock* flock = main_->FlockWindow();
    ASSERT_NE(flock, nullptr);
    EXPECT_TRUE(flock->visible);
    EXPECT_EQ(flock->caption, "Flock Input   Enter up to 10 Flocks Here");
    EXPECT_EQ(flock->GridFlockSite.toolTipText,
              "ID is your choice, Sex is X for Mixed, M for males and F for females");
    GridDriver& g = flock->GridFlock();
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.RowCount(), 12);
    const char* captions[] = {"Count",           "Flock ID",  "Number of birds",
                              "Flock. Ave. Wt.", "Flock Sex", "Flock Age"};
    const int widths[] = {40, 170, 130, 95, 60, 60};
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(g.ColHeaderText(c), captions[c - 1]);
        EXPECT_EQ(g.ColWidth(c), widths[c - 1]);
        for (int r = 1; r <= 12; ++r)
            EXPECT_EQ(g.control().CellAlignH(Variant(r), Variant(c)), 1) << r << "," << c;
    }
    EXPECT_EQ(g.CellText(10, 1), "10");
    EXPECT_EQ(g.CellText(11, 1), "");
    EXPECT_EQ(g.CellText(1, 2), "House 1");
    EXPECT_EQ(g.CellText(1, 3), "24000");
    EXPECT_EQ(g.CellText(1, 4), num("2.83"));
    EXPECT_EQ(g.CellText(1, 5), "M");
    EXPECT_EQ(g.CellText(6, 6), "42");
    EXPECT_EQ(g.CellText(7, 2), "");
    EXPECT_FALSE(g.control().AllowSorting());
    EXPECT_FALSE(g.control().MultiSelect());
    EXPECT_EQ(g.control().AutoColHeaderTextTemplate(), "\"\"");

    flock->Command1_Click();
    EXPECT_FALSE(flock->visible);
    EXPECT_TRUE(state_->FlocksEntered);
    EXPECT_EQ(state_->FlockCount, 6);
    EXPECT_DOUBLE_EQ(state_->FlockWeight[1][1], 2.83);
    GridDriver& g1 = main_->Grid1();
    EXPECT_EQ(g1.CellText(6, 2), "No. of birds");
    EXPECT_EQ(g1.CellText(2, 6), "House 1");
    EXPECT_EQ(g1.CellText(2, 11), "House 6");
    EXPECT_EQ(g1.CellText(4, 6), num("2.83"));
    EXPECT_EQ(g1.CellText(5, 6), "24000");
    EXPECT_EQ(g1.CellText(5, 4), "141500");
    EXPECT_EQ(g1.control().CellAlignH(Variant(int32_t{5}), Variant(int32_t{4})), 2);
    EXPECT_EQ(g1.CurRow(), 5);
    EXPECT_EQ(g1.CurCol(), 4);
    const double w =
        (24000 * 2.83 + 22000 * 2.12 + 30000 * 2.51 + 18500 * 3.14 + 26000 * 2.08 + 21000 * 2.5) / 141500;
    EXPECT_NEAR(ParseNumber(g1.CellText(4, 4)), w, 0.0005);
}

TEST_P(Forms, SexCellEditsAreCheckedAfterCommit) {
    LoadAndEnterFlocks();
    GridDriver& g = main_->FlockWindow()->GridFlock();
    auto commit = [&](int32_t row, int32_t col, const char* typed) {
        g.SetCellValue(row, col, Variant(typed));
        std::vector<Variant> args{Variant(row), Variant(col), Variant()};
        g.control().RaiseEvent(lattix::event_id::kAfterCommitEdit, args);
    };
    commit(2, 5, "m");
    EXPECT_EQ(g.CellText(2, 5), "M");
    commit(2, 5, "X");
    EXPECT_EQ(g.CellText(2, 5), "X");
    EXPECT_TRUE(dialogs_.messages.empty());
    commit(2, 5, "male");
    EXPECT_EQ(g.CellText(2, 5), "");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], "Sex must be M, F,or X");
    commit(2, 3, "lots");
    EXPECT_EQ(g.CellText(2, 3), "lots");
    EXPECT_EQ(dialogs_.messages.size(), 1u);
}

TEST_P(Forms, SaveAndReturnWritesTheFlockFile) {
    LoadAndEnterFlocks();
    FrmFlock* flock = main_->FlockWindow();
    flock->GridFlock().SetCellValue(1, 4, Variant(num("2.90")));
    flock->Command2_Click();
    EXPECT_TRUE(state_->FlocksEntered);
    EXPECT_DOUBLE_EQ(state_->FlockWeight[1][1], 2.9);
    const std::string saved = ReadAll(folder_ / "Broiler.grd");
    EXPECT_EQ(saved.substr(0, saved.find("\r\n")), "House 1\t24000\t2.90\tM\t40");
    size_t lines = 0;
    for (size_t p = saved.find("\r\n"); p != std::string::npos; p = saved.find("\r\n", p + 2))
        ++lines;
    EXPECT_EQ(lines, 10u);
    EXPECT_NE(saved.find("\r\n\t\t\t\t\r\n"), std::string::npos);

    // A flock file that cannot be written is reported; the flocks are still taken over.
    state_->FlockFilePath = (folder_ / "missing" / "x.grd").string();
    state_->FlocksEntered = false;
    flock->Command2_Click();
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], "Cannot write the file " + state_->FlockFilePath);
    EXPECT_TRUE(state_->FlocksEntered);
}

TEST_P(Forms, RecalculationFillsBothGridsAndDoubleClicksToggleDetailColumns) {
    LoadAndEnterFlocks();
    main_->FlockWindow()->Command1_Click();
    main_->Command2_Click();
    EXPECT_EQ(main_->Command2.backColor, 0x8000000Fu);
    GridDriver& g1 = main_->Grid1();
    GridDriver& g2 = main_->Grid2();
    EXPECT_EQ(g1.ColCount(), 18);
    EXPECT_EQ(g1.CellText(5, 3), "Total Birds");
    EXPECT_EQ(g1.CellText(1, 13), "All Flocks");
    EXPECT_EQ(g1.CellText(2, 13), "Breast_Meat");
    EXPECT_EQ(g1.CellText(7, 12), "Fillet"); // parts list, first block in column FlockCount + 6
    EXPECT_EQ(g1.CellText(7, 14), "Drumstick");
    EXPECT_EQ(g1.ColWidth(13), 100);
    EXPECT_EQ(g2.ColHeaderText(2), "No. of birds");
    EXPECT_EQ(g2.ColHeaderText(4), "Evis. Carc."); // the first run already
    EXPECT_EQ(g2.ColHeaderText(6), "Breast");
    EXPECT_EQ(g2.CellText(1, 6), "Average");
    // House 6: its rounded counts came to a bird more than it has; none is negative now.
    EXPECT_EQ(g1.CellText(2, 11), "House 6");
    EXPECT_EQ(g1.CellText(28, 11), "0");
    for (int col = 6; col <= 11; ++col)
        for (int row = 7; row <= 28; ++row)
            EXPECT_GE(ParseNumber(g1.CellText(row, col)), 0) << row << " " << col;
    EXPECT_EQ(g2.CellText(2, 1), g1.CellText(7, 1));
    EXPECT_EQ(g2.CellText(23, 2), g1.CellText(28, 2));
    EXPECT_EQ(g2.CurRow(), 1);
    EXPECT_TRUE(fs::exists(folder_ / "WtDist.txt"));
    EXPECT_TRUE(dialogs_.messages.empty());
    for (int c : {7, 8, 9, 10, 13, 14, 15, 18, 19, 20})
        EXPECT_FALSE(g2.ColVisible(c)) << c;

    RaiseDblClick(g2, 3, 6);
    for (int c : {7, 8, 9, 10})
        EXPECT_TRUE(g2.ColVisible(c)) << c;
    EXPECT_FALSE(g2.ColVisible(13));
    EXPECT_EQ(g2.BeginUpdateCount(), 0);
    RaiseDblClick(g2, 3, 6);
    EXPECT_FALSE(g2.ColVisible(7));
    RaiseDblClick(g2, 3, 17);
    for (int c : {18, 19, 20})
        EXPECT_TRUE(g2.ColVisible(c)) << c;
    RaiseDblClick(g2, 3, 5); // not a part column with details
    EXPECT_TRUE(g2.ColVisible(5));
    EXPECT_FALSE(g2.ColVisible(13));
    RaiseDblClick(g1, 8, 1); // MeatCalc does nothing
    EXPECT_EQ(g1.ColCount(), 18);
}

// A parts list longer than the columns beside the flocks: a message box names what is left out.
TEST_P(Forms, PartsListItemsThatDoNotFitAreNamedInAMessage) {
    std::ofstream(folder_ / "BroilerPARTS.txt", std::ios::binary | std::ios::trunc)
        << "A,Next\r\nB,Next\r\nC,Next\r\nD,Next\r\nE,F\r\n";
    LoadAndEnterFlocks();
    main_->FlockWindow()->Command1_Click();
    main_->Command2_Click();
    EXPECT_EQ(main_->Grid1().CellText(7, 18), "D");
    EXPECT_EQ(dialogs_.messages,
              std::vector<std::string>{"The parts list " + (folder_ / "BroilerPARTS.txt").string() +
                                       ": only 4 columns of items fit beside the flocks; \"E\" and \"F\" are left out"});
}

// A refused flock line leaves its row empty in the flock window; the flocks keep their rows.
TEST_P(Forms, RefusedFlockLinesLeaveTheirRowEmpty) {
    std::ofstream(folder_ / "Broiler.grd", std::ios::binary | std::ios::trunc)
        << "House 1\t24000\t2.83\tM\t40\r\nHouse 2\t22000\t-2.12\tF\t38\r\nHouse 3\t30000\t2,51\tX\t51\r\n";
    LoadAndEnterFlocks();
    GridDriver& g = main_->FlockWindow()->GridFlock();
    EXPECT_EQ(g.CellText(1, 2), "House 1");
    for (int col = 2; col <= 6; ++col)
        EXPECT_EQ(g.CellText(2, col), "") << col;
    EXPECT_EQ(g.CellText(3, 2), "House 3");
    EXPECT_EQ(g.CellText(3, 4), num("2.51"));
    EXPECT_EQ(g.CellText(3, 6), "51");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], "The flock file " + (folder_ / "Broiler.grd").string() +
                                        ", line 2, field \"Flock. Ave. Wt.\": \"-2.12\" is not above 0; the line "
                                        "is left out and row 2 stays empty, so the flocks below it are not used "
                                        "until it is filled");
    // Filled in by hand, the row joins the list and House 3 is used too.
    g.SetCellValue(2, 2, Variant("House 2"));
    g.SetCellValue(2, 3, Variant("22000"));
    g.SetCellValue(2, 4, Variant(num("2.12")));
    g.SetCellValue(2, 5, Variant("F"));
    g.SetCellValue(2, 6, Variant("38"));
    main_->FlockWindow()->Command1_Click();
    EXPECT_EQ(state_->UsedFlockCount(), 3);
}

TEST_P(Forms, CvChangeResizeAndProgramEnd) {
    main_->Form_Load();
    dialogs_.inputAnswers = {"0,08"};
    main_->CV_Change_Click();
    EXPECT_DOUBLE_EQ(state_->FlockCV, 0.08);
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "Old CV is " + num("0.1"));
    dialogs_.inputAnswers = {"none"};
    main_->CV_Change_Click();
    EXPECT_DOUBLE_EQ(state_->FlockCV, 0.08);

    main_->Form_Resize(12000, 9000);
    EXPECT_EQ(main_->SSTab1.at.height, 9000 - 1845);
    EXPECT_EQ(main_->Grid1Site.at.height, 9000 - 1845 - 400);
    EXPECT_EQ(main_->SSTab1.at.width, 12000 - 360);
    EXPECT_EQ(main_->Grid2Site.at.width, 12000 - 360 - 400);
    EXPECT_EQ(main_->Text2.at.left, 12000 - 400 - main_->Text2.at.width);
    const Placement before = main_->SSTab1.at;
    main_->Form_Resize(900, 2000); // too small: nothing moves
    EXPECT_EQ(main_->SSTab1.at.width, before.width);
    EXPECT_EQ(main_->SSTab1.at.height, before.height);

    dialogs_.questionAnswers = {Answer::Cancel};
    main_->Command1_Click();
    ASSERT_NE(main_->FlockWindow(), nullptr);
    main_->Form_Unload();
    EXPECT_FALSE(main_->visible);
    EXPECT_TRUE(main_->unloaded);
    EXPECT_EQ(main_->FlockWindow(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Locales, Forms, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DecimalComma" : "DecimalPoint"; });

// "Export...": both result grids as the window shows them, into CSV files or a workbook; a file
// that cannot be written keeps its old copy and says so.
TEST_P(Forms, ExportWritesBothResultGrids) {
    LoadAndEnterFlocks();
    main_->FlockWindow()->Command1_Click();
    main_->Command2_Click();
    const std::string csv = (folder_ / "plan.csv").string();
    ASSERT_TRUE(ExportResultGrids(*main_, csv, ExportFormat::Csv));
    EXPECT_EQ(PartsCsvPath(csv), (folder_ / "plan_parts.csv").string());
    const std::string grid1 = ReadAll(folder_ / "plan.csv");
    const std::string grid2 = ReadAll(folder_ / "plan_parts.csv");
    const char sep = GetParam() ? ';' : ',';
    EXPECT_EQ(grid1.substr(0, grid1.find("\r\n")),
              "Min Weight" + std::string(1, sep) + num("1.506") + std::string(11, sep) + "All Flocks" + sep + sep +
                  "All Flocks" + sep + sep + "All Flocks");
    EXPECT_EQ(grid2.substr(0, grid2.find(sep)), "");
    EXPECT_NE(grid2.find(std::string(1, sep) + "No. of birds" + sep), std::string::npos);
    EXPECT_NE(grid1.find(num("76.04") + " tonnes"), std::string::npos);

    ASSERT_TRUE(ExportResultGrids(*main_, (folder_ / "plan.XLSX").string(), ExportFormat::Workbook));
    EXPECT_EQ(ReadAll(folder_ / "plan.XLSX").substr(0, 2), "PK");
    EXPECT_TRUE(dialogs_.messages.empty());

    // A bare name gets the chosen format's extension; a name with an extension keeps it, and the
    // format written is still the one chosen.
    ASSERT_TRUE(ExportResultGrids(*main_, (folder_ / "bare").string(), ExportFormat::Workbook));
    EXPECT_EQ(ReadAll(folder_ / "bare.xlsx").substr(0, 2), "PK");
    ASSERT_TRUE(ExportResultGrids(*main_, (folder_ / "bare").string(), ExportFormat::Csv));
    EXPECT_EQ(ReadAll(folder_ / "bare.csv"), grid1);
    EXPECT_EQ(ReadAll(folder_ / "bare_parts.csv"), grid2);
    EXPECT_FALSE(fs::exists(folder_ / "bare"));
    EXPECT_FALSE(fs::exists(folder_ / "bare_parts"));
    ASSERT_TRUE(ExportResultGrids(*main_, (folder_ / "sheet.csv").string(), ExportFormat::Workbook));
    EXPECT_EQ(ReadAll(folder_ / "sheet.csv").substr(0, 2), "PK");
    EXPECT_FALSE(fs::exists(folder_ / "sheet_parts.csv"));
    EXPECT_TRUE(dialogs_.messages.empty());

    fs::create_directory(folder_ / "taken.csv"); // a folder where the file should go
    EXPECT_FALSE(ExportResultGrids(*main_, (folder_ / "taken.csv").string(), ExportFormat::Csv));
    EXPECT_EQ(dialogs_.messages.back(), WithPath(kMsgCannotWrite, (folder_ / "taken.csv").string()));
    EXPECT_TRUE(fs::is_directory(folder_ / "taken.csv"));
}

TEST(ExportNames, TheChosenExtensionIsAddedToABareName) {
    EXPECT_EQ(ExportFilePath("plan", ExportFormat::Workbook), "plan.xlsx");
    EXPECT_EQ(ExportFilePath("plan", ExportFormat::Csv), "plan.csv");
    EXPECT_EQ(ExportFilePath("/data/plan.v2/plan", ExportFormat::Csv), "/data/plan.v2/plan.csv");
    EXPECT_EQ(ExportFilePath("C:\\data.x\\plan", ExportFormat::Workbook), "C:\\data.x\\plan.xlsx");
    EXPECT_EQ(ExportFilePath("/data/.plan", ExportFormat::Csv), "/data/.plan.csv");
    EXPECT_EQ(ExportFilePath("/data/plan.txt", ExportFormat::Workbook), "/data/plan.txt");
    EXPECT_EQ(PartsCsvPath("/data/plan.v2/plan"), "/data/plan.v2/plan_parts");
    EXPECT_EQ(PartsCsvPath("/data/plan.csv"), "/data/plan_parts.csv");
}

TEST(GridDriver, ReplaysOperationsGrowingTheGridForCellsBeyondIt) {
    GridDriver g = GridDriver::Create(lattix::PropertyBag{});
    g.SetColCount(3);
    g.SetRowCount(3);
    GridOps ops;
    ops.Clear(9, 9); // nothing there to clear: the grid stays as it is
    ops.Cell(2, 5, CellContent::Num(42, "42"));
    ops.Cell(1, 1, CellContent::Num(0.5, "0.500", "0.##0"));
    ops.Cell(1, 2, CellContent::Num(2.25, "2.25"));
    ops.Align(2, 5, 2);
    ops.ColHeader(6, "Six");
    ops.Current(2, 0);
    g.Apply(ops);
    EXPECT_EQ(g.ColCount(), 6);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.CellValue(2, 5), Variant(int32_t{42}));
    EXPECT_EQ(g.CellValue(1, 1), Variant("0.500"));
    EXPECT_EQ(g.CellValue(1, 2), Variant(2.25));
    EXPECT_EQ(g.control().CellAlignH(Variant(int32_t{2}), Variant(int32_t{5})), 2);
    EXPECT_EQ(g.ColHeaderText(6), "Six");
    EXPECT_EQ(g.CurRow(), 2);
    EXPECT_EQ(g.CurCol(), 0);
    EXPECT_TRUE(CellVariant(CellContent::Clear()).isEmpty());
    EXPECT_EQ(CellVariant(CellContent::Num(3e10, "30000000000")), Variant(3e10));

    g.BeginUpdate();
    g.BeginUpdate();
    EXPECT_EQ(g.BeginUpdateCount(), 2);
    g.EndUpdate();
    g.EndUpdate();
    g.EndUpdate();
    EXPECT_EQ(g.BeginUpdateCount(), 0);
    g.SetHeaderHeight(31);
    EXPECT_EQ(g.HeaderHeight(), 31);
}

// The same toggle through real input: the result grid in a window, double-clicked by the mouse.
TEST_P(Forms, DoubleClickingGrid2Column6ByMouseTogglesItsDetailColumns) {
    LoadAndEnterFlocks();
    main_->FlockWindow()->Command1_Click();
    main_->Command2_Click();
    GridDriver& g2 = main_->Grid2();
    lattix::ui::headless::HeadlessHost host(1600, 500);
    lattix::Lattix& grid = g2.control();
    grid.AttachToWindow(host.TopLevel());
    // The centre of cell (3, 6) in the host's client coordinates.
    auto centreOf = [&](int32_t row, int32_t col) {
        const lattix::gfx::Rect r = grid.CellRectInWindow(row, col);
        lattix::ui::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        lattix::ui::Wm().ClientToScreen(grid.WindowHandle(), p);
        const lattix::ui::Point origin = host.ToScreen(0, 0);
        return lattix::ui::Point{p.x - origin.x, p.y - origin.y};
    };
    for (int c : {7, 8, 9, 10})
        ASSERT_FALSE(g2.ColVisible(c)) << c;
    lattix::ui::Point p = centreOf(3, 6);
    host.DoubleClick(p.x, p.y);
    for (int c : {7, 8, 9, 10})
        EXPECT_TRUE(g2.ColVisible(c)) << c;
    EXPECT_FALSE(g2.ColVisible(13));
    EXPECT_EQ(g2.BeginUpdateCount(), 0);
    // The grid is editable: the double click also opened the editor over the cell; Escape closes it.
    EXPECT_TRUE(grid.IsEditing());
    host.KeyPress(lattix::ui::VK_ESCAPE);
    EXPECT_FALSE(grid.IsEditing());
    host.Advance(1000);
    p = centreOf(3, 6);
    host.DoubleClick(p.x, p.y);
    for (int c : {7, 8, 9, 10})
        EXPECT_FALSE(g2.ColVisible(c)) << c;
    host.KeyPress(lattix::ui::VK_ESCAPE);
    // A single click does nothing of the kind.
    host.Advance(1000);
    host.Click(p.x, p.y);
    host.Advance(1000);
    EXPECT_FALSE(g2.ColVisible(7));
    grid.DetachWindow();
}

// A flock row typed into the flock grid with real keys: every cell commits through the edit
// events, and the sex column is checked by the AfterCommitEdit handler.
TEST_P(Forms, TypingAFlockRowIntoTheFlockGridCommitsEachCell) {
    LoadAndEnterFlocks();
    FrmFlock* flock = main_->FlockWindow();
    GridDriver& g = flock->GridFlock();
    lattix::ui::headless::HeadlessHost host(800, 400);
    lattix::Lattix& grid = g.control();
    grid.AttachToWindow(host.TopLevel());
    const lattix::gfx::Rect r = grid.CellRectInWindow(7, 2);
    lattix::ui::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    lattix::ui::Wm().ClientToScreen(grid.WindowHandle(), p);
    const lattix::ui::Point origin = host.ToScreen(0, 0);
    host.Click(p.x - origin.x, p.y - origin.y);
    ASSERT_EQ(grid.CurRow(), 7);
    ASSERT_EQ(grid.CurCol(), 2);
    int commits = 0;
    const int cookie = grid.events()->connect([&](const lattix::EventInfo& e, std::span<Variant>) {
        if (e.name == "AfterCommitEdit") ++commits;
    });
    host.TypeText("House 7\t25000\t" + num("2.75") + "\tf\t38\r");
    EXPECT_EQ(commits, 5);
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_EQ(g.CellText(7, 2), "House 7");
    EXPECT_EQ(g.CellText(7, 3), "25000");
    EXPECT_EQ(g.CellText(7, 4), num("2.75"));
    EXPECT_EQ(g.CellText(7, 5), "F"); // upper-cased by the handler
    EXPECT_EQ(g.CellText(7, 6), "38");
    EXPECT_TRUE(dialogs_.messages.empty());
    // A wrong sex is cleared with the message.
    host.KeyPress(lattix::ui::VK_LEFT);
    ASSERT_EQ(grid.CurCol(), 5);
    host.TypeText("male\r");
    EXPECT_EQ(g.CellText(7, 5), "");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], "Sex must be M, F,or X");
    host.TypeText("x\r");
    EXPECT_EQ(g.CellText(7, 5), "X");
    grid.events()->disconnect(cookie);
    grid.DetachWindow();
    flock->Command1_Click();
    EXPECT_EQ(state_->FlockCount, 7);
    EXPECT_DOUBLE_EQ(state_->FlockWeight[state_->FlockSexIndex[7]][7], 2.75);
    EXPECT_EQ(state_->FlockBirds[7], 25000);
}

} // namespace
} // namespace avigram

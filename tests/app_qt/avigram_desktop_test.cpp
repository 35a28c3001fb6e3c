// Avigram as a user meets it on the desktop: the sample carcass file handed over at start, the
// sample flocks added from their file, the distribution recalculated, both tabs and the flock
// window looked at; everything by Qt events on the real widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/forms/frm_flock.h"
#include "app/qt/avigram_desktop.h"
#include "app/qt/control_widgets.h"
#include "app/qt/flock_window.h"
#include "app/qt/main_window.h"
#include "tests/qt/dark_palette.h"
#include "tests/qt/qt_test_support.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;
using lattix::qttest::WhenReady;

QMessageBox* OpenMessageBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

// Answers the next message box with the button of that role and remembers its text.
void AnswerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenReady([] { return OpenMessageBox() != nullptr; },
              [button, text] {
                  QMessageBox* box = OpenMessageBox();
                  if (text) *text = box->text();
                  if (QAbstractButton* b = box->button(button)) b->click();
              });
}

class AvigramDesktopTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("avigram_qt_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "program");
        fs::create_directories(root_ / "data");
        for (const auto& entry : fs::directory_iterator(AVIGRAM_DATA_DIR))
            if (entry.is_regular_file()) fs::copy_file(entry.path(), root_ / "data" / entry.path().filename());
        // The hand-over: another program leaves the carcass file's name in ReadMe.txt.
        std::ofstream(root_ / "program" / "ReadMe.txt") << (root_ / "data" / "BroilerCARCDATA.txt").string() << "\r\n";
        QGuiApplication::clipboard()->clear();
        FormsEnvironment env;
        env.programFolder = (root_ / "program").string();
        env.reportFolder = (root_ / "data").string();
        app_ = std::make_unique<AvigramDesktop>(env);
        fs::create_directories(AVIGRAM_SCREENSHOT_DIR);
    }
    void TearDown() override {
        app_.reset();
        fs::remove_all(root_);
    }
    void Screenshot(QWidget* w, const char* name) {
        ASSERT_TRUE(w->grab().save(QString(AVIGRAM_SCREENSHOT_DIR) + "/" + name));
    }
    void Click(QAbstractButton* b) {
        ASSERT_TRUE(b->isVisible()) << b->text().toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Starts on the sample data, adds the flocks and computes their distributions, as a user does
    // before anything can be exported or printed.
    void StartWithResults() {
        app_->Start();
        MainWindow& main = app_->mainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        AnswerMessageBox(QMessageBox::Yes);
        Click(main.command1);
        Click(app_->flockWindow()->command1);
        Click(main.command2);
    }

    fs::path root_;
    std::unique_ptr<AvigramDesktop> app_;
};

TEST_F(AvigramDesktopTest, SampleDataFromStartToBothTabs) {
    app_->Start();
    MainWindow& main = app_->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(main.windowTitle(), "Flock Weight and Parts Distribution");
    // The handed-over file was loaded, shown in the file box, and its ReadMe.txt deleted.
    ASSERT_TRUE(app_->state().CarcassLoaded);
    EXPECT_TRUE(main.textFileName->text().endsWith("BroilerCARCDATA.txt"));
    EXPECT_FALSE(fs::exists(root_ / "program" / "ReadMe.txt"));
    EXPECT_TRUE(main.option1->isChecked() || main.option3->isChecked());
    EXPECT_FALSE(main.command3->isVisible());
    EXPECT_EQ(main.command1->text(), "Add Flocks");
    EXPECT_EQ(main.sstab1->tabText(0), "Flock Weights and Numbers");
    EXPECT_EQ(main.sstab1->tabText(1), "Parts Analysis");
    QStringList menus;
    for (QAction* a : main.menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"Files", "CV Change", "Export...", "Print...", "Save as PDF..."}));

    // "Add Flocks": the flock file beside the carcass file is offered and taken.
    QString question;
    AnswerMessageBox(QMessageBox::Yes, &question);
    Click(main.command1);
    EXPECT_TRUE(question.endsWith(" exists, use it (yes) or choose one (no) or paste or type later (cancel)"));
    FlockWindow* flock = app_->flockWindow();
    ASSERT_NE(flock, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(flock));
    EXPECT_EQ(flock->windowTitle(), "Flock Input   Enter up to 10 Flocks Here");
    GridDriver& gridFlock = app_->form().FlockWindow()->GridFlock();
    EXPECT_EQ(gridFlock.ColHeaderText(2), "Flock ID");
    EXPECT_FALSE(gridFlock.CellString(1, 2).empty());
    EXPECT_EQ(gridFlock.CellString(1, 1), "1");
    Screenshot(flock, "avigram_flock_window.png");

    // "Return" takes the flocks over and brings back the main window.
    Click(flock->command1);
    EXPECT_FALSE(flock->isVisible());
    EXPECT_GT(app_->state().FlockCount, 0);
    ASSERT_TRUE(main.command2->isVisible());
    EXPECT_EQ(main.command2->text(), "Recalc. Flock Distribution");

    // "Recalc. Flock Distribution" fills both grids.
    Click(main.command2);
    GridDriver& grid1 = app_->form().Grid1();
    GridDriver& grid2 = app_->form().Grid2();
    EXPECT_EQ(grid1.CellString(7, 1).rfind("Below -", 0), 0u) << grid1.CellString(7, 1);
    EXPECT_EQ(grid1.CellString(5, 3), "Total Birds");
    EXPECT_EQ(grid1.CellString(6, 2), "No. of birds");
    EXPECT_EQ(grid1.CellString(2, 6), gridFlock.CellString(1, 2));
    EXPECT_FALSE(grid1.CellString(8, 6).empty());
    EXPECT_EQ(grid2.ColHeaderText(2), "No. of birds");
    EXPECT_EQ(grid2.CellString(1, 4), "Average");
    EXPECT_EQ(grid2.ColHeaderText(4), "Evis. Carc.");
    EXPECT_EQ(grid1.CellString(2, 11), "House 6");
    EXPECT_EQ(grid1.CellString(28, 11), "0"); // no negative remainder
    EXPECT_TRUE(fs::exists(root_ / "data" / "WtDist.txt"));
    Screenshot(&main, "avigram_flock_weights.png");
    // The same window on a dark desktop: the grids take the palette's colours too.
    const QPalette light = QApplication::palette();
    QApplication::setPalette(lattix::qttest::DarkPalette());
    QTest::qWait(100);
    Screenshot(&main, "avigram_flock_weights_dark.png");
    QApplication::setPalette(light);
    QTest::qWait(50);

    // The second tab, by a click on its tab.
    QTabBar* tabs = main.sstab1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(app_->form().SSTab1.currentTab, 1);
    EXPECT_TRUE(main.grid2->isVisible());
    EXPECT_TRUE(main.label1->isVisible());
    Screenshot(&main, "avigram_parts_analysis.png");

    // The charts, when this build draws them, on a tab of their own.
    if (main.chartsPage != nullptr) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        EXPECT_EQ(main.sstab1->currentWidget(), main.chartsPage);
        ASSERT_NE(main.chartsContent, nullptr);
        EXPECT_EQ(main.chartsContent->layout()->count(), 2); // the distribution, the parts yield and tonnages
        Screenshot(&main, "avigram_charts.png");
        Screenshot(main.chartsContent, "avigram_charts_all.png"); // every chart, as far as the tab scrolls
    }
}

// "Export..." with a name typed without an extension: each filter writes its own format, under its
// own extension; the dialog asks before it replaces a file of that name.
TEST_F(AvigramDesktopTest, ExportAddsTheChosenFiltersExtensionToABareName) {
    ASSERT_NO_FATAL_FAILURE(StartWithResults());
    MainWindow& main = app_->mainWindow();
    auto* exportAction = main.findChild<QAction*>("Export");
    ASSERT_NE(exportAction, nullptr);

    // Chooses the filter, types the name and saves, as a user does; a question on the way (replace
    // an existing file?) is answered Yes and remembered.
    auto exportAs = [&](const fs::path& folder, const QString& filter, QString* question = nullptr) {
        fs::create_directories(folder);
        bool answered = false;
        WhenReady([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; },
                  [&] {
                      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                      dialog->setDirectory(QString::fromStdString(folder.string()));
                      dialog->selectNameFilter(filter);
                      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                      ASSERT_NE(name, nullptr);
                      name->clear();
                      QTest::keyClicks(name, "plan");
                      if (question) AnswerMessageBox(QMessageBox::Yes, question);
                      auto* buttons = dialog->findChild<QDialogButtonBox*>();
                      ASSERT_NE(buttons, nullptr);
                      QPushButton* save = buttons->button(QDialogButtonBox::Open); // captioned "Save" here
                      if (save == nullptr) save = buttons->button(QDialogButtonBox::Save);
                      ASSERT_NE(save, nullptr);
                      ASSERT_TRUE(save->isEnabled());
                      answered = true;
                      QTest::mouseClick(save, Qt::LeftButton);
                  });
        exportAction->trigger();
        EXPECT_TRUE(answered);
    };
    auto slurp = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };

    const fs::path books = root_ / "workbooks";
    exportAs(books, "Workbook (*.xlsx)");
    EXPECT_EQ(slurp(books / "plan.xlsx").substr(0, 2), "PK");
    EXPECT_FALSE(fs::exists(books / "plan"));
    EXPECT_FALSE(fs::exists(books / "plan_parts"));

    const fs::path tables = root_ / "tables";
    exportAs(tables, "CSV files (*.csv)");
    EXPECT_EQ(slurp(tables / "plan.csv").rfind("Min Weight", 0), 0u);
    EXPECT_NE(slurp(tables / "plan_parts.csv").find("No. of birds"), std::string::npos);
    EXPECT_FALSE(fs::exists(tables / "plan"));
    EXPECT_FALSE(fs::exists(tables / "plan.xlsx"));

    // Again into the workbook folder: the question names the file that is about to be replaced.
    fs::remove(books / "plan.xlsx");
    std::ofstream(books / "plan.xlsx") << "old";
    QString question;
    exportAs(books, "Workbook (*.xlsx)", &question);
    EXPECT_TRUE(question.contains("plan.xlsx")) << question.toStdString();
    EXPECT_EQ(slurp(books / "plan.xlsx").substr(0, 2), "PK");
}

// "Save as PDF..." with a bare name: the report goes to <name>.pdf, a PDF file of several pages.
TEST_F(AvigramDesktopTest, SaveAsPdfWritesTheReport) {
    ASSERT_NO_FATAL_FAILURE(StartWithResults());
    MainWindow& main = app_->mainWindow();
    auto* pdfAction = main.findChild<QAction*>("SaveAsPdf");
    ASSERT_NE(pdfAction, nullptr);
    const fs::path folder = root_ / "reports";
    fs::create_directories(folder);
    bool answered = false;
    WhenReady([] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()) != nullptr; },
              [&] {
                  auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                  dialog->setDirectory(QString::fromStdString(folder.string()));
                  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                  ASSERT_NE(name, nullptr);
                  name->clear();
                  QTest::keyClicks(name, "plan");
                  answered = true;
                  QTest::keyClick(name, Qt::Key_Return);
              });
    pdfAction->trigger();
    ASSERT_TRUE(answered);
    std::ifstream in(folder / "plan.pdf", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    // One page object per page: the title block with the flocks, the two grids, the charts.
    std::size_t pages = 0;
    for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos; at = bytes.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_GE(pages, 4u);
}

TEST_F(AvigramDesktopTest, CvChangeAsksWithAnInputBox) {
    app_->Start();
    MainWindow& main = app_->mainWindow();
    QString prompt;
    WhenReady([] { return qobject_cast<QInputDialog*>(QApplication::activeModalWidget()) != nullptr; },
              [&prompt] {
                  auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                  prompt = box->labelText();
                  box->setTextValue("0,08");
                  box->accept();
              });
    main.cvChangeMenu->trigger();
    EXPECT_TRUE(prompt.startsWith("Old CV is ")) << prompt.toStdString();
    EXPECT_DOUBLE_EQ(app_->state().FlockCV, 0.08);
}

TEST_F(AvigramDesktopTest, ControlsFollowTheWindowSizeInTwips) {
    app_->Start();
    MainWindow& main = app_->mainWindow();
    main.resize(1200, 800);
    ASSERT_TRUE(lattix::qttest::RunUntil([&] { return main.width() == 1200; }));
    FormWeights& form = app_->form();
    EXPECT_EQ(form.SSTab1.at.width, Twips(1200) - 360);
    EXPECT_EQ(form.SSTab1.at.height, Twips(800) - 1845);
    EXPECT_EQ(main.sstab1->width(), Pixels(form.SSTab1.at.width));
    EXPECT_EQ(main.grid1->width(), Pixels(form.Grid1Site.at.width));
    EXPECT_EQ(main.grid1->height(), Pixels(form.SSTab1.at.height - 400));
}

TEST_F(AvigramDesktopTest, ClosingTheMainWindowEndsTheProgram) {
    app_->Start();
    MainWindow& main = app_->mainWindow();
    AnswerMessageBox(QMessageBox::Cancel);
    Click(main.command1);
    ASSERT_NE(app_->flockWindow(), nullptr);
    main.close();
    EXPECT_TRUE(app_->form().unloaded);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(app_->flockWindow(), nullptr);
}

} // namespace
} // namespace avigram

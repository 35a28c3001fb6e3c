#include "app/qt/main_window.h"

#include <QAction>
#include <QFileInfo>
#include <QCloseEvent>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>

#include "app/qt/avigram_desktop.h"
#ifdef AVIGRAM_HAS_CHARTS
#include <QVBoxLayout>

#include "app/core/chart_data.h"
#include "app/qt/charts.h"
#endif
#include "app/qt/control_widgets.h"
#include "app/core/messages.h"
#include "app/forms/export_results.h"
#include "app/qt/export_dialog.h"
#include "app/qt/flock_window.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/results_report.h"

namespace avigram {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QPushButton* MakeButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

void SyncButton(QPushButton* widget, const Button& button) {
    widget->setText(Q(button.caption));
    Place(widget, button.at);
    FitCaption(widget, widget->text());
    SetBackColour(widget, button.backColor);
    widget->setVisible(button.visible);
}

} // namespace

MainWindow::MainWindow(AvigramDesktop& app) : app_(app) {
    setFont(FormFont());
    setObjectName("FormWeights");
    setWindowIcon(AvigramIcon());
    auto* client = new QWidget(this);
    setCentralWidget(client);

    textFileName = new QLineEdit(client);
    textFileName->setObjectName("TextFileName");
    textFileName->setReadOnly(true);
    textFileName->setCursor(Qt::PointingHandCursor);
    textFileName->installEventFilter(this);
    command1 = MakeButton(client, "Command1");
    command2 = MakeButton(client, "Command2");
    command3 = MakeButton(client, "Command3");
    option1 = new QRadioButton(client);
    option1->setObjectName("Option1");
    option3 = new QRadioButton(client);
    option3->setObjectName("Option3");
    text2 = new QLabel(client);
    text2->setObjectName("Text2");
    text2->setAutoFillBackground(true);
    text2->setFrameShape(QFrame::Panel);
    text2->setFrameShadow(QFrame::Sunken);

    sstab1 = new QTabWidget(client);
    sstab1->setObjectName("SSTab1");
    FormWeights& form = app_.form();
    auto* page1 = new QWidget;
    auto* page2 = new QWidget;
    sstab1->addTab(page1, QString());
    sstab1->addTab(page2, QString());
    grid1 = new lattix::LattixWidget(form.Grid1().shared(), page1);
    grid1->setObjectName("Grid1");
    grid2 = new lattix::LattixWidget(form.Grid2().shared(), page2);
    grid2->setObjectName("Grid2");
    label1 = new QLabel(page2);
    label1->setObjectName("Label1");
#ifdef AVIGRAM_HAS_CHARTS
    chartsPage = new QWidget;
    chartsPage->setObjectName("Charts");
    {
        // The charts keep the height they need to be read; a small window scrolls them.
        auto* pageLayout = new QVBoxLayout(chartsPage);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        auto* scroller = new QScrollArea(chartsPage);
        scroller->setWidgetResizable(true);
        scroller->setFrameShape(QFrame::NoFrame);
        chartsContent = new QWidget;
        new QVBoxLayout(chartsContent);
        scroller->setWidget(chartsContent);
        pageLayout->addWidget(scroller);
    }
    sstab1->addTab(chartsPage, QStringLiteral("Charts"));
#endif

    filesMenu = menuBar()->addAction(QString());
    filesMenu->setObjectName("aFiles");
    cvChangeMenu = menuBar()->addAction(QString());
    cvChangeMenu->setObjectName("CV_Change");
    // Both result grids into a workbook (.xlsx) or into two CSV files; a failed write keeps the
    // old files and says so in a message box.
    QAction* exportAction = menuBar()->addAction(QStringLiteral("Export..."));
    exportAction->setObjectName("Export");
    connect(exportAction, &QAction::triggered, this, [this] {
        ExportDialog dialog(this);
        if (dialog.exec() != QDialog::Accepted) return;
        const std::string path = dialog.chosenPath().toStdString();
        const ExportFormat format = dialog.chosenFormat();
        if (path.empty()) return;
        app_.Run([this, path, format] { ExportResultGrids(app_.form(), path, format); });
    });

    // The results report on a printer, or as a PDF file that replaces its old copy in one step.
    QAction* printAction = menuBar()->addAction(QStringLiteral("Print..."));
    printAction->setObjectName("Print");
    connect(printAction, &QAction::triggered, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) return;
        app_.Run([this, &printer] {
            try {
                PrintResultsReport(app_.form(), printer);
            } catch (const std::exception& e) {
                app_.dialogs().ShowMessage(std::string("Cannot print: ") + e.what());
            }
        });
    });
    QAction* pdfAction = menuBar()->addAction(QStringLiteral("Save as PDF..."));
    pdfAction->setObjectName("SaveAsPdf");
    connect(pdfAction, &QAction::triggered, this, [this] {
        QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), QString(),
                                                    QStringLiteral("PDF files (*.pdf)"));
        if (path.isEmpty()) return;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
        const std::string target = path.toStdString();
        app_.Run([this, target] {
            std::string why;
            if (!WriteResultsPdf(app_.form(), target, why))
                app_.dialogs().ShowMessage(WithPath(kMsgCannotWrite, target) + " (" + why + ")");
        });
    });

    connect(command1, &QPushButton::clicked, this, [this] { app_.Run([this] { app_.form().Command1_Click(); }); });
    connect(command2, &QPushButton::clicked, this, [this] {
        app_.Run([this] { app_.form().Command2_Click(); });
        RefreshCharts();
    });
    connect(command3, &QPushButton::clicked, this, [this] { app_.Run([this] { app_.form().Command3_Click(); }); });
    connect(cvChangeMenu, &QAction::triggered, this, [this] { app_.Run([this] { app_.form().CV_Change_Click(); }); });
    connect(sstab1, &QTabWidget::currentChanged, this, [this](int index) {
        FormWeights& f = app_.form();
        if (f.SSTab1.currentTab == index) return;
        app_.Run([&f, index] {
            f.SSTab1.currentTab = index;
            f.SSTab1_Click();
        });
    });
    resize(Pixels(form.at.width), Pixels(form.at.height));
    Sync();
}

MainWindow::~MainWindow() = default;

void MainWindow::Sync() {
    FormWeights& form = app_.form();
    setWindowTitle(Q(form.caption));
    textFileName->setText(Q(form.TextFileName.text));
    Place(textFileName, form.TextFileName.at);
    SetBackColour(textFileName, form.TextFileName.backColor);
    textFileName->setVisible(form.TextFileName.visible);
    SyncButton(command1, form.Command1);
    SyncButton(command2, form.Command2);
    SyncButton(command3, form.Command3);
    option1->setText(Q(form.Option1.caption));
    option3->setText(Q(form.Option3.caption));
    Place(option1, form.Option1.at);
    Place(option3, form.Option3.at);
    if (form.Option1.checked) option1->setChecked(true);
    if (form.Option3.checked) option3->setChecked(true);
    text2->setText(Q(form.Text2.text).replace("\r\n", "\n"));
    Place(text2, form.Text2.at);
    text2->setVisible(form.Text2.visible);

    Place(sstab1, form.SSTab1.at);
    for (int i = 0; i < sstab1->count() && i < static_cast<int>(form.SSTab1.tabs.size()); ++i)
        sstab1->setTabText(i, Q(form.SSTab1.tabs[static_cast<std::size_t>(i)]));
    // A screen reader names each result grid after its tab.
    grid1->setAccessibleName(sstab1->tabText(0));
    grid2->setAccessibleName(sstab1->tabText(1));
    if (sstab1->currentIndex() != form.SSTab1.currentTab) sstab1->setCurrentIndex(form.SSTab1.currentTab);
    // The grids' places are given relative to the tab control; its pages start below the tabs.
    QPoint pageOrigin = sstab1->widget(0)->mapTo(sstab1, QPoint(0, 0));
    Place(grid1, form.Grid1Site.at, pageOrigin);
    Place(grid2, form.Grid2Site.at, pageOrigin);
    label1->setText(Q(form.Label1.caption));
    Place(label1, form.Label1.at, pageOrigin);
    label1->setVisible(form.Label1.visible);

    filesMenu->setText(Q(form.aFiles.caption));
    cvChangeMenu->setText(Q(form.CV_Change.caption));
    if (form.unloaded) {
        hide();
    } else if (form.visible && !isVisible()) {
        show();
    }
}

void MainWindow::RefreshCharts() {
#ifdef AVIGRAM_HAS_CHARTS
    QLayout* layout = chartsContent->layout();
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const ProgramState& state = app_.state();
    DistributionChartData distribution = DistributionChart(state);
    PartsYieldChartData parts = PartsYieldChart(state);
    if (distribution.empty() && parts.empty()) return;
    if (!distribution.empty()) layout->addWidget(makeDistributionChartView(distribution, chartsContent));
    if (!parts.empty()) layout->addWidget(makePartsYieldChartView(parts, chartsContent));
#endif
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    app_.Run([this] { app_.form().Form_Resize(Twips(width()), Twips(height())); });
}

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The tab control lays out its pages once it is shown.
    app_.Sync();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    app_.Run([this] { app_.form().Form_Unload(); });
    e->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == textFileName && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        app_.Run([this] { app_.form().TextFileName_Click(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

} // namespace avigram

// FormWeights on the desktop: the file name box, the three buttons, the unit option buttons, the
// hint box, the tab control with Grid1 ("Flock Weights and Numbers") and Grid2 ("Parts Analysis"),
// and the menus "Files" and "CV Change". Controls stand where the form places them (twips).
#pragma once

#include <QMainWindow>

#include "bindings/qt/lattix_widget.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace avigram {

class AvigramDesktop;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(AvigramDesktop& app);
    ~MainWindow() override;

    // Takes over captions, visibility, colours and places from the form.
    void Sync();
    // Draws the charts tab again from the program state (when the charts are built in).
    void RefreshCharts();

    QLineEdit* textFileName = nullptr;
    QPushButton* command1 = nullptr;
    QPushButton* command2 = nullptr;
    QPushButton* command3 = nullptr;
    QRadioButton* option1 = nullptr;
    QRadioButton* option3 = nullptr;
    QLabel* text2 = nullptr;
    QTabWidget* sstab1 = nullptr;
    QLabel* label1 = nullptr;
    // The "Charts" tab after the form's two tabs, or nullptr in a build without charts.
    QWidget* chartsPage = nullptr;
    QWidget* chartsContent = nullptr; // inside the page's scroll area: the chart views
    lattix::LattixWidget* grid1 = nullptr;
    lattix::LattixWidget* grid2 = nullptr;
    QAction* filesMenu = nullptr;
    QAction* cvChangeMenu = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    AvigramDesktop& app_;
};

} // namespace avigram

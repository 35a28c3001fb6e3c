// The main window, FormWeights ("Flock Weight and Parts Distribution"): its controls, its two
// grids Grid1 ("Flock Weights and Numbers") and Grid2 ("Parts Analysis"), and its procedures. The
// computations are app/core's; this class reads their inputs out of the grids, writes their results
// into the grids through the automation interface, and keeps its controls up to date.
#pragma once

#include <memory>
#include <string>

#include "app/core/dialogs.h"
#include "app/core/number_format.h"
#include "app/core/program_state.h"
#include "app/forms/controls.h"
#include "app/forms/grid_driver.h"

namespace avigram {

class FrmFlock;

struct FormsEnvironment {
    std::string programFolder; // the folder of the program file (where "ReadMe.txt" is looked for)
    // Where the reports "regvals.txt" and "WtDist.txt" go: empty puts them beside the carcass file.
    std::string reportFolder;
    PatternFormatter format = RuntimeFormatter();
};

// The design-time property bags the container stores with the three grids.
lattix::PropertyBag Grid1Bag();
lattix::PropertyBag Grid2Bag();
lattix::PropertyBag GridFlockBag();

class FormWeights {
public:
    FormWeights(ProgramState& state, Dialogs& dialogs, FormsEnvironment env);
    ~FormWeights();
    FormWeights(const FormWeights&) = delete;
    FormWeights& operator=(const FormWeights&) = delete;

    // Start-up. takeOverHandedName runs the hand-over of a carcass file name (clipboard or
    // "ReadMe.txt"); a front end that names the file itself passes false and calls HandOver.
    void Form_Load(bool takeOverHandedName = true);
    // A carcass file name handed over to the program: shown in the file box and loaded.
    void HandOver(const std::string& carcassFile);
    void Form_Resize(int widthTwips, int heightTwips);
    // Closing the window: EndProgram.
    void Form_Unload();
    void EndProgram();

    void TextFileName_Click();
    void Command1_Click(); // "Add Flocks"
    void Command2_Click(); // "Recalc. Flock Distribution"
    void Command3_Click(); // "Recalc Carcass Wts."
    void CV_Change_Click();
    void SSTab1_Click() {}
    void Grid1_DblClick();
    void Grid2_DblClick(int32_t col);
    void MeatCalc(int32_t /*row*/) {}

    // Controls.
    std::string caption;
    bool visible = false;
    bool unloaded = false;
    Placement at{0, 0, 15465, 10725};
    TextBox TextFileName;
    Button Command1, Command2, Command3;
    OptionButton Option1, Option3;
    TextBox Text2;
    TabControl SSTab1;
    Label Label1;
    MenuEntry aFiles, CV_Change;
    GridSite Grid1Site, Grid2Site;

    GridDriver& Grid1() { return grid1_; }
    GridDriver& Grid2() { return grid2_; }
    // The flock window, once "Add Flocks" has created it.
    FrmFlock* FlockWindow() { return flock_.get(); }

    ProgramState& state() { return state_; }
    Dialogs& dialogs() { return dialogs_; }
    const FormsEnvironment& environment() const { return env_; }
    std::string ReportPath(const std::string& fileName) const;

private:
    void onGridEvent(const GridDriver& grid, const lattix::EventInfo& event, std::span<lattix::Variant> args);

    ProgramState& state_;
    Dialogs& dialogs_;
    FormsEnvironment env_;
    GridDriver grid1_;
    GridDriver grid2_;
    int grid1Cookie_ = 0, grid2Cookie_ = 0;
    lattix::DispId dblClickId_ = 0;
    std::unique_ptr<FrmFlock> flock_;
};

} // namespace avigram

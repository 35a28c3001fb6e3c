// FormWeights: start-up, loading a carcass file, the buttons, the menu, the grid double clicks,
// resizing and program end.
#include "app/forms/form_weights.h"

#include "app/core/carcass_loader.h"
#include "app/core/distribution.h"
#include "app/core/messages.h"
#include "app/core/numbers.h"
#include "app/core/parts_analysis.h"
#include "app/core/paths.h"
#include "app/forms/frm_flock.h"
#include "runtime/conversions.h"

namespace avigram {

lattix::PropertyBag Grid1Bag() {
    lattix::PropertyBag bag;
    bag.Write("_extentx", lattix::Variant(int32_t{24998}));
    bag.Write("_extenty", lattix::Variant(int32_t{9335}));
    bag.Write("allowsorting", lattix::Variant(false));
    bag.Write("autocolheadertexttemplate", lattix::Variant(" "));
    bag.Write("multiselect", lattix::Variant(true));
    return bag;
}

lattix::PropertyBag Grid2Bag() {
    lattix::PropertyBag bag;
    bag.Write("_extentx", lattix::Variant(int32_t{24998}));
    bag.Write("_extenty", lattix::Variant(int32_t{9123}));
    bag.Write("allowsorting", lattix::Variant(false));
    bag.Write("autocolheadertexttemplate", lattix::Variant(""));
    bag.Write("multiselect", lattix::Variant(true));
    return bag;
}

lattix::PropertyBag GridFlockBag() {
    lattix::PropertyBag bag;
    bag.Write("_extentx", lattix::Variant(int32_t{15473}));
    bag.Write("_extenty", lattix::Variant(int32_t{4255}));
    bag.Write("allowsorting", lattix::Variant(false));
    bag.Write("autocolheadertexttemplate", lattix::Variant("\"\""));
    return bag;
}

namespace {

Placement SiteFromBag(const lattix::PropertyBag& bag, int left, int top) {
    lattix::ControlExtent extent = lattix::ReadExtent(bag);
    return {left, top, HimetricToTwips(extent.width), HimetricToTwips(extent.height)};
}

} // namespace

FormWeights::FormWeights(ProgramState& state, Dialogs& dialogs, FormsEnvironment env)
    : state_(state), dialogs_(dialogs), env_(std::move(env)), grid1_(GridDriver::Create(Grid1Bag())),
      grid2_(GridDriver::Create(Grid2Bag())) {
    // The window as designed.
    caption = std::string(kMainCaption);
    TextFileName = {kFileBoxInitialText, true, 0x80000005, {120, 240, 3615, 375}};
    Command1 = {"Add Flocks", true, kColourButtonFace, {4080, 240, 1575, 375}};
    Command2 = {"Recalc. Flock Distribution", false, kColourButtonFace, {5815, 240, 1695, 375}};
    Command3 = {"Recalc Carcass Wts.", true, kColourButtonFace, {7615, 240, 1695, 375}};
    Option3 = {"Display lbs", false, {11400, 120, 1455, 255}};
    Option1 = {"Display KGs", false, {11400, 420, 1455, 255}};
    Text2 = {"Double Click on Carcass Part Name or Click Button\r\nto enter Wt Ranges",
             true,
             0x80000005,
             {10560, 120, 4500, 615}};
    SSTab1 = {{"Flock Weights and Numbers", "Parts Analysis"}, 0, {120, 840, 14895, 5940}};
    Label1 = {
        "Double Click on a cell below the Part Name to see More Definition", true, {240, 360, 9000, 255}};
    aFiles = {"aFiles", "Files"};
    CV_Change = {"CV_Change", "CV Change"};
    Grid1Site = {"Grid1", {}, SiteFromBag(Grid1Bag(), 240, 360)};
    Grid2Site = {"Grid2", {}, SiteFromBag(Grid2Bag(), 240, 660)};

    dblClickId_ = lattix::Lattix::ClassTypeInfo().findEvent("DblClick")->id;
    grid1Cookie_ = grid1_.control().events()->connect(
        [this](const lattix::EventInfo& e, std::span<lattix::Variant> a) { onGridEvent(grid1_, e, a); });
    grid2Cookie_ = grid2_.control().events()->connect(
        [this](const lattix::EventInfo& e, std::span<lattix::Variant> a) { onGridEvent(grid2_, e, a); });
}

FormWeights::~FormWeights() {
    flock_.reset();
    grid1_.control().events()->disconnect(grid1Cookie_);
    grid2_.control().events()->disconnect(grid2Cookie_);
}

void FormWeights::onGridEvent(const GridDriver& grid, const lattix::EventInfo& event,
                              std::span<lattix::Variant> args) {
    if (event.id != dblClickId_) return;
    if (&grid == &grid1_) {
        Grid1_DblClick();
    } else if (args.size() >= 6) {
        Grid2_DblClick(lattix::ToInt32(args[5].deref()));
    }
}

std::string FormWeights::ReportPath(const std::string& fileName) const {
    std::string folder = env_.reportFolder.empty() ? state_.CarcassFolder : env_.reportFolder;
    return JoinPath(folder.empty() ? std::string(".") : folder, fileName);
}

void FormWeights::Form_Load(bool takeOverHandedName) {
    Command1.backColor = kColourGrey;
    StartupGrids grids = StartUp(state_, env_.programFolder);
    Text2.visible = false;
    Command3.visible = false;
    grid1_.Apply(grids.grid1);
    grid2_.Apply(grids.grid2);
    SSTab1.currentTab = 0;
    visible = true;
    unloaded = false;
    if (!takeOverHandedName) return;
    if (std::optional<std::string> name = TakeOverHandedName(state_, dialogs_)) {
        TextFileName.text = *name;
        TextFileName_Click();
    }
}

void FormWeights::HandOver(const std::string& carcassFile) {
    state_.FileNameGiven = true;
    TextFileName.text = carcassFile;
    TextFileName_Click();
}

void FormWeights::TextFileName_Click() {
    std::string reportFolder = env_.reportFolder;
    CarcassClickResult result =
        avigram::TextFileName_Click(state_, dialogs_, TextFileName.text, reportFolder);
    if (!result.chosen) return;
    if (result.unitsRead) {
        if (*result.unitsRead == 0) {
            Option1.checked = true;
            Option3.checked = false;
        } else if (*result.unitsRead == 1) {
            Option3.checked = true;
            Option1.checked = false;
        }
    }
    TextFileName.backColor = kColourWhite;
    if (result.layoutChanged) {
        TextFileName.at.width = result.boxWidthTwips;
        Command1.at.left = result.command1Left;
        Command2.at.left = result.command2Left;
        Command3.at.left = result.command3Left;
        TextFileName.text = result.fileName;
    }
    if (!result.loaded) return;
    SSTab1.currentTab = 0;
    if (result.showCommand2) Command2.visible = true;
    Command1.backColor = kColourLightBlue;
}

void FormWeights::Command1_Click() {
    if (!flock_) {
        flock_ = std::make_unique<FrmFlock>(*this);
        flock_->Form_Load();
    }
    flock_->visible = true;
    if (state_.DisplayUnits == 2) state_.ClassWidth = 0.25;
    Command2.visible = true;
    Command1.backColor = kColourButtonFace;
    Command2.backColor = kColourLightBlue;
}

void FormWeights::Command2_Click() {
    Command2.backColor = kColourButtonFace;
    DistributionInputs inputs{grid1_.CellString(1, 2), grid1_.CellString(2, 2), grid1_.CellString(3, 2),
                              grid1_.CellString(4, 2)};
    DistributionResult result =
        RecalcFlockDistribution(state_, dialogs_, inputs, ReportPath("WtDist.txt"), env_.format);
    if (!result.ran) return;
    grid1_.Apply(result.grid1);
    Command3_Click();
}

void FormWeights::Command3_Click() {
    const double totalBirds = ParseNumber(grid1_.CellString(5, 4));
    PartsAnalysisResult result = RecalcCarcassWeights(state_, totalBirds, env_.format);
    grid1_.Apply(result.grid1);
    grid2_.Apply(result.grid2, &grid1_);
    for (const std::string& message : result.messages)
        dialogs_.ShowMessage(message);
}

void FormWeights::CV_Change_Click() {
    avigram::CV_Change_Click(state_, dialogs_, env_.format);
}

void FormWeights::Grid1_DblClick() {
    const int32_t row = grid1_.CurRow();
    if (grid1_.CurCol() == 1 && row >= 7) MeatCalc(row);
}

void FormWeights::Grid2_DblClick(int32_t col) {
    std::vector<int> details = DetailColumnsOf(col);
    if (details.empty()) return;
    grid2_.BeginUpdate();
    const bool show = !grid2_.ColVisible(details.front());
    for (int c : details)
        grid2_.SetColVisible(c, show);
    grid2_.EndUpdate();
}

void FormWeights::Form_Resize(int widthTwips, int heightTwips) {
    at.width = widthTwips;
    at.height = heightTwips;
    if (heightTwips > 3000) {
        SSTab1.at.height = heightTwips - 1845;
        Grid1Site.at.height = SSTab1.at.height - 400;
        Grid2Site.at.height = SSTab1.at.height - 400;
    }
    if (widthTwips > 1000) {
        SSTab1.at.width = widthTwips - 360;
        Text2.at.left = widthTwips - 400 - Text2.at.width;
        Grid1Site.at.width = SSTab1.at.width - 400;
        Grid2Site.at.width = SSTab1.at.width - 400;
    }
}

void FormWeights::Form_Unload() {
    EndProgram();
}

void FormWeights::EndProgram() {
    // Every file is closed where it was opened; what is left is to hide and unload the windows.
    if (flock_) {
        flock_->visible = false;
        flock_.reset();
    }
    visible = false;
    unloaded = true;
}

} // namespace avigram

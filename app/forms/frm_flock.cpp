// FrmFlock: the flock grid, reading and saving flock files, and leaving the window.
#include "app/forms/frm_flock.h"

#include "app/core/carcass_loader.h"
#include "app/core/messages.h"
#include "app/core/paths.h"
#include "app/core/text_file.h"
#include "app/forms/form_weights.h"
#include "runtime/conversions.h"

namespace avigram {

namespace {

constexpr int kFlockGridRows = 12;
constexpr int kFlockGridCols = 6;
constexpr const char* kFlockCaptions[kFlockGridCols] = {"Count",           "Flock ID",  "Number of birds",
                                                        "Flock. Ave. Wt.", "Flock Sex", "Flock Age"};
constexpr int kFlockWidths[kFlockGridCols] = {40, 170, 130, 95, 60, 60};

} // namespace

FrmFlock::FrmFlock(FormWeights& main) : main_(main), grid_(GridDriver::Create(GridFlockBag())) {
    caption = "Flock Input   Enter up to 10 Flocks Here";
    Command1 = {"Return", true, kColourLightBlue, {120, 2880, 1695, 495}};
    Command2 = {"Save and Return", true, kColourLightBlue, {2040, 2880, 1695, 495}};
    lattix::ControlExtent extent = lattix::ReadExtent(GridFlockBag());
    GridFlockSite = {
        "GridFlock", {}, {120, 120, HimetricToTwips(extent.width), HimetricToTwips(extent.height)}};
    afterCommitEditId_ = lattix::Lattix::ClassTypeInfo().findEvent("AfterCommitEdit")->id;
    cookie_ =
        grid_.control().events()->connect([this](const lattix::EventInfo& e, std::span<lattix::Variant> a) {
            if (e.id == afterCommitEditId_ && a.size() >= 2)
                GridFlock_AfterCommitEdit(lattix::ToInt32(a[0].deref()), lattix::ToInt32(a[1].deref()));
        });
}

FrmFlock::~FrmFlock() {
    grid_.control().events()->disconnect(cookie_);
}

void FrmFlock::Form_Load() {
    grid_.SetColCount(kFlockGridCols);
    grid_.SetRowCount(kFlockGridRows);
    for (int c = 1; c <= kFlockGridCols; ++c)
        grid_.SetColHeaderText(c, kFlockCaptions[c - 1]);
    ReadInGrid();
    for (int r = 1; r <= kFlockGridRows; ++r) {
        for (int c = 1; c <= kFlockGridCols; ++c)
            grid_.SetCellAlignH(r, c, 1);
    }
    for (int r = 1; r <= kMaxFlocks; ++r)
        grid_.SetCellValue(r, 1, lattix::Variant(std::to_string(r)));
    for (int c = 1; c <= kFlockGridCols; ++c)
        grid_.SetColWidth(c, kFlockWidths[c - 1]);
    GridFlockSite.toolTipText = "ID is your choice, Sex is X for Mixed, M for males and F for females";
}

void FrmFlock::putRow(const FlockRowUpdate& update) {
    if (update.row < 1 || update.row > kFlockGridRows) return;
    for (int i = 0; i < 5; ++i)
        grid_.SetCellValue(update.row, i + 2, lattix::Variant(update.texts[static_cast<size_t>(i)]));
}

void FrmFlock::ReadInGrid() {
    for (const FlockRowUpdate& update : ::avigram::ReadInGrid(main_.state(), main_.dialogs()))
        putRow(update);
}

bool FrmFlock::PasteFlockFile(const std::string& path) {
    FlockFileReading reading = ReadFlockFile(path, main_.state());
    if (reading.refusal) {
        main_.dialogs().ShowMessage(*reading.refusal);
        return false;
    }
    for (const std::string& problem : reading.problems)
        main_.dialogs().ShowMessage(problem);
    for (const FlockRowUpdate& update : reading.rows)
        putRow(update);
    return true;
}

FlockGridTexts FrmFlock::GridTexts() const {
    FlockGridTexts rows;
    for (int r = 1; r <= kMaxFlocks; ++r) {
        for (int c = 2; c <= kFlockGridCols; ++c)
            rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c - 2)] = grid_.CellText(r, c);
    }
    return rows;
}

void FrmFlock::GridFlock_AfterCommitEdit(int32_t row, int32_t col) {
    if (col != 5) return;
    if (std::optional<std::string> sex = NormalizeSexEntry(grid_.CellText(row, col))) {
        grid_.SetCellValue(row, col, lattix::Variant(*sex));
    } else {
        grid_.SetCellValue(row, col, lattix::Variant());
        main_.dialogs().ShowMessage(kMsgSexEntry);
    }
}

void FrmFlock::ReadFlockData() {
    ::avigram::ReadFlockData(main_.state(), main_.dialogs(), GridTexts());
}

void FrmFlock::WriteFlocks() {
    GridOps ops = ::avigram::WriteFlocks(main_.state(), GridTexts(), main_.Grid1().CellString(4, 2),
                                         main_.environment().format);
    main_.Grid1().Apply(ops);
}

void FrmFlock::savefile() {
    ::avigram::savefile(main_.state(), main_.dialogs(), GridTexts());
}

void FrmFlock::Command1_Click() {
    visible = false;
    main_.visible = true;
    main_.state().FlocksEntered = true;
    ReadFlockData();
    WriteFlocks();
    if (main_.state().CarcassLoaded) main_.Command2.visible = true;
}

void FrmFlock::Command2_Click() {
    visible = false;
    // A flock file that cannot be written is reported by savefile; the flocks are still taken over.
    savefile();
    main_.state().FlocksEntered = true;
    ReadFlockData();
    WriteFlocks();
    if (main_.state().CarcassLoaded) main_.Command2.visible = true;
}

} // namespace avigram

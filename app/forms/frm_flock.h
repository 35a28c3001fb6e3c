// The flock entry window, FrmFlock ("Flock Input   Enter up to 10 Flocks Here"), with its grid
// GridFlock. It is created by the main window's "Add Flocks" on first use and afterwards only hidden
// and shown.
#pragma once

#include <string>

#include "app/core/flock_data.h"
#include "app/forms/controls.h"
#include "app/forms/grid_driver.h"

namespace avigram {

class FormWeights;

class FrmFlock {
public:
    explicit FrmFlock(FormWeights& main);
    ~FrmFlock();
    FrmFlock(const FrmFlock&) = delete;
    FrmFlock& operator=(const FrmFlock&) = delete;

    void Form_Load();
    void Command1_Click(); // "Return"
    void Command2_Click(); // "Save and Return"
    void GridFlock_AfterCommitEdit(int32_t row, int32_t col);

    void ReadInGrid();
    // Puts the flocks of a flock file into the grid as a user pastes them (the same checked line
    // reading as ReadInGrid, problems shown as messages). False, after a message and with the grid
    // unchanged, when the file cannot be read or is no flock file.
    bool PasteFlockFile(const std::string& path);
    void ReadFlockData();
    void WriteFlocks();
    void savefile();

    // Rows 1..10, columns 2..6 of GridFlock, as the grid shows them.
    FlockGridTexts GridTexts() const;

    std::string caption;
    bool visible = false;
    Placement at{0, 0, 9120, 3600};
    Button Command1, Command2;
    GridSite GridFlockSite;

    GridDriver& GridFlock() { return grid_; }

private:
    void putRow(const FlockRowUpdate& update);

    FormWeights& main_;
    GridDriver grid_;
    int cookie_ = 0;
    lattix::DispId afterCommitEditId_ = 0;
};

} // namespace avigram

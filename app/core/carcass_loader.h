// The main window's start-up computations (Form_Load), the hand-over of a carcass file name at
// start, and choosing and loading a carcass file (TextFileName_Click). What the window itself shows
// is returned for the forms layer to apply.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/core/dialogs.h"
#include "app/core/grid_ops.h"
#include "app/core/number_format.h"
#include "app/core/program_state.h"

namespace avigram {

inline constexpr uint32_t kColourGrey = 0xC0C0C0;
inline constexpr uint32_t kColourLightBlue = 0xFFC0C0;
inline constexpr uint32_t kColourButtonFace = 0x8000000F;
inline constexpr uint32_t kColourWhite = 0xFFFFFF;
inline constexpr const char* kFileBoxInitialText = "Click here to  Open File";

struct StartupGrids {
    GridOps grid1;
    GridOps grid2;
};

// Form_Load steps 1 to 9 without the window: start values, the locale test, the normal table,
// the program folder, and the initial layout and captions of Grid1 and Grid2.
StartupGrids StartUp(ProgramState& state, std::string programFolder);

// Form_Load step 10: the carcass file name handed over through the clipboard or the file
// "ReadMe.txt" of the program folder (taken and deleted only when its first item names a carcass
// file). Sets FileNameGiven and returns the name for the file box, or nothing.
std::optional<std::string> TakeOverHandedName(ProgramState& state, Dialogs& dialogs);

struct CarcassClickResult {
    bool chosen = false;  // a name was used (false: the dialog was cancelled)
    std::string fileName; // the name used
    std::optional<int16_t>
        unitsRead;              // units from the calibration file (0 checks "Display KGs", 1 "Display lbs")
    bool layoutChanged = false; // the name has 6 or more characters: box shows it, buttons move
    int boxWidthTwips = 0;
    int command1Left = 0, command2Left = 0, command3Left = 0;
    bool loaded = false;       // read and fitted
    bool showCommand2 = false; // "Recalc. Flock Distribution" becomes visible
};

// TextFileName_Click. boxText is the file box's text (used when a name was handed over);
// reportFolder is where "regvals.txt" goes (empty: beside the carcass file). A file that fails
// leaves every piece of state it had changed as it was, and a handed-over name that fails lets the
// next click open the dialog.
CarcassClickResult TextFileName_Click(ProgramState& state, Dialogs& dialogs, std::string_view boxText,
                                      const std::string& reportFolder = {});

} // namespace avigram

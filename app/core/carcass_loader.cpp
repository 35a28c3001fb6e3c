// Form_Load's computations, the start-up hand-over and TextFileName_Click.
#include "app/core/carcass_loader.h"

#include "app/core/calibration_file.h"
#include "app/core/carcass_file.h"
#include "app/core/messages.h"
#include "app/core/normal_table.h"
#include "app/core/numbers.h"
#include "app/core/paths.h"
#include "app/core/regression.h"
#include "app/core/text_file.h"

namespace avigram {

StartupGrids StartUp(ProgramState& state, std::string programFolder) {
    ResetForStart(state);
    state.LocaleUsesComma = DetectLocaleUsesComma();
    StartupGrids grids;
    GridOps& g1 = grids.grid1;
    g1.ColCount(30);
    g1.RowCount(60);
    g1.ColWidth(1, 150);
    g1.ColWidth(5, 100);
    g1.Text(1, 1, "Min Weight");
    g1.Text(2, 1, "Max Weight");
    g1.Text(3, 1, "Delta Wt");
    g1.Text(4, 1, "No. Weight Classes");
    grids.grid2.HeaderHeight(24);
    g1.Text(3, 2, SwapSeparators(LocaleNumberText(0.1), state.LocaleUsesComma));
    g1.Text(4, 2, "20");
    g1.Text(4, 5, "Ave. WT");
    g1.Text(2, 4, "All Flocks");
    g1.Text(5, 5, "Flock Size");
    grids.grid2.ColCount(24);
    grids.grid2.RowCount(30);
    for (int c = 1; c <= 24; ++c)
        grids.grid2.ColWidth(c, 90);
    InitNormalTable(state);
    while (programFolder.size() > 1 && (programFolder.back() == '/' || programFolder.back() == '\\'))
        programFolder.pop_back();
    state.ProgramFolder = std::move(programFolder);
    return grids;
}

std::optional<std::string> TakeOverHandedName(ProgramState& state, Dialogs& dialogs) {
    std::string clip = ReadClipboardText(dialogs);
    if (clip.find("CARCDATA") == std::string::npos) {
        std::string readMe = ResolveFile(JoinPath(state.ProgramFolder, "ReadMe.txt"), true);
        if (readMe.empty()) return std::nullopt;
        std::optional<std::vector<std::string>> lines = ReadTextLines(readMe);
        if (!lines || lines->empty()) return std::nullopt;
        std::string item = FirstItem((*lines)[0]);
        // Only a hand-over file that names a carcass file is taken (and used up).
        if (item.find("CARCDATA") == std::string::npos) return std::nullopt;
        DeleteFile(readMe);
        state.FileNameGiven = true;
        return item;
    }
    // A ":" at position 3 or later means this is no file name (a drive letter has it at 2).
    if (clip.size() >= 3 && clip.find(':', 2) != std::string::npos) return std::nullopt;
    state.FileNameGiven = true;
    return clip;
}

namespace {

// The state TextFileName_Click changes before the file is known to be good.
struct LoadSnapshot {
    std::string folder, prefix, flockPath, partsPath;
    int16_t maxAge, units;
    std::array<std::string, 31> names;

    explicit LoadSnapshot(const ProgramState& s)
        : folder(s.CarcassFolder), prefix(s.CarcassPrefix), flockPath(s.FlockFilePath),
          partsPath(s.PartsFilePath), maxAge(s.MaxAge), units(s.DisplayUnits), names(s.PartNames) {}

    void Restore(ProgramState& s) const {
        s.CarcassFolder = folder;
        s.CarcassPrefix = prefix;
        s.FlockFilePath = flockPath;
        s.PartsFilePath = partsPath;
        s.MaxAge = maxAge;
        s.DisplayUnits = units;
        s.PartNames = names;
    }
};

int CharacterCount(std::string_view utf8) {
    int count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

} // namespace

CarcassClickResult TextFileName_Click(ProgramState& state, Dialogs& dialogs, std::string_view boxText,
                                      const std::string& reportFolder) {
    CarcassClickResult result;
    state.LoadError = false;
    std::string name;
    if (!state.FileNameGiven) {
        name = dialogs.ShowOpen(kCarcassDialogTitle, kCarcassDialogPattern);
        if (name == kCarcassDialogPattern) return result;
    } else {
        name = std::string(boxText);
    }
    result.chosen = true;
    result.fileName = name;

    const LoadSnapshot snapshot(state);
    CarcassName parts = SplitCarcassName(name);
    state.CarcassFolder = parts.folder;
    state.CarcassPrefix = parts.prefix;
    state.MaxAge = 0;

    const std::string stem = state.CarcassFolder + state.CarcassPrefix;
    if (std::optional<int16_t> units = ReadCalibrationFile(stem + ".clb", dialogs)) {
        state.DisplayUnits = *units;
        result.unitsRead = units;
    }
    state.FlockFilePath = stem + ".grd";
    state.PartsFilePath = stem + "PARTS.txt";

    int length = CharacterCount(name);
    if (length < 6) {
        // Too short to be a carcass file name: nothing more happens.
        return result;
    }
    result.layoutChanged = true;
    result.boxWidthTwips = 140 * length;
    result.command1Left = result.boxWidthTwips + 465;
    result.command2Left = result.boxWidthTwips + 2200;
    result.command3Left = result.boxWidthTwips + 4000;

    ReadCarc(state, dialogs, name);
    if (state.LoadError) {
        snapshot.Restore(state);
        if (result.unitsRead) result.unitsRead.reset();
        state.FileNameGiven = false;
        return result;
    }
    const std::string folder = reportFolder.empty() ? state.CarcassFolder : reportFolder;
    Regression(state, dialogs, JoinPath(folder.empty() ? std::string(".") : folder, "regvals.txt"));
    state.CarcassLoaded = true;
    result.loaded = true;
    result.showCommand2 = state.FlocksEntered;
    return result;
}

} // namespace avigram

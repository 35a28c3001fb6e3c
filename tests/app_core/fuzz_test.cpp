// Randomized files for the carcass, calibration, flock and parts list readers: mutated and
// truncated versions of valid files must load or be refused without crashing, hanging or leaving
// indexes out of bounds (the sanitizer build checks the latter). Fixed seed, bounded iterations.
#include <gtest/gtest.h>

#include <random>

#include "app/core/calibration_file.h"
#include "app/core/carcass_file.h"
#include "app/core/carcass_loader.h"
#include "app/core/distribution.h"
#include "app/core/flock_data.h"
#include "app/core/flock_file.h"
#include "app/core/normal_table.h"
#include "app/core/numbers.h"
#include "app/core/parts_analysis.h"
#include "app/core/parts_list.h"
#include "app/core/regression.h"
#include "app/core/text_file.h"
#include "carcass_fixture.h"
#include "test_support.h"

namespace avigram {
namespace {

class Mutator {
public:
    explicit Mutator(uint64_t seed) : rng_(seed) {}

    std::string Mutate(std::string text) {
        const int edits = Pick(1, 8);
        for (int e = 0; e < edits; ++e) {
            switch (Pick(0, 9)) {
            case 0: // truncate
                text.resize(text.empty() ? 0 : Pick(0, static_cast<int>(text.size())));
                break;
            case 1: // random binary bytes
                for (int i = Pick(1, 16); i > 0 && !text.empty(); --i)
                    text[Pick(0, static_cast<int>(text.size()) - 1)] = static_cast<char>(Pick(0, 255));
                break;
            case 2: { // drop TABs
                for (std::size_t i = 0; i < text.size(); ++i)
                    if (text[i] == '\t' && Pick(0, 3) == 0) text.erase(i--, 1);
                break;
            }
            case 3:
                Insert(text, Huge());
                break;
            case 4:
                Insert(text, std::string(Pick(1, 5), '\n'));
                break;
            case 5:
                Insert(text, Pick(0, 1) ? "\r" : "\r\n");
                break;
            case 6: // strip line ends at the end
                while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
                    text.pop_back();
                break;
            case 7:
                Insert(text, Pick(0, 1) ? "," : "\t");
                break;
            case 8: // duplicate a slice
                if (!text.empty()) {
                    int a = Pick(0, static_cast<int>(text.size()) - 1);
                    int n = Pick(1, std::min<int>(400, static_cast<int>(text.size()) - a));
                    text.insert(Pick(0, static_cast<int>(text.size())), text.substr(a, n));
                }
                break;
            default:
                Insert(text, Pick(0, 1) ? "Next" : "FX");
                break;
            }
        }
        return text;
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::string Huge() {
        static const char* const kTexts[] = {"1e999", "-1e999",   "1e308",  "-0",  "99999999999999999999",
                                             "nan",   "inf",      "1e-400", "100", "-20",
                                             "20.5",  "\xFF\xFE", "\0"};
        return kTexts[Pick(0, 12)];
    }
    void Insert(std::string& text, const std::string& piece) {
        text.insert(Pick(0, static_cast<int>(text.size())), piece);
    }

    std::mt19937_64 rng_;
};

std::string CalibrationText() {
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "line\r\n";
    return text + "Units,1\r\n";
}

TEST(Fuzz, MutatedFilesNeverCrashTheReaders) {
    Mutator mutate(0x5EED5EEDull);
    test::ScratchFolder dir;
    const std::string carcass = test::CarcassFile(20, 50);
    const std::string flocks = "House 1\t24000\t2.83\tM\t40\r\nHouse 2\t22000\t2.12\tF\t38\r\n"
                               "House 3\t30000\t2.51\tX\t39\r\n\t\t\t\t\r\n";
    const std::string parts = "Fillet,Tender,Next\r\nDrum,Thigh,Next\r\nWing\r\n";
    PatternFormatter format = test::TestFormatter();

    ProgramState state;
    StartUp(state, dir.str());
    for (int iteration = 0; iteration < 1000; ++iteration) {
        dir.Write("FuzzCARCDATA.txt", mutate.Mutate(carcass));
        dir.Write("Fuzz.clb", mutate.Mutate(CalibrationText()));
        dir.Write("Fuzz.grd", mutate.Mutate(flocks));
        dir.Write("FuzzPARTS.txt", mutate.Mutate(parts));

        ScriptedDialogs dialogs;
        state.FileNameGiven = true;
        TextFileName_Click(state, dialogs, dir.str() + "FuzzCARCDATA.txt");
        ASSERT_GE(state.SexMask, 0);
        ASSERT_LE(state.SexMask, 3);
        ASSERT_GE(state.DisplayUnits, 0);
        ASSERT_LE(state.DisplayUnits, 2);

        state.FlockFilePath = dir.str() + "Fuzz.grd";
        dialogs.questionAnswers = {Answer::Yes};
        FlockGridTexts grid{};
        for (const FlockRowUpdate& row : ReadInGrid(state, dialogs)) {
            ASSERT_GE(row.row, 1);
            if (row.row <= kMaxFlocks) grid[row.row - 1] = row.texts;
        }
        ReadFlockData(state, dialogs, grid);
        ASSERT_LE(state.UsedFlockCount(), kMaxFlocks);

        DistributionInputs inputs{"0", "0", "0", std::to_string(mutate.Pick(-5, 40))};
        if (mutate.Pick(0, 3) == 0) inputs.widthText = mutate.Mutate("0.1");
        if (mutate.Pick(0, 3) == 0) inputs.minText = mutate.Mutate("1.5");
        DistributionResult d =
            RecalcFlockDistribution(state, dialogs, inputs, dir.str() + "WtDist.txt", format);
        if (d.ran) {
            ASSERT_GE(state.ClassCount, 1);
            ASSERT_LE(state.ClassCount, 20);
            RecalcCarcassWeights(state, d.totalBirds, format);
        }
    }
}

TEST(Fuzz, RandomBytesAndLinesNeverCrashTheParsers) {
    Mutator mutate(42);
    ProgramState state;
    ResetForStart(state);
    ScriptedDialogs dialogs;
    for (int iteration = 0; iteration < 5000; ++iteration) {
        std::string bytes(mutate.Pick(0, 200), '\0');
        for (char& c : bytes)
            c = static_cast<char>(mutate.Pick(0, 255));
        if (iteration % 2) bytes = mutate.Mutate(test::CarcassLine("Males", 1, mutate.Pick(15, 110)));
        std::vector<std::string> lines = SplitLines(bytes);
        sortnames(state, dialogs, bytes);
        for (const std::string& line : lines) {
            if (auto row = sorttab(state, line)) {
                ASSERT_GE(*row, 0);
                ASSERT_LE(*row, 80);
            }
            ParseFlockLine(line, iteration % 3 == 0);
            (void)ParseNumber(line);
            (void)ParseWholeNumber(line);
        }
        (void)ParseCalibration(lines);
        for (const PartsListCell& cell : PlacePartsList(lines, 7, 13).cells) {
            ASSERT_GE(cell.row, 7);
            ASSERT_LE(cell.row, 16);
            ASSERT_LE(cell.col, 13);
        }
        (void)FlockFileRows(lines, false);
    }
    FitLines(state);
}

} // namespace
} // namespace avigram

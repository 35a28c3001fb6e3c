// Avigram's readers: the carcass file, the calibration file, the flock file, the parts list and the
// batch command line. A reader either takes its input or says why not, and a refused input changes
// nothing of the program's state.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/batch/batch_options.h"
#include "app/core/calibration_file.h"
#include "app/core/carcass_file.h"
#include "app/core/flock_file.h"
#include "app/core/parts_list.h"
#include "app/core/program_state.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/targets/target_functions.h"

namespace lattix::fuzz {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// A file in the temporary folder holding the input, removed again on the way out.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string_view contents) {
        char pattern[] = "/tmp/avigram-fuzz-XXXXXX";
        const int fd = mkstemp(pattern);
        FUZZ_REQUIRE(fd >= 0);
        path_ = pattern;
        size_t written = 0;
        while (written < contents.size()) {
            const ssize_t n = write(fd, contents.data() + written, contents.size() - written);
            FUZZ_REQUIRE(n > 0);
            written += static_cast<size_t>(n);
        }
        close(fd);
    }
    ~TemporaryFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace

void FuzzCarcassFile(std::span<const uint8_t> data) {
    TemporaryFile file(AsText(data));
    avigram::ProgramState state;
    avigram::ScriptedDialogs dialogs;
    const auto tableBefore = state.CarcassTable;
    const auto slopeBefore = state.Slope;
    const auto namesBefore = state.PartNames;
    avigram::ReadCarc(state, dialogs, file.path());
    if (state.LoadError) {
        FUZZ_REQUIRE(state.CarcassTable == tableBefore);
        FUZZ_REQUIRE(state.Slope == slopeBefore);
        FUZZ_REQUIRE(state.PartNames == namesBefore);
        return;
    }
    for (const auto& sex : state.CarcassTable)
        for (const auto& column : sex)
            for (double v : column) FUZZ_REQUIRE(std::isfinite(v));
    for (const auto& sex : state.Slope)
        for (double v : sex) FUZZ_REQUIRE(std::isfinite(v));
}

void FuzzCalibrationFile(std::span<const uint8_t> data) {
    const auto units = avigram::ParseCalibration(SplitLines(AsText(data)));
    if (units) FUZZ_REQUIRE(*units >= 0 && *units <= 2);
}

void FuzzFlockFile(std::span<const uint8_t> data) {
    FuzzInput in(data);
    avigram::ProgramState state;
    const bool comma = in.Flag();
    const std::vector<std::string> lines = SplitLines(in.Rest());
    const avigram::FlockFileReading reading = avigram::ReadFlockFileChecked(lines, "flocks.grd", state);
    if (reading.refusal) {
        FUZZ_REQUIRE(reading.rows.empty());
        FUZZ_REQUIRE(!reading.refusal->empty());
    }
    int lastRow = 0;
    for (const auto& update : reading.rows) {
        FUZZ_REQUIRE(update.row > lastRow && update.row <= avigram::kMaxFlocks);
        lastRow = update.row;
    }
    for (const auto& update : avigram::FlockFileRows(lines, comma)) FUZZ_REQUIRE(update.row >= 1);
}

void FuzzPartsList(std::span<const uint8_t> data) {
    FuzzInput in(data);
    const int first = in.Between(1, 12);
    const int last = first + in.Between(0, 20);
    const std::vector<std::string> lines = SplitLines(in.Rest());
    const avigram::PartsListPlacement placed = avigram::PlacePartsList(lines, first, last);
    for (const auto& cell : placed.cells) {
        FUZZ_REQUIRE(cell.col >= first && cell.col <= last);
        FUZZ_REQUIRE(cell.row >= 7 && cell.row <= 16);
    }
    // Every item is either placed or named as left out.
    size_t items = 0;
    for (const std::string& line : lines)
        for (size_t start = 0; start <= line.size();) {
            size_t end = line.find(',', start);
            if (end == std::string::npos) end = line.size();
            ++items;
            start = end + 1;
        }
    FUZZ_REQUIRE(placed.cells.size() + placed.leftOut.size() <= items);
}

void FuzzBatchCommandLine(std::span<const uint8_t> data) {
    // Arguments separated by NUL bytes.
    std::vector<std::string> args;
    std::string current;
    for (uint8_t b : data) {
        if (b == 0) {
            args.push_back(std::move(current));
            current.clear();
        } else {
            current += static_cast<char>(b);
        }
    }
    if (!current.empty()) args.push_back(current);
    const avigram::ParsedCommandLine parsed = avigram::ParseBatchCommandLine(args);
    if (parsed.help) return;
    FUZZ_REQUIRE(parsed.options.has_value() != !parsed.error.empty());
    if (parsed.options) {
        FUZZ_REQUIRE(!parsed.options->carcass.empty());
        FUZZ_REQUIRE(!parsed.options->out.empty());
    }
}

} // namespace lattix::fuzz

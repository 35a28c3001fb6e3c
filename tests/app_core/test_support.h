// Helpers of the Avigram core tests: a scratch folder, the two locales, a pattern formatter, and a
// grid image that replays GridOps the way the forms layer applies them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include "app/core/grid_ops.h"
#include "app/core/number_format.h"
#include "runtime/locale.h"

namespace avigram::test {

class ScratchFolder {
public:
    ScratchFolder() {
        static std::mt19937_64 counter(std::random_device{}());
        path_ = std::filesystem::temp_directory_path() / ("avigram_core_" + std::to_string(counter()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string str() const { return path_.string() + "/"; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << bytes;
        return (path_ / name).string();
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    bool Has(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
    std::filesystem::path path_;
};

// The digit patterns the application uses ("0", "#", one ".", literal characters), for builds
// where the runtime's Format is not there yet.
inline std::string DigitPatternFormat(double value, std::string_view pattern) {
    const std::string p(pattern);
    std::size_t first = p.find_first_of("0#"), last = p.find_last_of("0#");
    if (first == std::string::npos) return p;
    std::string prefix = p.substr(0, first), suffix = p.substr(last + 1),
                body = p.substr(first, last - first + 1);
    std::size_t point = p.find('.');
    std::string intPart = body, fracPart;
    if (point != std::string::npos && point > first && point < last) {
        intPart = p.substr(first, point - first);
        fracPart = p.substr(point + 1, last - point);
    }
    int maxDec = static_cast<int>(fracPart.size());
    int minDec = static_cast<int>(
        fracPart.find_last_of('0') == std::string::npos ? 0 : fracPart.find_last_of('0') + 1);
    int minInt = static_cast<int>(std::count(intPart.begin(), intPart.end(), '0'));
    double scale = std::pow(10.0, maxDec);
    double rounded = std::round(std::fabs(value) * scale) / scale;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", maxDec, rounded);
    std::string digits = buf;
    std::string ip = digits.substr(0, digits.find('.'));
    std::string fp = maxDec > 0 ? digits.substr(digits.find('.') + 1) : "";
    while (static_cast<int>(fp.size()) > minDec && fp.back() == '0')
        fp.pop_back();
    if (ip == "0" && minInt == 0) ip.clear();
    while (static_cast<int>(ip.size()) < minInt)
        ip = "0" + ip;
    std::string out = (value < 0 && rounded != 0 ? "-" : "") + prefix + ip;
    if (!fp.empty() || (point != std::string::npos && point > first && point < last && minDec > 0))
        out += lattix::Locale::current().decimalSeparator + fp;
    return out + suffix;
}

inline PatternFormatter TestFormatter() {
    PatternFormatter runtime = RuntimeFormatter();
    return runtime ? runtime : PatternFormatter(DigitPatternFormat);
}

// Runs a test body once with "." and once with "," as the decimal separator.
class BothLocales : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        lattix::Locale::setCurrent(GetParam() ? lattix::Locale::decimalComma() : lattix::Locale::invariant());
    }
    void TearDown() override { lattix::Locale::setCurrent(lattix::Locale::invariant()); }
    bool comma() const { return GetParam(); }
    // "2.35" written with the locale's separator.
    std::string Dec(std::string text) const {
        if (comma()) std::replace(text.begin(), text.end(), '.', ',');
        return text;
    }
};

// A grid as the replayed operations leave it.
struct GridImage {
    std::map<std::pair<int, int>, CellContent> cells;
    std::map<int, bool> visible;
    std::map<int, std::string> headers;
    std::map<int, int> widths;
    std::map<std::pair<int, int>, int> aligns;
    int curRow = 0, curCol = 0, colCount = 0, rowCount = 0, headerHeight = 0;

    void Apply(const GridOps& ops, const GridImage* grid1 = nullptr) {
        for (const GridOp& op : ops.ops()) {
            switch (op.kind) {
            case GridOp::Kind::SetCell:
                if (op.content.kind == CellContent::Kind::Empty)
                    cells.erase({op.row, op.col});
                else
                    cells[{op.row, op.col}] = op.content;
                break;
            case GridOp::Kind::CopyFromGrid1:
                if (grid1 && grid1->cells.count({op.srcRow, op.srcCol}))
                    cells[{op.row, op.col}] = grid1->cells.at({op.srcRow, op.srcCol});
                else
                    cells.erase({op.row, op.col});
                break;
            case GridOp::Kind::AlignH:
                aligns[{op.row, op.col}] = op.value;
                break;
            case GridOp::Kind::SetCurrent:
                if (op.row) curRow = op.row;
                if (op.col) curCol = op.col;
                break;
            case GridOp::Kind::ColCount:
                colCount = op.value;
                break;
            case GridOp::Kind::RowCount:
                rowCount = op.value;
                break;
            case GridOp::Kind::ColWidth:
                widths[op.col] = op.value;
                break;
            case GridOp::Kind::ColHeader:
                headers[op.col] = op.content.text;
                break;
            case GridOp::Kind::ColVisible:
                visible[op.col] = op.value != 0;
                break;
            case GridOp::Kind::HeaderHeight:
                headerHeight = op.value;
                break;
            }
        }
    }
    std::string Text(int row, int col) const {
        auto it = cells.find({row, col});
        return it == cells.end() ? std::string() : it->second.text;
    }
    double Number(int row, int col) const {
        auto it = cells.find({row, col});
        return it == cells.end() ? 0.0 : it->second.number;
    }
    bool Has(int row, int col) const { return cells.count({row, col}) != 0; }
};

} // namespace avigram::test

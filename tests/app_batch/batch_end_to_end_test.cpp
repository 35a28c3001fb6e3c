// The batch front end on the sample data, checked against the reference model computed here from
// the input files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "app/batch/batch_run.h"
#include "reference_model.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;
using reference::Model;

const std::string kData = AVIGRAM_DATA_DIR;

class BatchRun : public ::testing::Test {
protected:
    BatchRun() {
        static std::mt19937_64 counter(std::random_device{}());
        out_ = fs::temp_directory_path() / ("avigram_batch_" + std::to_string(counter()));
        model_.ReadCarcass(kData + "/BroilerCARCDATA.txt");
        model_.Fit();
        model_.ReadFlocks(kData + "/Broiler.grd");
    }
    ~BatchRun() override {
        std::error_code ec;
        fs::remove_all(out_, ec);
    }

    nlohmann::json Run(std::vector<std::string> extra) {
        std::vector<std::string> args = {"--batch", "--carcass", kData + "/BroilerCARCDATA.txt", "--out",
                                         out_.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream out, err;
        EXPECT_EQ(RunBatchCommandLine(args, out_.string(), out, err), 0);
        EXPECT_EQ(err.str(), "");
        std::ifstream in(out_ / "grids.json");
        return nlohmann::json::parse(in);
    }

    static double Number(std::string text) {
        for (char& c : text)
            if (c == ',') c = '.';
        return std::stod(text);
    }
    static std::string Text(const nlohmann::json& grid, int row, int col) {
        return grid["text"][row - 1][col - 1].get<std::string>();
    }

    // The report lines of regvals.txt: slope and intercept per part column and sex.
    void CheckRegression(bool comma) {
        std::vector<std::string> lines = reference::Lines((out_ / "regvals.txt").string());
        ASSERT_EQ(lines.size(), 56u);
        for (int c = 1; c <= 28; ++c) {
            for (int s = 1; s <= 2; ++s) {
                const std::string& line = lines[static_cast<size_t>((c - 1) * 2 + s - 1)];
                std::vector<std::string> f = reference::Split(line, '\t');
                ASSERT_EQ(f.size(), 3u) << line;
                EXPECT_EQ(f[1].find(comma ? '.' : ','), std::string::npos) << line;
                EXPECT_NEAR(Number(f[1]), model_.slope[s][c], 1e-9 * std::fabs(model_.slope[s][c]) + 1e-12)
                    << line;
                EXPECT_NEAR(Number(f[2]), model_.intercept[s][c],
                            1e-7 * std::fabs(model_.intercept[s][c]) + 1e-9)
                    << line;
                // Part name, then c and the sex each at the start of a 14-character print zone.
                std::vector<std::string> words;
                std::istringstream head(f[0]);
                for (std::string w; head >> w;)
                    words.push_back(w);
                ASSERT_GE(words.size(), 3u) << line;
                EXPECT_EQ(words[words.size() - 2], std::to_string(c)) << line;
                EXPECT_EQ(words.back(), std::to_string(s)) << line;
                const std::size_t sexAt = f[0].rfind(' ' + words.back() + ' ');
                EXPECT_EQ(sexAt % 14, 0u) << line; // zones start every 14 characters
            }
        }
        EXPECT_EQ(lines[0].substr(0, 7), "Breast ");
        EXPECT_EQ(lines[24].substr(0, 15), "Drumstick meat ");
    }

    // Birds per class in Grid1 and WtDist.txt.
    void CheckDistribution(const nlohmann::json& g1) {
        const int n = model_.classCount;
        std::vector<std::string> report = reference::Lines((out_ / "WtDist.txt").string());
        ASSERT_EQ(report.size(), model_.flocks.size() * 21);
        std::vector<double> rowSums(static_cast<size_t>(n + 2), 0.0);
        for (std::size_t fi = 0; fi < model_.flocks.size(); ++fi) {
            const reference::Flock& f = model_.flocks[fi];
            const int col = static_cast<int>(fi) + 6;
            EXPECT_EQ(Text(g1, 2, col), f.id);
            double counted = 0;
            for (int k = 0; k <= 20; ++k) {
                std::istringstream line(report[fi * 21 + static_cast<size_t>(k)]);
                double flock, cls, males, females;
                line >> flock >> cls >> males >> females;
                EXPECT_EQ(flock, static_cast<double>(fi + 1));
                EXPECT_EQ(cls, k);
                const double m = k <= n ? model_.birds[fi][1][k] : 0, w = k <= n ? model_.birds[fi][2][k] : 0;
                EXPECT_EQ(males, m) << f.id << " class " << k;
                EXPECT_EQ(females, w) << f.id << " class " << k;
                counted += m + w;
                if (k <= n) {
                    const double shown = model_.birds[fi][static_cast<size_t>(f.sex)][k];
                    EXPECT_EQ(Number(Text(g1, k + 7, col)), shown) << f.id << " class " << k;
                    rowSums[static_cast<size_t>(k)] += shown;
                }
            }
            EXPECT_EQ(Number(Text(g1, n + 8, col)), f.birds - counted) << f.id;
            // No class is negative, the remainder included, and all of them add up to the flock.
            double shownTotal = 0;
            for (int k = 0; k <= n + 1; ++k) {
                EXPECT_GE(Number(Text(g1, k + 7, col)), 0) << f.id << " class " << k;
                shownTotal += Number(Text(g1, k + 7, col));
            }
            EXPECT_EQ(shownTotal, f.birds) << f.id;
            rowSums[static_cast<size_t>(n + 1)] += f.birds - counted;
        }
        for (int k = 0; k <= n + 1; ++k)
            EXPECT_EQ(Number(Text(g1, k + 7, 2)), std::max(0.0, rowSums[static_cast<size_t>(k)])) << k;
        EXPECT_EQ(Number(Text(g1, 5, 4)), model_.totalBirds);
        EXPECT_NEAR(Number(Text(g1, 4, 4)), model_.average, 0.0005);
        EXPECT_NEAR(Number(Text(g1, 1, 2)), model_.bound[0], 0.0005);
        EXPECT_NEAR(Number(Text(g1, 2, 2)), model_.bound[static_cast<size_t>(n)], 0.0005);
    }

    // Part weights per class in Grid2 and the tonnages of Grid1.
    void CheckParts(const nlohmann::json& g1, const nlohmann::json& g2) {
        const int n = model_.classCount;
        const std::pair<int, int> entries[] = {{1, 4},  {2, 6},   {3, 7},  {13, 9},
                                               {5, 12}, {14, 13}, {6, 17}, {24, 23}};
        for (const auto& [part, col] : entries) {
            for (int k = 0; k <= n; ++k) {
                const std::string text = Text(g2, k + 2, col);
                ASSERT_GE(text.size(), 3u);
                EXPECT_EQ(text.substr(text.size() - 2), " g");
                const double mean = (model_.PartWeight(1, part, k) + model_.PartWeight(2, part, k)) / 2;
                EXPECT_NEAR(Number(text.substr(0, text.size() - 2)), mean, 0.0501) << part << " class " << k;
            }
            const double above =
                model_.PartWeight(1, part, n) + model_.PartWeight(2, part, n) -
                0.5 * (model_.PartWeight(1, part, n - 1) + model_.PartWeight(2, part, n - 1));
            const std::string text = Text(g2, n + 3, col);
            EXPECT_NEAR(Number(text.substr(0, text.size() - 2)), above, 0.0501) << part;
        }
        const int flocks = static_cast<int>(model_.flocks.size());
        const std::pair<double, int> blocks[] = {
            {model_.PartTotal(3) + model_.PartTotal(4), flocks + 7},
            {model_.PartTotal(14), flocks + 9},
            {model_.PartTotal(16), flocks + 11},
        };
        for (const auto& [total, col] : blocks) {
            EXPECT_EQ(Text(g1, 1, col), "All Flocks");
            const std::string tonnes = Text(g1, 3, col);
            ASSERT_GT(tonnes.size(), 7u);
            EXPECT_EQ(tonnes.substr(tonnes.size() - 7), " tonnes");
            EXPECT_NEAR(Number(tonnes.substr(0, tonnes.size() - 7)), total / 1e6, 0.0101) << col;
            EXPECT_NEAR(Number(Text(g1, 4, col)), total / model_.totalBirds, 0.00101) << col;
            EXPECT_EQ(g1["columns"][col - 1]["width"], 100);
        }
    }

    fs::path out_;
    Model model_;
};

TEST_F(BatchRun, SampleDataWithTheFlockFileBesideTheCarcassFile) {
    nlohmann::json doc = Run({});
    model_.Distribute(0, 0, 0);
    EXPECT_EQ(doc["messages"], nlohmann::json::array());
    const nlohmann::json& g1 = doc["Grid1"];
    const nlohmann::json& g2 = doc["Grid2"];
    const nlohmann::json& gf = doc["GridFlock"];
    EXPECT_EQ(g1["rows"], 60);
    EXPECT_EQ(g1["cols"], 18);
    EXPECT_EQ(g1["curRow"], 3);
    EXPECT_EQ(g1["curCol"], 2);
    EXPECT_EQ(g1["columns"][0]["width"], 150);
    EXPECT_EQ(g1["columns"][0]["header"], " ");
    EXPECT_EQ(g2["rows"], 30);
    EXPECT_EQ(g2["cols"], 24);
    EXPECT_EQ(g2["curRow"], 1);
    EXPECT_EQ(g2["columns"][5]["header"], "Breast");
    EXPECT_EQ(g2["columns"][1]["header"], "No. of birds");
    for (int c : {7, 8, 9, 10, 13, 14, 15, 18, 19, 20})
        EXPECT_EQ(g2["columns"][c - 1]["visible"], false) << c;
    EXPECT_EQ(g2["columns"][5]["visible"], true);
    EXPECT_EQ(gf["rows"], 12);
    EXPECT_EQ(gf["cols"], 6);
    EXPECT_EQ(gf["columns"][3]["header"], "Flock. Ave. Wt.");
    EXPECT_EQ(gf["columns"][1]["width"], 170);
    EXPECT_EQ(Text(gf, 3, 2), "House 3");
    EXPECT_EQ(Text(gf, 3, 5), "X");

    EXPECT_EQ(Text(g1, 3, 2), "0.1");
    EXPECT_DOUBLE_EQ(model_.width, 0.1);
    char label[64];
    std::snprintf(label, sizeof label, "Below - %.2f ",
                  reference::HalfEven(model_.centre - 10 * model_.width, 2));
    EXPECT_EQ(Text(g1, 7, 1), label);
    std::snprintf(label, sizeof label, " %.2f  - %.2f ",
                  reference::HalfEven(model_.centre - 10 * model_.width, 2),
                  reference::HalfEven(model_.centre - 9 * model_.width, 2));
    EXPECT_EQ(Text(g1, 8, 1), label);
    std::snprintf(label, sizeof label, "Above  %.2f ",
                  reference::HalfEven(model_.centre + 11 * model_.width, 2));
    EXPECT_EQ(Text(g1, 29, 1), label);

    CheckRegression(false);
    CheckDistribution(g1);
    CheckParts(g1, g2);
    // House 6's counts, each rounded, come to one bird more than it has: taken off, its remainder is
    // 0, and the grid, WtDist.txt and the parts analysis all count 21000 birds.
    EXPECT_EQ(Text(g1, 2, 11), "House 6");
    EXPECT_EQ(Text(g1, 28, 11), "0");
    EXPECT_EQ(Text(g2, 1, 4), "Average");
    EXPECT_EQ(g2["columns"][3]["header"], "Evis. Carc.");
}

TEST_F(BatchRun, TypedInputsChosenFlockFileAndDecimalComma) {
    // The flock file chosen in the dialog: the same flocks, first three only.
    const fs::path chosen = out_.parent_path() / (out_.filename().string() + "_flocks.grd");
    {
        std::vector<std::string> lines = reference::Lines(kData + "/Broiler.grd");
        std::ofstream grd(chosen, std::ios::binary);
        for (int i = 0; i < 3; ++i)
            grd << lines[static_cast<size_t>(i)] << "\r\n";
        grd << "FX end of flocks\r\n" << lines[3] << "\r\n";
    }
    nlohmann::json doc = Run({"--decimal-comma", "--flocks", chosen.string(), "--classes", "10", "--width",
                              "0,2", "--min", "1,5", "--max", "3,5", "--cv", "0,08"});
    fs::remove(chosen);
    model_.flocks.resize(3);
    model_.cv = 0.08;
    model_.classCount = 10;
    model_.Distribute(1.5, 3.5, 0.2);
    EXPECT_DOUBLE_EQ(model_.centre, 2.5);
    EXPECT_EQ(doc["messages"], nlohmann::json::array());
    const nlohmann::json& g1 = doc["Grid1"];
    EXPECT_EQ(g1["cols"], 15);
    EXPECT_EQ(Text(g1, 3, 2), "0,2");
    EXPECT_EQ(Text(g1, 4, 2), "10");
    EXPECT_EQ(Text(g1, 4, 6), "2,83");
    EXPECT_EQ(Text(g1, 7, 1), "Below - ,50 ");
    EXPECT_EQ(Text(g1, 19, 1), "Above  2,70 ");
    EXPECT_EQ(Text(doc["GridFlock"], 4, 2), "");
    CheckRegression(true);
    CheckDistribution(g1);
    CheckParts(g1, doc["Grid2"]);
    EXPECT_NE(Text(doc["Grid2"], 2, 4).find(','), std::string::npos);
}

TEST_F(BatchRun, ASexMismatchLeavingNoFlockIsUnusableInput) {
    // Females only in the carcass data: the mixed flock is refused with the sex message, no flock is
    // left to work with, and the run stops without writing anything.
    const fs::path folder = out_.parent_path() / (out_.filename().string() + "_in");
    fs::create_directories(folder);
    {
        std::ofstream carc(folder / "FemCARCDATA.txt", std::ios::binary);
        std::vector<std::string> lines = reference::Lines(kData + "/BroilerCARCDATA.txt");
        carc << lines[0] << "\r\n";
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].find("\tMales\t") != std::string::npos) continue;
            carc << lines[i] << "\r\n";
        }
        std::ofstream(folder / "Fem.grd", std::ios::binary) << "House 9\t1000\t2.5\tX\t40\r\n";
    }
    std::ostringstream out, err;
    std::vector<std::string> args = {"--batch", "--carcass", (folder / "FemCARCDATA.txt").string(), "--out",
                                     out_.string()};
    EXPECT_EQ(RunBatchCommandLine(args, out_.string(), out, err), kBatchUnusable);
    fs::remove_all(folder);
    EXPECT_EQ(err.str(), "avigram: The Flock Sex does not Match the Input Data of Females\n"
                         "avigram: no flock to work with; nothing was written\n");
    EXPECT_TRUE(fs::is_empty(out_));
}

TEST_F(BatchRun, ChosenFlockFileIsPastedWhenNoneLiesBesideTheCarcassFile) {
    const fs::path folder = out_.parent_path() / (out_.filename().string() + "_alone");
    fs::create_directories(folder);
    fs::copy_file(kData + "/BroilerCARCDATA.txt", folder / "BroilerCARCDATA.txt");
    std::ostringstream out, err;
    std::vector<std::string> args = {"--batch",
                                     "--carcass",
                                     (folder / "BroilerCARCDATA.txt").string(),
                                     "--flocks",
                                     kData + "/Broiler.grd",
                                     "--out",
                                     out_.string()};
    EXPECT_EQ(RunBatchCommandLine(args, out_.string(), out, err), 0);
    fs::remove_all(folder);
    std::ifstream in(out_ / "grids.json");
    nlohmann::json doc = nlohmann::json::parse(in);
    EXPECT_EQ(doc["messages"], nlohmann::json::array());
    EXPECT_EQ(Text(doc["GridFlock"], 6, 2), "House 6");
    model_.Distribute(0, 0, 0);
    CheckDistribution(doc["Grid1"]);
}

} // namespace
} // namespace avigram

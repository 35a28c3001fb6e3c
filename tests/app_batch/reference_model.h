// An independent model of what a batch run on the sample data must produce, computed here from the
// input files alone: the fitted lines, the class bounds, the birds per class and the part weights.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace avigram::reference {

inline std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(s);
    while (std::getline(in, field, sep))
        out.push_back(field);
    return out;
}

inline double HalfEven(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(x * scale) / scale;
}

struct Flock {
    std::string id;
    double birds = 0, weight = 0, age = 0;
    int sex = 0; // 0 mixed, 1 males, 2 females
};

struct Model {
    // table[sex][column][age - 20], ages 20..50.
    double table[3][29][31] = {};
    double slope[3][29] = {}, intercept[3][29] = {};
    std::vector<Flock> flocks;
    double cv = 0.1;
    int classCount = 20;
    double width = 0, centre = 0, average = 0, totalBirds = 0;
    std::array<double, 22> bound{};
    std::array<double, 87> tail{};
    // birds[flock][sex][class]
    std::vector<std::array<std::array<double, 21>, 3>> birds;

    void ReadCarcass(const std::string& path) {
        std::vector<std::string> lines = Lines(path);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::vector<std::string> f = Split(lines[i], '\t');
            if (f.size() < 30) continue;
            const int row = std::stoi(f[0]) - 20;
            const int sex = f[1] == "Males" ? 1 : f[1] == "Females" ? 2 : 0;
            for (int c = 1; c <= 28; ++c)
                table[sex][c][row] = std::stod(f[c + 1]);
        }
        for (int s = 1; s <= 2; ++s) {
            for (int r = 0; r <= 30; ++r) {
                for (int c = 12; c <= 26; ++c)
                    table[s][0][r] += table[s][c][r];
            }
        }
    }

    // Least squares of each part on body weight: males ages 21..50, females 27..50.
    void Fit() {
        for (int s = 1; s <= 2; ++s) {
            const int first = s == 1 ? 1 : 7;
            double n = 0, sx = 0, sxx = 0;
            for (int r = first; r <= 30; ++r) {
                const double x = table[s][1][r];
                n += 1;
                sx += x;
                sxx += x * x;
            }
            for (int c = 1; c <= 28; ++c) {
                const int d = c == 1 ? 0 : c;
                double sy = 0, sxy = 0;
                for (int r = first; r <= 30; ++r) {
                    sy += table[s][d][r];
                    sxy += table[s][1][r] * table[s][d][r];
                }
                slope[s][c] = (n * sxy - sx * sy) / (n * sxx - sx * sx);
                intercept[s][c] = sy / n - slope[s][c] * sx / n;
            }
            for (auto* line : {&slope[s][0], &intercept[s][0]}) {
                const double p12 = line[12], p13 = line[13];
                line[2] = p13 + p12 + line[21];
                line[3] = (p13 + p12) * 0.802;
                line[4] = (p13 + p12) * 0.198;
                line[5] = line[15] + line[14] + line[22];
                line[6] = line[17] + line[16] + line[23];
                line[7] = line[24] + line[18];
            }
        }
    }

    void ReadFlocks(const std::string& path) {
        for (const std::string& line : Lines(path)) {
            std::vector<std::string> f = Split(line, '\t');
            if (f.size() < 5 || f[0].empty()) break;
            Flock flock{f[0], std::stod(f[1]), std::stod(f[2]), std::stod(f[4]),
                        f[3] == "M"   ? 1
                        : f[3] == "F" ? 2
                                      : 0};
            flocks.push_back(flock);
        }
    }

    // The distribution with the given inputs (0 = derive it from the average).
    void Distribute(double minimum, double maximum, double classWidth) {
        double weighted = 0;
        totalBirds = 0;
        for (const Flock& f : flocks) {
            weighted += f.birds * f.weight;
            totalBirds += f.birds;
        }
        average = weighted / totalBirds;
        width = classWidth != 0 ? classWidth : HalfEven(average * 0.35 / (classCount / 2.0), 1);
        centre = minimum != 0 && maximum != 0 ? (minimum + maximum) / 2 : average;
        for (int i = 0; i <= classCount + 1; ++i)
            bound[i] = HalfEven(centre + (i - 10) * width, 3);
        for (int i = 0; i <= 85; ++i)
            tail[i] = HalfEven(1e6 * 0.5 * std::erfc((i - 43) / 10.0 / std::sqrt(2.0)), 6);
        tail[43] = 500000.01;
        tail[86] = 0;

        birds.assign(flocks.size(), {});
        for (std::size_t fi = 0; fi < flocks.size(); ++fi) {
            const Flock& f = flocks[fi];
            const int age = static_cast<int>(f.age);
            double sexWeight[3] = {0, 0, 0};
            for (int s = 1; s <= 2; ++s)
                sexWeight[s] = f.weight * table[s][1][age - 20] / table[f.sex][1][age - 20];
            std::vector<int> sexes = f.sex == 0 ? std::vector<int>{1, 2} : std::vector<int>{f.sex};
            const double share = f.sex == 0 ? 0.5 : 1.0;
            for (int s : sexes) {
                const double a = sexWeight[s], sigma = cv * a;
                for (int k = 0; k <= classCount; ++k) {
                    auto clamp = [](double z) { return std::min(4.3, std::max(-4.3, z)); };
                    const double zHigh = clamp((bound[k] - a) / sigma);
                    const double zLow = k == 0 ? -4.3 : clamp((bound[k - 1] - a) / sigma);
                    const double xH = zHigh * 10 + 43, xL = zLow * 10 + 43;
                    const int iH = static_cast<int>(std::nearbyint(xH));
                    const int iL = static_cast<int>(std::nearbyint(xL));
                    double th = tail[iH], tl = tail[iL];
                    if (iL != 86) {
                        if (zHigh > -4.3 && zHigh < 4.3)
                            th = tail[iH] + std::fabs(iH + 1 - xH) * (tail[iH] - tail[std::min(iH, 85) + 1]);
                        if (zLow > -4.3) tl = tail[iL] + std::fabs(iL + 1 - xL) * (tail[iL] - tail[iL + 1]);
                    }
                    birds[fi][s][k] = std::max(0.0, std::nearbyint(f.birds * share * (tl - th) / 1e6));
                }
            }
            // Counts rounded one by one may come to more than the flock's birds: the excess comes
            // off the largest class (the lower one on a tie), off its sex with more birds.
            double excess = -f.birds;
            for (int k = 0; k <= classCount; ++k)
                excess += birds[fi][1][k] + birds[fi][2][k];
            while (excess > 0) {
                int largest = 0;
                for (int k = 1; k <= classCount; ++k)
                    if (birds[fi][1][k] + birds[fi][2][k] > birds[fi][1][largest] + birds[fi][2][largest])
                        largest = k;
                double& males = birds[fi][1][largest];
                double& females = birds[fi][2][largest];
                double& more = females > males ? females : males;
                double& fewer = females > males ? males : females;
                const double fromMore = std::min(excess, more);
                more -= fromMore;
                const double fromFewer = std::min(excess - fromMore, fewer);
                fewer -= fromFewer;
                if (fromMore + fromFewer == 0) break;
                excess -= fromMore + fromFewer;
            }
            for (int k = 0; k <= classCount; ++k)
                birds[fi][0][k] = birds[fi][1][k] + birds[fi][2][k];
        }
    }

    // The live weight (kg) a class stands for: the middle of the interval whose birds it counts.
    double Midpoint(int k) const { return k == 0 ? bound[0] - width / 2 : (bound[k - 1] + bound[k]) / 2; }
    // Part weight in grams of one sex at class k.
    double PartWeight(int sex, int column, int k) const {
        return slope[sex][column] * 1000 * Midpoint(k) + intercept[sex][column];
    }
    // The part's weight summed over every bird of every flock, in grams.
    double PartTotal(int column) const {
        double total = 0;
        for (std::size_t fi = 0; fi < flocks.size(); ++fi) {
            for (int k = 0; k <= classCount; ++k)
                total +=
                    PartWeight(1, column, k) * birds[fi][1][k] + PartWeight(2, column, k) * birds[fi][2][k];
        }
        return total;
    }
};

} // namespace avigram::reference

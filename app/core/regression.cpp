// Regression with its combined parts and the regvals.txt report.
#include "app/core/regression.h"

#include "app/core/messages.h"
#include "app/core/paths.h"
#include "app/core/report_line.h"
#include "app/core/text_file.h"

namespace avigram {

void FitLines(ProgramState& state) {
    const auto& table = state.CarcassTable;
    int n = 0;
    while (n + 1 < kStoredRows && table[1][1][n + 1] > 0)
        ++n;

    for (int sex = 1; sex <= 2; ++sex) {
        int first = sex == 1 ? 1 : 7;
        double count = 0, sx = 0, sxx = 0;
        for (int row = first; row <= n; ++row) {
            double x = table[sex][1][row];
            count += 1;
            sx += x;
            sxx += x * x;
        }
        for (int c = 1; c <= 28; ++c) {
            int d = c == 1 ? 0 : c;
            double sy = 0, sxy = 0;
            for (int row = first; row <= n; ++row) {
                double x = table[sex][1][row];
                double y = table[sex][d][row];
                sy += y;
                sxy += x * y;
            }
            double slope = 0, intercept = 0;
            if (sxy != 0) {
                double denominator = count * sxx - sx * sx;
                if (denominator != 0) {
                    slope = (count * sxy - sx * sy) / denominator;
                    intercept = -slope * sx / count + sy / count;
                } else {
                    intercept = count > 0 ? sy / count : 0;
                }
            }
            state.Slope[sex][c] = slope;
            state.Intercept[sex][c] = intercept;
        }
    }

    for (int sex = 1; sex <= 2; ++sex) {
        auto combine = [&](auto& line) {
            line[2] = line[13] + line[12] + line[21];
            line[3] = (line[13] + line[12]) * 0.802;
            line[4] = (line[13] + line[12]) * 0.198;
            line[5] = line[15] + line[14] + line[22];
            line[6] = line[17] + line[16] + line[23];
            line[7] = line[24] + line[18];
        };
        combine(state.Slope[sex]);
        combine(state.Intercept[sex]);
    }
}

std::vector<std::string> RegressionReportLines(const ProgramState& state) {
    std::vector<std::string> lines;
    for (int c = 1; c <= 28; ++c) {
        for (int sex = 1; sex <= 2; ++sex) {
            ReportLine line;
            line.Text(state.PartNames[c + 1]).NextZone().Number(c).NextZone().Number(sex);
            line.Text("\t").Number(state.Slope[sex][c]).Text("\t").Number(state.Intercept[sex][c]);
            lines.push_back(line.str());
        }
    }
    return lines;
}

void Regression(ProgramState& state, Dialogs& dialogs, const std::string& reportPath) {
    FitLines(state);
    if (!WriteTextLines(WritablePath(reportPath), RegressionReportLines(state))) {
        dialogs.ShowMessage(WithPath(kMsgCannotWrite, reportPath));
    }
}

} // namespace avigram

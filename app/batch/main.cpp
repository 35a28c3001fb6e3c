// avigram: the program's entry point. This build has the batch front end only.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/batch/batch_run.h"
#ifdef AVIGRAM_HAS_CHARTS
#include "app/qt/chart_files.h"
#endif
#ifdef AVIGRAM_HAS_PDF
#include "app/qt/results_report.h"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string programFolder = ec ? std::string(".") : exe.parent_path().string();
    avigram::ChartWriter charts;
#ifdef AVIGRAM_HAS_CHARTS
    charts = avigram::WriteChartFiles;
#endif
    avigram::PdfWriter pdf;
#ifdef AVIGRAM_HAS_PDF
    // Qt is started only when a report is asked for.
    pdf = [](avigram::FormWeights& main, const std::string& path, std::string& error) {
        avigram::EnsureChartApplication();
        return avigram::WriteResultsPdf(main, path, error);
    };
#endif
    try {
        return avigram::RunBatchCommandLine(args, programFolder, std::cout, std::cerr, charts, pdf);
    } catch (const std::exception& e) {
        std::cerr << "avigram: " << e.what() << "\n";
        return avigram::kBatchUnusable;
    }
}

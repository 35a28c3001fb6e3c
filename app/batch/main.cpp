// avigram: the program's entry point. This build has the batch front end only.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/batch/batch_run.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string programFolder = ec ? std::string(".") : exe.parent_path().string();
    try {
        return avigram::RunBatchCommandLine(args, programFolder, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "avigram: " << e.what() << "\n";
        return 3;
    }
}

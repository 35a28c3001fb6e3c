// Every input kept under corpus/<target>/ (the seeds and every input that ever made a target fail)
// runs through its target again, so a mended fault stays mended without a fuzzer at hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_target.h"

namespace fs = std::filesystem;
using lattix::fuzz::FuzzTarget;

namespace {

std::vector<fs::path> CorpusOf(std::string_view target) {
    std::vector<fs::path> files;
    const fs::path dir = fs::path(LATTIX_FUZZ_CORPUS) / target;
    if (fs::is_directory(dir))
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CorpusReplay : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(CorpusReplay, EveryKeptInputRunsCleanly) {
    const std::vector<fs::path> files = CorpusOf(GetParam().name);
    ASSERT_FALSE(files.empty()) << "no seed inputs for " << GetParam().name;
    for (const fs::path& file : files) {
        lattix::fuzz::SetCurrentInputName(file.string());
        const std::vector<uint8_t> bytes = ReadBytes(file);
        GetParam().run(bytes);
    }
    lattix::fuzz::SetCurrentInputName("");
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(lattix::fuzz::AllFuzzTargets().begin(),
                                                                    lattix::fuzz::AllFuzzTargets().end()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/targets/target_functions.h"

namespace lattix::fuzz {

namespace {
std::string currentInput;

constexpr std::array kTargets{
    FuzzTarget{"tab_text", FuzzTabText},
    FuzzTarget{"layout_text", FuzzLayoutText},
    FuzzTarget{"property_bag_json", FuzzPropertyBagJson},
    FuzzTarget{"format", FuzzFormat},
    FuzzTarget{"text_conversion", FuzzTextConversion},
    FuzzTarget{"paste", FuzzPaste},
    FuzzTarget{"record_set", FuzzRecordSet},
    FuzzTarget{"member_calls", FuzzMemberCalls},
    FuzzTarget{"carcass_file", FuzzCarcassFile},
    FuzzTarget{"calibration_file", FuzzCalibrationFile},
    FuzzTarget{"flock_file", FuzzFlockFile},
    FuzzTarget{"parts_list", FuzzPartsList},
    FuzzTarget{"batch_command_line", FuzzBatchCommandLine},
};
} // namespace

std::span<const FuzzTarget> AllFuzzTargets() { return kTargets; }

const FuzzTarget* FindFuzzTarget(std::string_view name) {
    for (const FuzzTarget& t : kTargets)
        if (t.name == name) return &t;
    return nullptr;
}

void SetCurrentInputName(std::string_view name) { currentInput = name; }

void FuzzFailure(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: fuzz property failed: %s%s%s\n", file, line, what,
                 currentInput.empty() ? "" : " (input ", currentInput.empty() ? "" : (currentInput + ")").c_str());
    std::abort();
}

} // namespace lattix::fuzz

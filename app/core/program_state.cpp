// The program-wide state instance and its start values.
#include "app/core/program_state.h"

#include <algorithm>

namespace avigram {

int ProgramState::UsedFlockCount() const {
    int count = std::clamp<int>(FlockCount, 0, kMaxFlocks);
    return std::min(count, std::clamp<int>(FlocksAccepted, 0, kMaxFlocks));
}

ProgramState& TheState() {
    static ProgramState state;
    return state;
}

void ResetForStart(ProgramState& state) {
    state.SexNames = {"Mixed", "Males", "Females"};
    state.FlocksEntered = false;
    state.CarcassLoaded = false;
    state.LoadError = false;
    state.FileNameGiven = false;
    state.FlockCV = 0.1;
    state.MaxAge = 80;
}

} // namespace avigram

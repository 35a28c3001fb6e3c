// InitNormalTable: NormalTail[i] = 10^6 x P(Z > (i - 43) / 10) for a standard normal Z, rounded
// to 6 decimals, i = 0..85; NormalTail[43] = 500000.01 and NormalTail[86] = 0.
#pragma once

#include "app/core/program_state.h"

namespace avigram {

void InitNormalTable(ProgramState& state);

} // namespace avigram

// The normal tail table of the live-weight distribution.
#include "app/core/normal_table.h"

#include <cmath>

namespace avigram {

void InitNormalTable(ProgramState& state) {
    for (int i = 0; i <= 85; ++i) {
        double z = (i - 43) / 10.0;
        double tail = 1e6 * 0.5 * std::erfc(z / std::sqrt(2.0));
        state.NormalTail[i] = std::round(tail * 1e6) / 1e6;
    }
    // The centre is kept just above one half, as the table has always had it.
    state.NormalTail[43] = 500000.01;
    state.NormalTail[86] = 0;
}

} // namespace avigram

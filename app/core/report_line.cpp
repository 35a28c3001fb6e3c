// Print-zone layout of report lines.
#include "app/core/report_line.h"

#include "app/core/numbers.h"

namespace avigram {

ReportLine& ReportLine::Number(double x) {
    line_ += ReportNumberText(x);
    return *this;
}

ReportLine& ReportLine::NextZone() {
    std::size_t next = (line_.size() / kZoneWidth + 1) * kZoneWidth;
    line_.append(next - line_.size(), ' ');
    return *this;
}

} // namespace avigram

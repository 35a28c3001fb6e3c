// Builds one line of a report file the way a Basic program prints it: texts are copied, numbers
// are written as ReportNumberText gives them, and a print-zone step moves to the next of the
// 14-character zones that begin at columns 1, 15, 29, ...
#pragma once

#include <string>
#include <string_view>

namespace avigram {

class ReportLine {
public:
    static constexpr std::size_t kZoneWidth = 14;

    ReportLine& Text(std::string_view t) {
        line_ += t;
        return *this;
    }
    ReportLine& Number(double x);
    // Pads with blanks to the start of the next print zone (always at least one column further).
    ReportLine& NextZone();
    const std::string& str() const { return line_; }

private:
    std::string line_;
};

} // namespace avigram

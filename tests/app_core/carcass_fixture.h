// Builds carcass reference files for the tests: part column c of sex s at age a is an exact line
// in the body weight, so fitted slopes and intercepts are known.
#pragma once

#include <functional>
#include <string>

namespace avigram::test {

inline std::string CarcassHeader(int fields = 30) {
    std::string header;
    for (int f = 0; f < fields; ++f)
        header += "H" + std::to_string(f) + "\t";
    return header;
}

inline double BodyWeight(int sex, int age) {
    return sex == 2 ? 90.0 * age : 100.0 * age;
}
inline double PartSlope(int sex, int c) {
    return c / 100.0 + (sex == 2 ? 0.001 : 0);
}
inline double PartIntercept(int c) {
    return static_cast<double>(c);
}

inline std::string CarcassLine(const std::string& sexName, int sex, int age) {
    std::string line = std::to_string(age) + "\t" + sexName;
    double bw = BodyWeight(sex, age);
    line += "\t" + std::to_string(bw);
    for (int c = 2; c <= 28; ++c)
        line += "\t" + std::to_string(bw * PartSlope(sex, c) + PartIntercept(c));
    return line;
}

// Ages first..last for "Males" then "Females" (and optionally "Mixed" first).
inline std::string CarcassFile(int first = 20, int last = 50, const std::string& eol = "\r\n",
                               bool mixed = true, bool females = true) {
    std::string text = CarcassHeader() + eol;
    if (mixed)
        for (int a = first; a <= last; ++a)
            text += CarcassLine("Mixed", 0, a) + eol;
    for (int a = first; a <= last; ++a)
        text += CarcassLine("Males", 1, a) + eol;
    if (females)
        for (int a = first; a <= last; ++a)
            text += CarcassLine("Females", 2, a) + eol;
    return text;
}

} // namespace avigram::test

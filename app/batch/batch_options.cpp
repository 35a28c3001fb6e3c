// Parsing and checking the batch command line.
#include "app/batch/batch_options.h"

#include <cmath>
#include <map>

#include "app/core/numbers.h"

namespace avigram {

std::string BatchUsage() {
    return "usage: avigram --batch --carcass FILE --out DIR [--flocks FILE] [--min X] [--max X] [--width X] "
           "[--classes N] [--cv X] [--decimal-comma] [--csv] [--xlsx] [--charts] [--pdf FILE] | --help";
}

std::string BatchHelp() {
    return BatchUsage() + "\n"
        "\n"
        "Works out the live-weight distribution of up to 10 flocks and the carcass part weights and\n"
        "tonnages from a carcass reference file, without a window, and writes the results.\n"
        "\n"
        "  --batch            run without a window (required)\n"
        "  --carcass FILE     the carcass reference file (a name ending in CARCDATA.txt); its\n"
        "                     calibration file <prefix>.clb beside it chooses the units\n"
        "  --out DIR          where the results go (made when missing)\n"
        "  --flocks FILE      the flock file; without it <prefix>.grd beside the carcass file\n"
        "  --min X, --max X   lowest and highest class edge (0 or missing: worked out)\n"
        "  --width X          class width (0 or missing: worked out)\n"
        "  --classes N        number of weight classes, 1 to 20 (default 20)\n"
        "  --cv X             coefficient of variation of live weight, above 0 and at most 1\n"
        "                     (default 0.1)\n"
        "  --decimal-comma    numbers are shown and written with a decimal comma\n"
        "  --csv              also write flock_weights.csv and parts_analysis.csv\n"
        "  --xlsx             also write avigram.xlsx (one sheet per result grid)\n"
        "  --charts           also write distribution.png and parts_yield.png\n"
        "  --pdf FILE         also write the results report (title block, flock table, both\n"
        "                     result grids and the charts) as a PDF file\n"
        "  --help             show this text\n"
        "\n"
        "Always written to DIR: regvals.txt (fitted lines), WtDist.txt (birds per class) and\n"
        "grids.json (the three grids and the messages shown). Every file is replaced whole; a run\n"
        "that cannot produce its results changes none of them.\n"
        "\n"
        "Units (the calibration file's Units line): the carcass file must hold\n"
        "  0 kilograms: flock weights in kg, carcass file in grams; part weights in g, tonnes\n"
        "  1 pounds:    flock weights in lb, carcass file in kg (read as lb); part weights in lb, tons\n"
        "  2 grams:     flock weights in g, carcass file in kg (read as g); part weights in g, tonnes\n"
        "\n"
        "Every message is also written to standard error. Exit status: 0 the run was clean;\n"
        "2 it finished but reported a problem (e.g. flock lines left out); 1 the input or the\n"
        "command line could not be used (nothing was written).\n";
}

namespace {

// A number option: the number, or why not.
std::optional<double> OptionNumber(const std::string& text) {
    std::optional<double> v = WholeTextNumber(text);
    if (v && !std::isfinite(*v)) return std::nullopt;
    return v;
}

} // namespace

ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    BatchOptions o;
    std::map<std::string, std::optional<std::string>*> optionalValues = {
        {"--flocks", &o.flocks},   {"--min", &o.minText},         {"--max", &o.maxText},
        {"--width", &o.widthText}, {"--classes", &o.classesText}, {"--cv", &o.cv}, {"--pdf", &o.pdf},
    };
    std::map<std::string, bool*> flags = {{"--batch", nullptr},  {"--decimal-comma", &o.decimalComma},
                                          {"--csv", &o.csv},     {"--xlsx", &o.xlsx},
                                          {"--charts", &o.charts}};
    bool batch = false;
    std::optional<std::string> carcass, out;
    auto fail = [&](std::string why) {
        parsed.error = std::move(why);
        return parsed;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help" || name == "-h") {
            parsed.help = true;
            return parsed;
        }
        std::optional<std::string> value;
        if (auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (auto flag = flags.find(name); flag != flags.end()) {
            if (value) return fail(name + " takes no value");
            *(flag->second ? flag->second : &batch) = true;
            continue;
        }
        std::optional<std::string>* target = nullptr;
        if (name == "--carcass")
            target = &carcass;
        else if (name == "--out")
            target = &out;
        else if (auto it = optionalValues.find(name); it != optionalValues.end())
            target = it->second;
        else
            return fail("unknown argument " + name);
        if (!value) {
            if (i + 1 >= args.size()) return fail(name + " needs a value");
            value = args[++i];
        }
        *target = std::move(value);
    }
    if (!batch) return fail("this build has no window; run with --batch");
    if (!carcass || carcass->empty()) return fail("--carcass FILE is required");
    if (!out || out->empty()) return fail("--out DIR is required");
    if (o.flocks && o.flocks->empty()) return fail("--flocks needs a file name");
    if (o.pdf && o.pdf->empty()) return fail("--pdf needs a file name");

    // Class edges and width: 0 (worked out from the flocks) or a positive number.
    std::optional<double> edges[3];
    const std::pair<const char*, std::optional<std::string>*> sizes[] = {
        {"--min", &o.minText}, {"--max", &o.maxText}, {"--width", &o.widthText}};
    for (int k = 0; k < 3; ++k) {
        const auto& [option, text] = sizes[k];
        if (!*text) continue;
        edges[k] = OptionNumber(**text);
        if (!edges[k] || *edges[k] < 0 || *edges[k] > 1e9)
            return fail(std::string(option) + " must be a number of 0 or more (0: worked out from the flocks), not \"" +
                        **text + "\"");
    }
    if (edges[0] && edges[1] && *edges[0] > 0 && *edges[1] > 0 && !(*edges[0] < *edges[1]))
        return fail("--min (" + *o.minText + ") must be below --max (" + *o.maxText + ")");
    if (o.classesText) {
        std::optional<double> n = OptionNumber(*o.classesText);
        if (!n || *n != std::floor(*n) || *n < 1 || *n > 20)
            return fail("--classes must be a whole number from 1 to 20, not \"" + *o.classesText + "\"");
    }
    if (o.cv) {
        std::optional<double> cv = OptionNumber(*o.cv);
        if (!cv || !(*cv > 0) || *cv > 1)
            return fail("--cv must be a number above 0 and at most 1 (e.g. 0.1), not \"" + *o.cv + "\"");
    }
    o.carcass = *carcass;
    o.out = *out;
    parsed.options = std::move(o);
    return parsed;
}

} // namespace avigram

// Parsing the batch command line.
#include "app/batch/batch_options.h"

#include <map>

namespace avigram {

std::string BatchUsage() {
    return "usage: avigram --batch --carcass FILE --out DIR [--flocks FILE] [--min X] [--max X] [--width X] "
           "[--classes N] [--cv X] [--decimal-comma]";
}

ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    BatchOptions o;
    std::map<std::string, std::optional<std::string>*> optionalValues = {
        {"--flocks", &o.flocks},   {"--min", &o.minText},         {"--max", &o.maxText},
        {"--width", &o.widthText}, {"--classes", &o.classesText}, {"--cv", &o.cv},
    };
    bool batch = false;
    std::optional<std::string> carcass, out;
    auto fail = [&](std::string why) {
        parsed.error = std::move(why);
        return parsed;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> value;
        if (auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "--batch" || name == "--decimal-comma") {
            if (value) return fail(name + " takes no value");
            (name == "--batch" ? batch : o.decimalComma) = true;
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
    o.carcass = *carcass;
    o.out = *out;
    parsed.options = std::move(o);
    return parsed;
}

} // namespace avigram

// The batch run.
#include "app/batch/batch_run.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/batch/grids_json.h"
#include "app/core/dialogs.h"
#include "app/core/paths.h"
#include "app/core/program_state.h"
#include "app/forms/form_weights.h"
#include "app/forms/frm_flock.h"
#include "runtime/locale.h"

namespace avigram {

namespace {

namespace fs = std::filesystem;

bool Readable(const std::string& path) {
    std::string resolved = ResolveFile(path, false);
    if (resolved.empty()) return false;
    std::error_code ec;
    if (fs::is_directory(resolved, ec)) return false;
    std::ifstream in(resolved, std::ios::binary);
    return static_cast<bool>(in);
}

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(ResolveFile(path, false)), ec);
    return ec ? path : p.lexically_normal().string();
}

} // namespace

int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& err) {
    if (!Readable(options.carcass)) {
        err << "avigram: cannot read the carcass file " << options.carcass << "\n";
        return kBatchUnreadableFile;
    }
    if (options.flocks && !Readable(*options.flocks)) {
        err << "avigram: cannot read the flock file " << *options.flocks << "\n";
        return kBatchUnreadableFile;
    }
    std::error_code ec;
    fs::create_directories(options.out, ec);
    if (!fs::is_directory(options.out, ec)) {
        err << "avigram: cannot create the output folder " << options.out << "\n";
        return kBatchUnreadableFile;
    }
    const std::string out = AbsolutePath(options.out);

    lattix::ScopedLocale locale(options.decimalComma ? lattix::Locale::decimalComma()
                                                     : lattix::Locale::fromProcess());
    auto state = std::make_unique<ProgramState>();
    ScriptedDialogs dialogs; // no clipboard: nothing is handed over that way
    FormsEnvironment env;
    env.programFolder = programFolder;
    env.reportFolder = out;
    FormWeights main(*state, dialogs, env);

    main.Form_Load(false);
    main.HandOver(AbsolutePath(options.carcass));

    // "Add Flocks": the flock window asks whether to use the flock file beside the carcass file.
    const std::string flocks = options.flocks ? AbsolutePath(*options.flocks) : std::string();
    if (options.flocks) {
        dialogs.questionAnswers = {Answer::No};
        dialogs.openAnswers = {flocks};
    } else {
        dialogs.questionAnswers = {Answer::Yes};
    }
    main.Command1_Click();
    FrmFlock& flockWindow = *main.FlockWindow();
    // Without a flock file beside the carcass file there is no question to answer: the chosen
    // file's flocks are pasted into the grid instead.
    if (options.flocks && !dialogs.questionAnswers.empty()) flockWindow.PasteFlockFile(flocks);
    dialogs.questionAnswers.clear();
    dialogs.openAnswers.clear();
    flockWindow.Command1_Click(); // "Return"

    GridDriver& grid1 = main.Grid1();
    const std::pair<int, const std::optional<std::string>*> typed[] = {
        {1, &options.minText}, {2, &options.maxText}, {3, &options.widthText}, {4, &options.classesText}};
    for (const auto& [row, text] : typed) {
        if (*text) grid1.SetCellValue(row, 2, lattix::Variant(**text));
    }
    if (options.cv) {
        dialogs.inputAnswers = {*options.cv};
        main.CV_Change_Click();
    }
    main.Command2_Click();

    const std::string jsonPath = JoinPath(out, "grids.json");
    std::ofstream json(jsonPath, std::ios::binary | std::ios::trunc);
    json << GridsDocument(grid1, main.Grid2(), flockWindow.GridFlock(), dialogs.messages).dump(2) << "\n";
    json.close();
    if (!json) {
        err << "avigram: cannot write " << jsonPath << "\n";
        return kBatchUnreadableFile;
    }
    return kBatchOk;
}

int RunBatchCommandLine(const std::vector<std::string>& args, const std::string& programFolder,
                        std::ostream& err) {
    ParsedCommandLine parsed = ParseBatchCommandLine(args);
    if (!parsed.options) {
        err << "avigram: " << parsed.error << "; " << BatchUsage() << "\n";
        return kBatchUsageError;
    }
    return RunBatch(*parsed.options, programFolder, err);
}

} // namespace avigram

// The batch run.
#include "app/batch/batch_run.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/batch/grids_json.h"
#include "app/core/dialogs.h"
#include "app/core/grid_export.h"
#include "app/core/messages.h"
#include "app/core/paths.h"
#include "app/core/program_state.h"
#include "app/core/text_file.h"
#include "app/forms/form_weights.h"
#include "app/forms/frm_flock.h"
#include "app/forms/export_results.h"
#include "app/forms/grid_sheet.h"
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

// Dialogs answered from the script, with every message box also written to the error stream.
class EchoingDialogs : public ScriptedDialogs {
public:
    explicit EchoingDialogs(std::ostream& err) : err_(err) {}
    void ShowMessage(std::string_view text) override {
        ScriptedDialogs::ShowMessage(text);
        err_ << "avigram: " << text << "\n";
    }

private:
    std::ostream& err_;
};

// A private folder inside the output folder for the files of one run; removed with what is left in
// it when the run ends.
class StagingFolder {
public:
    explicit StagingFolder(const std::string& out) {
        std::string pattern = JoinPath(out, ".avigram-run-XXXXXX");
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (::mkdtemp(name.data())) path_ = name.data();
    }
    ~StagingFolder() {
        if (path_.empty()) return;
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;
    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace

int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& err,
             const ChartWriter& charts, const PdfWriter& pdf) {
    if (!Readable(options.carcass)) {
        err << "avigram: cannot read the carcass file " << options.carcass << "\n";
        return kBatchUnusable;
    }
    // The flock file: the one named, or the one beside the carcass file.
    const std::string carcass = AbsolutePath(options.carcass);
    std::string flocks;
    if (options.flocks) {
        if (!Readable(*options.flocks)) {
            err << "avigram: cannot read the flock file " << *options.flocks << "\n";
            return kBatchUnusable;
        }
        flocks = AbsolutePath(*options.flocks);
    } else {
        const CarcassName name = SplitCarcassName(carcass);
        const std::string beside = name.folder + name.prefix + ".grd";
        if (ResolveFile(beside, true).empty()) {
            err << "avigram: no flock file: " << beside
                << " does not exist; name one with --flocks FILE\n";
            return kBatchUnusable;
        }
    }
    if (options.charts && !charts) {
        err << "avigram: this build cannot draw charts (--charts)\n";
        return kBatchUnusable;
    }
    if (options.pdf && !pdf) {
        err << "avigram: this build cannot write PDF files (--pdf)\n";
        return kBatchUnusable;
    }
    std::error_code ec;
    fs::create_directories(options.out, ec);
    if (!fs::is_directory(options.out, ec)) {
        err << "avigram: cannot create the output folder " << options.out << "\n";
        return kBatchUnusable;
    }
    const std::string out = AbsolutePath(options.out);
    StagingFolder staging(out);
    if (!staging.ok()) {
        err << "avigram: cannot write into the output folder " << out << "\n";
        return kBatchUnusable;
    }

    lattix::ScopedLocale locale(options.decimalComma ? lattix::Locale::decimalComma()
                                                     : lattix::Locale::fromProcess());
    auto state = std::make_unique<ProgramState>();
    EchoingDialogs dialogs(err); // no clipboard: nothing is handed over that way
    FormsEnvironment env;
    env.programFolder = programFolder;
    env.reportFolder = staging.path();
    FormWeights main(*state, dialogs, env);

    main.Form_Load(false);
    main.HandOver(carcass);
    if (!state->CarcassLoaded) {
        err << "avigram: the carcass file " << options.carcass << " cannot be used; nothing was written\n";
        return kBatchUnusable;
    }

    // "Add Flocks": the flock window asks whether to use the flock file beside the carcass file.
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
    if (state->UsedFlockCount() == 0) {
        err << "avigram: no flock to work with; nothing was written\n";
        return kBatchUnusable;
    }

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

    // The results, into the private folder.
    auto report = [&](const std::string& text) { dialogs.ShowMessage(text); };
    const std::string decimal = lattix::Locale::current().decimalSeparator;
    std::vector<ExportSheet> sheets;
    if (options.csv || options.xlsx)
        sheets = {SheetOfGrid(grid1, kGrid1SheetName), SheetOfGrid(main.Grid2(), kGrid2SheetName)};
    if (options.csv) {
        const char* names[] = {"flock_weights.csv", "parts_analysis.csv"};
        for (std::size_t i = 0; i < 2; ++i) {
            if (!WriteCsv(JoinPath(staging.path(), names[i]), sheets[i], decimal))
                report(WithPath(kMsgCannotWrite, JoinPath(out, names[i])));
        }
    }
    if (options.xlsx) {
        std::string why;
        if (!WriteXlsx(JoinPath(staging.path(), "avigram.xlsx"), sheets, decimal, &why))
            report(WithPath(kMsgCannotWrite, JoinPath(out, "avigram.xlsx")) + " (" + why + ")");
    }
    if (options.charts) {
        std::string why;
        if (!charts(staging.path(), DistributionChart(*state), PartsYieldChart(*state), why))
            report("Cannot draw the charts: " + why);
    }
    const std::string json =
        GridsDocument(grid1, main.Grid2(), flockWindow.GridFlock(), dialogs.messages).dump(2) + "\n";
    if (!WriteFileAtomically(JoinPath(staging.path(), "grids.json"), json)) {
        err << "avigram: cannot write " << JoinPath(out, "grids.json") << "\n";
        return kBatchUnusable;
    }

    // Into place, one file at a time, each replacing its old copy in one step.
    bool published = true;
    for (const fs::directory_entry& entry : fs::directory_iterator(staging.path(), ec)) {
        const fs::path target = fs::path(out) / entry.path().filename();
        fs::rename(entry.path(), target, ec);
        if (ec) {
            err << "avigram: " << WithPath(kMsgCannotWrite, target.string()) << " (" << ec.message() << ")\n";
            published = false;
        }
    }
    // The report, beside the other results or wherever it was asked for.
    if (options.pdf) {
        std::string why;
        if (!pdf(main, *options.pdf, why)) {
            err << "avigram: " << WithPath(kMsgCannotWrite, *options.pdf) << " (" << why << ")\n";
            published = false;
        }
    }
    return dialogs.messages.empty() && published ? kBatchOk : kBatchProblemReported;
}

int RunBatchCommandLine(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                        std::ostream& err, const ChartWriter& charts, const PdfWriter& pdf) {
    ParsedCommandLine parsed = ParseBatchCommandLine(args);
    if (parsed.help) {
        out << BatchHelp();
        return kBatchOk;
    }
    if (!parsed.options) {
        err << "avigram: " << parsed.error << "\n" << BatchUsage() << "\n";
        return kBatchUnusable;
    }
    return RunBatch(*parsed.options, programFolder, err, charts, pdf);
}

} // namespace avigram

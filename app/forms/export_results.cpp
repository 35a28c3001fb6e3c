// Exporting the result grids of the main window.
#include "app/forms/export_results.h"

#include "app/core/grid_export.h"
#include "app/core/messages.h"
#include "app/forms/grid_sheet.h"
#include "runtime/locale.h"

namespace avigram {

namespace {

// Where the extension of the file name in path starts, or npos when it has none. A leading dot
// (a hidden file's name) starts no extension.
std::size_t ExtensionDot(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) return std::string::npos;
    return dot;
}

} // namespace

const char* ExportExtension(ExportFormat format) {
    return format == ExportFormat::Workbook ? ".xlsx" : ".csv";
}

std::string ExportFilePath(const std::string& path, ExportFormat format) {
    if (ExtensionDot(path) != std::string::npos) return path;
    return path + ExportExtension(format);
}

std::string PartsCsvPath(const std::string& path) {
    const std::size_t dot = ExtensionDot(path);
    if (dot == std::string::npos) return path + "_parts";
    return path.substr(0, dot) + "_parts" + path.substr(dot);
}

bool ExportResultGrids(FormWeights& main, const std::string& path, ExportFormat format) {
    const std::string file = ExportFilePath(path, format);
    const std::string decimal = lattix::Locale::current().decimalSeparator;
    const ExportSheet grid1 = SheetOfGrid(main.Grid1(), kGrid1SheetName);
    const ExportSheet grid2 = SheetOfGrid(main.Grid2(), kGrid2SheetName);
    if (format == ExportFormat::Workbook) {
        std::string why;
        if (WriteXlsx(file, {grid1, grid2}, decimal, &why)) return true;
        main.dialogs().ShowMessage(WithPath(kMsgCannotWrite, file) + (why.empty() ? "" : " (" + why + ")"));
        return false;
    }
    bool ok = true;
    for (const auto& [csv, sheet] : {std::pair{file, &grid1}, std::pair{PartsCsvPath(file), &grid2}}) {
        if (!WriteCsv(csv, *sheet, decimal)) {
            main.dialogs().ShowMessage(WithPath(kMsgCannotWrite, csv));
            ok = false;
        }
    }
    return ok;
}

} // namespace avigram

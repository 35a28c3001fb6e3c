// Exporting the result grids of the main window.
#include "app/forms/export_results.h"

#include <algorithm>
#include <cctype>

#include "app/core/grid_export.h"
#include "app/core/messages.h"
#include "app/forms/grid_sheet.h"
#include "runtime/locale.h"

namespace avigram {

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    return std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                      [](char e, char t) { return std::tolower(static_cast<unsigned char>(t)) == e; });
}

} // namespace

std::string PartsCsvPath(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + "_parts";
    return path.substr(0, dot) + "_parts" + path.substr(dot);
}

bool ExportResultGrids(FormWeights& main, const std::string& path) {
    const std::string decimal = lattix::Locale::current().decimalSeparator;
    const ExportSheet grid1 = SheetOfGrid(main.Grid1(), kGrid1SheetName);
    const ExportSheet grid2 = SheetOfGrid(main.Grid2(), kGrid2SheetName);
    if (EndsWithIgnoringCase(path, ".xlsx")) {
        std::string why;
        if (WriteXlsx(path, {grid1, grid2}, decimal, &why)) return true;
        main.dialogs().ShowMessage(WithPath(kMsgCannotWrite, path) + (why.empty() ? "" : " (" + why + ")"));
        return false;
    }
    bool ok = true;
    for (const auto& [file, sheet] : {std::pair{path, &grid1}, std::pair{PartsCsvPath(path), &grid2}}) {
        if (!WriteCsv(file, *sheet, decimal)) {
            main.dialogs().ShowMessage(WithPath(kMsgCannotWrite, file));
            ok = false;
        }
    }
    return ok;
}

} // namespace avigram

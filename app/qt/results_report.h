// The results report of the main window on paper or as a PDF file ("Print...", "Save as PDF..."
// and the batch front end's --pdf): a title block (carcass file, date, units, flock CV, class
// limits), the flock table, the "Flock Weights and Numbers" grid, the "Parts Analysis" grid split
// over pages as it needs, and the charts when the program has them.
#pragma once

#include <string>

#include "app/forms/form_weights.h"

class QPagedPaintDevice;

namespace avigram {

// Draws the report onto the device page by page and returns the number of pages. Throws
// std::runtime_error when the device cannot be painted on.
int PrintResultsReport(FormWeights& main, QPagedPaintDevice& device);

// Writes the report as a PDF file (A4), replacing the old file in one step; false with the reason
// when it cannot, and the old file is then kept. A Qt application object must exist.
bool WriteResultsPdf(FormWeights& main, const std::string& path, std::string& error);

} // namespace avigram

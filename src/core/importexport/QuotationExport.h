#pragma once

#include "model/CWPapier.h"

#include <string>
#include <vector>

// Writes the quotation histories of all items to a text or a BIFF2 worksheet file.
namespace QuotationExport {

// The worksheet format is chosen when the lower-cased path contains ".xls" anywhere.
bool isSpreadsheetPath(const std::string& path);

// Exports `items` in document order. On failure returns false with the message to show
// ("File could not be saved (%i)", ...); an earlier file at `path` then stays unchanged.
// Without items the text format writes no file; the worksheet format writes an empty sheet.
bool ExportQuotations(const std::vector<CWPapier>& items, const std::string& path, std::string& message);

} // namespace QuotationExport

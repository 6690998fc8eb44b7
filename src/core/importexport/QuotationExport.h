// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/model/PortfolioItem.h"

#include <string>
#include <vector>

// Writes the quotation histories of all items to a text or a BIFF2 worksheet file.
namespace QuotationExport {

struct Outcome {
    enum Status {
        Saved,
        NothingWritten, // no items, text format: no file is created
        FileError, // "File could not be saved: %1" with the reason
        SheetTooLarge, // more rows or columns than the worksheet file can address
    };
    Status status = Saved;
    std::string message;

    bool succeeded() const { return status == Saved || status == NothingWritten; }
};

// The worksheet format is chosen when the lower-cased path contains ".xls" anywhere.
bool isSpreadsheetPath(const std::string& path);

// Exports `items` in document order. On failure an earlier file at `path` stays unchanged.
// Without items the text format writes no file; the worksheet format writes an empty sheet.
Outcome exportQuotations(const std::vector<PortfolioItem>& items, const std::string& path);
// The document's export: every item, in document order, whatever the list selects.
Outcome exportQuotations(const PortfolioDocument& doc, const std::string& path);

} // namespace QuotationExport

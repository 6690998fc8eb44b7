// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/QuotationExport.h"

#include "core/base/AtomicFileWriter.h"
#include "core/importexport/Biff2Worksheet.h"
#include "core/importexport/QuotationSheetExport.h"
#include "core/importexport/QuotationTextExport.h"

#include <algorithm>

namespace {

using QuotationExport::Outcome;

Outcome saveFailed(const AtomicFileWriter::Result& result)
{
    if (!result.refusal.empty())
        return {Outcome::FileError, result.refusal};
    return {Outcome::FileError, "File could not be saved: " + AtomicFileWriter::reason(result)};
}

Outcome exportSheet(const std::vector<PortfolioItem>& items, const std::string& path)
{
    const Biff2Worksheet sheet = QuotationSheetExport::layout(items);
    if (!sheet.fitsFile())
        return {Outcome::SheetTooLarge,
                "The quotations do not fit into a worksheet: it holds at most 65536 rows and 65536 columns."};
    const AtomicFileWriter::Result result = AtomicFileWriter::save(path, sheet.bytes());
    if (!result.saved)
        return saveFailed(result);
    return {};
}

Outcome exportText(const std::vector<PortfolioItem>& items, const std::string& path)
{
    if (items.empty())
        return {Outcome::NothingWritten, {}};
    const AtomicFileWriter::Result result = AtomicFileWriter::save(path, QuotationTextExport::render(items));
    if (!result.saved)
        return saveFailed(result);
    return {};
}

} // namespace

namespace QuotationExport {

bool isSpreadsheetPath(const std::string& path)
{
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower.find(".xls") != std::string::npos;
}

Outcome exportQuotations(const std::vector<PortfolioItem>& items, const std::string& path)
{
    return isSpreadsheetPath(path) ? exportSheet(items, path) : exportText(items, path);
}

Outcome exportQuotations(const PortfolioDocument& doc, const std::string& path)
{
    std::vector<PortfolioItem> items;
    items.reserve(static_cast<size_t>(doc.itemCount()));
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        items.push_back(doc.item(pos));
    return exportQuotations(items, path);
}

} // namespace QuotationExport

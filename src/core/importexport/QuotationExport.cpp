#include "importexport/QuotationExport.h"

#include "importexport/AtomicFileWriter.h"
#include "importexport/Biff2Worksheet.h"
#include "importexport/QuotationSheetExport.h"
#include "importexport/QuotationTextExport.h"

#include <algorithm>

namespace {

// The worksheet writer reports a file it cannot create with this number.
const int kSheetNotCreated = -1;

std::string saveFailedMessage(int number)
{
    return "File could not be saved (" + std::to_string(number) + ")";
}

bool exportSheet(const std::vector<CWPapier>& items, const std::string& path, std::string& message)
{
    const Biff2Worksheet sheet = QuotationSheetExport::layout(items);
    if (!sheet.fitsFile()) {
        message = "The quotations do not fit into a worksheet: it holds at most 65536 rows and 65536 columns.";
        return false;
    }
    const AtomicFileWriter::Result result = AtomicFileWriter::save(path, sheet.bytes());
    if (!result.saved)
        message = saveFailedMessage(result.created ? result.errorNumber : kSheetNotCreated);
    return result.saved;
}

bool exportText(const std::vector<CWPapier>& items, const std::string& path, std::string& message)
{
    if (items.empty())
        return true;
    const AtomicFileWriter::Result result = AtomicFileWriter::save(path, QuotationTextExport::render(items));
    if (!result.saved)
        message = saveFailedMessage(result.errorNumber);
    return result.saved;
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

bool ExportQuotations(const std::vector<CWPapier>& items, const std::string& path, std::string& message)
{
    return isSpreadsheetPath(path) ? exportSheet(items, path, message) : exportText(items, path, message);
}

} // namespace QuotationExport

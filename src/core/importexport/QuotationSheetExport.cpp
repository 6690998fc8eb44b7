// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/QuotationSheetExport.h"

#include "core/base/LocaleFormat.h"

#include <QString>

namespace {

const int kHeaderRow = 1;
const int kBoldFont = 1;

// Text from the C library is in the locale's character set; the worksheet takes UTF-8.
std::string localToUtf8(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

} // namespace

namespace QuotationSheetExport {

Biff2Worksheet layout(const std::vector<PortfolioItem>& items)
{
    Biff2Worksheet sheet;
    for (size_t k = 0; k < items.size(); ++k) {
        const PortfolioItem& item = items[k];
        const int column = 1 + 4 * static_cast<int>(k);
        Biff2Worksheet::Cell& header = sheet.cell(kHeaderRow, column);
        header.setText(item.name + " (" + item.symbol + ")");
        header.setFontIndex(kBoldFont);
        int row = kHeaderRow + 1;
        for (const Quotation& kurs : item.quotations) {
            sheet.cell(row, column).setText(localToUtf8(LocaleFormat::localTime(kurs.time, "%x %H:%M")));
            sheet.cell(row, column + 1).setNumber(kurs.value);
            ++row;
        }
    }
    return sheet;
}

} // namespace QuotationSheetExport

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/importexport/ImportSettings.h"
#include "core/model/PortfolioDocument.h"

#include <ctime>
#include <optional>

class QWidget;

// The Import command: the import dialog for one item, shown again until the quotations are merged or the
// user cancels. Holds the import settings from one import to the next.
class QuotationImporter {
public:
    QuotationImporter() = default;
    // Deletes the file read last.
    ~QuotationImporter();
    QuotationImporter(const QuotationImporter&) = delete;
    QuotationImporter& operator=(const QuotationImporter&) = delete;

    // True when quotations were merged into the item.
    bool run(QWidget* parent, PortfolioDocument& doc, PortfolioDocument::ItemId item);

    ImportSettings& settings();

private:
    // The error box when the loaded file gave nothing, else the question; true when the user said Yes
    // and the quotations were merged.
    bool importLoadedFile(QWidget* parent, PortfolioDocument& doc, int pos) const;
    void discardLoadedFile();

    std::optional<ImportSettings> m_settings;
};

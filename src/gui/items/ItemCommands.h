// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "gui/importexport/QuotationImporter.h"

#include <QObject>

class PortfolioListView;
class UpdateController;

// The commands on the list's selection: delete, cut, copy, paste, the quotation updates, the import and
// the item's web page. The list only publishes its selection; these act on it.
class ItemCommands : public QObject {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;

    // Message boxes and dialogs open over the list, as the commands are the list's.
    ItemCommands(PortfolioDocument& doc, PortfolioListView& list, UpdateController& updates, QObject* parent = nullptr);

    void deleteSelected();
    bool copySelected();
    void cutSelected();
    void paste();
    static bool clipboardHasPortfolio();
    void updateSelected();
    void updateSelectedOnDate();
    void manualUpdate();
    void testUpdate();
    void repairRule();
    void openWebPage();
    void importQuotations();
    // Holds the import settings while the program runs.
    QuotationImporter& importer() { return m_importer; }

private:
    PortfolioDocument& m_doc;
    PortfolioListView& m_list;
    UpdateController& m_updates;
    QuotationImporter m_importer;
};

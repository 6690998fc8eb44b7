// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "gui/items/ItemGeneralPage.h"

#include <QDialog>

class ItemInvestmentPage;
class ItemChartPage;
class ItemQuotationsPage;
class QTabWidget;

// "Properties": one item's pages. OK writes the pages' values through the document; Cancel drops
// them (the Quotations page has already changed the document).
class ItemPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;
    // Requested start pages, counted over General, Quotations, Graphic.
    enum StartPage { GeneralPage = 0, QuotationsPage = 1, GraphicPage = 2 };

    // An existing item; `quotationIndex` is the history record to select first, -1 for the newest.
    ItemPropertiesDialog(PortfolioDocument& doc, ItemId id, int startPage, int quotationIndex,
                         QWidget* parent = nullptr);
    // A new item with these fields, inserted on OK.
    ItemPropertiesDialog(PortfolioDocument& doc, const PortfolioItem& newItem, QWidget* parent = nullptr);

    // The tab a request opens: the history item has no General page, so 1 and 2 become 0 and 1.
    static int tabForRequest(bool investedAmountHistory, int requested, int tabCount);

    void setTester(ItemGeneralPage::Tester tester);
    void setHealthWarning(const QString& text);
    // The item written by OK (the new one after an insert), 0 before.
    ItemId item() const { return m_id; }
    ItemGeneralPage* generalPage() const { return m_general; }

public slots:
    void accept() override;

private:
    void build(int startPage, int quotationIndex);
    void setTitle(const QString& name);
    void takeSplit();
    bool acceptsName(const std::string& name);

    PortfolioDocument& m_doc;
    ItemId m_id;
    PortfolioItem m_fields;
    QTabWidget* m_tabs;
    ItemGeneralPage* m_general = nullptr;
    ItemQuotationsPage* m_quotations = nullptr;
    ItemChartPage* m_graphic = nullptr;
    ItemInvestmentPage* m_investment = nullptr;
};

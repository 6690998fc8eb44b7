#pragma once

#include "core/model/CWPapierDoc.h"
#include "gui/items/CWPPropPage.h"

#include <QDialog>

class CWPAnlagePropPage;
class CWPGraphPropertyPage;
class CWPKursPropPage;
class QTabWidget;

// "Properties": one item's pages. OK writes the pages' values through the document; Cancel drops
// them (the Quotations page has already changed the document).
class CWPPropertiesSheet : public QDialog {
    Q_OBJECT
public:
    using ItemId = CWPapierDoc::ItemId;
    // Requested start pages, counted over General, Quotations, Graphic.
    enum StartPage { GeneralPage = 0, QuotationsPage = 1, GraphicPage = 2 };

    // An existing item; `quotationIndex` is the history record to select first, -1 for the newest.
    CWPPropertiesSheet(CWPapierDoc& doc, ItemId id, int startPage, int quotationIndex, QWidget* parent = nullptr);
    // A new item with these fields, inserted on OK.
    CWPPropertiesSheet(CWPapierDoc& doc, const CWPapier& newItem, QWidget* parent = nullptr);

    // The tab a request opens: the history item has no General page, so 1 and 2 become 0 and 1.
    static int tabForRequest(bool investedAmountHistory, int requested, int tabCount);

    void setTester(CWPPropPage::Tester tester);
    void setHealthWarning(const QString& text);
    // The item written by OK (the new one after an insert), 0 before.
    ItemId item() const { return m_id; }

    QTabWidget* tabs() const { return m_tabs; }
    CWPPropPage* generalPage() const { return m_general; }
    CWPKursPropPage* quotationsPage() const { return m_quotations; }
    CWPGraphPropertyPage* graphicPage() const { return m_graphic; }
    CWPAnlagePropPage* investmentPage() const { return m_investment; }

public slots:
    void accept() override;

private:
    void build(int startPage, int quotationIndex);
    void setTitle(const QString& name);
    void takeSplit();

    CWPapierDoc& m_doc;
    ItemId m_id;
    CWPapier m_fields;
    QTabWidget* m_tabs;
    CWPPropPage* m_general = nullptr;
    CWPKursPropPage* m_quotations = nullptr;
    CWPGraphPropertyPage* m_graphic = nullptr;
    CWPAnlagePropPage* m_investment = nullptr;
};

#pragma once

#include "core/model/CWPapierDoc.h"
#include "gui/items/CWPPropPage.h"

#include <QObject>
#include <QString>

#include <functional>

class CWPPropertiesSheet;
class UpdateController;
class QWidget;

// The commands that open the property sheet: Insert new item, Properties, Show quotations and the
// chart's Properties and double click.
class ItemSheetCommands : public QObject {
    Q_OBJECT
public:
    using ItemId = CWPapierDoc::ItemId;

    // `focusedItem` names the item the list's focus is on (0 for none); dialogs open over `dialogParent`.
    ItemSheetCommands(CWPapierDoc& doc, UpdateController* updates, std::function<ItemId()> focusedItem,
                      QWidget* dialogParent);

    // Opens the sheet on an existing item at a requested page (CWPPropertiesSheet::StartPage).
    void ShowItemProperties(ItemId id, int page, int quotationIndex = -1);
    // The sheet with the new-item defaults; OK inserts the item.
    void CreateItemWithSheet();
    // The rule-health line the General page shows for an item (empty for none).
    void setHealthWarning(std::function<QString(ItemId)> healthWarning);

    void properties();
    void showQuotations();
    void chartProperties();
    // The chart's double click: the quotations page with that record selected.
    void showQuotationAt(int quotationIndex);

signals:
    // The General page's "Wizard" and "Edit" of an open sheet; the server dialogs answer through the page.
    void serverWizardRequested(CWPPropPage* page);
    void serverEditRequested(CWPPropPage* page);

private:
    // The tester and the server buttons of the sheet's General page.
    void attach(CWPPropertiesSheet& sheet);

    CWPapierDoc& m_doc;
    UpdateController* m_updates;
    std::function<ItemId()> m_focusedItem;
    std::function<QString(ItemId)> m_healthWarning;
    QWidget* m_dialogParent;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"
#include "core/settings/RuleHealth.h"
#include "gui/items/ItemGeneralPage.h"

#include <QObject>
#include <QString>

#include <functional>

class ItemPropertiesDialog;
class UpdateController;
class QWidget;

// The commands that open the property sheet: Insert new item, Properties, Show quotations and the
// chart's Properties and double click.
class ItemSheetCommands : public QObject {
    Q_OBJECT
public:
    using ItemId = PortfolioDocument::ItemId;

    // `focusedItem` names the item the list's focus is on (0 for none); dialogs open over `dialogParent`.
    ItemSheetCommands(PortfolioDocument& doc, UpdateController* updates, std::function<ItemId()> focusedItem,
                      QWidget* dialogParent);

    // Opens the sheet on an existing item at a requested page (ItemPropertiesDialog::StartPage).
    void showItemProperties(ItemId id, int page, int quotationIndex = -1);
    // The sheet with the new-item defaults; OK inserts the item.
    void createItemWithSheet();
    // The rule-health line the General page shows for an item (empty for none).
    void setHealthWarning(std::function<QString(ItemId)> healthWarning);
    // The recorded rule health of an item, which a repair from the General page compares with.
    void setRuleHealth(std::function<RuleHealth(ItemId)> ruleHealth);

    void properties();
    void showQuotations();
    void chartProperties();
    // The chart's double click: the quotations page with that record selected.
    void showQuotationAt(int quotationIndex);

signals:
    // The General page's "Wizard" and "Edit" of an open sheet; the server dialogs answer through the page.
    void serverWizardRequested(ItemGeneralPage* page);
    void serverEditRequested(ItemGeneralPage* page);
    // The sheet of Insert new item was confirmed: the list shows the new item.
    void itemInserted(ItemId id);

private:
    // The tester and the server buttons of the sheet's General page.
    void attach(ItemPropertiesDialog& sheet);
    // "Repair..." on the General page of the sheet open on `id`.
    void repairFromSheet(ItemId id, ItemGeneralPage& page);

    PortfolioDocument& m_doc;
    UpdateController* m_updates;
    std::function<ItemId()> m_focusedItem;
    std::function<QString(ItemId)> m_healthWarning;
    std::function<RuleHealth(ItemId)> m_ruleHealth;
    QWidget* m_dialogParent;
};

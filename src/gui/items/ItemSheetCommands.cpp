// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemSheetCommands.h"

#include "core/model/ChartColourChoice.h"
#include "core/model/RuleRepairApply.h"
#include "gui/download/UpdateController.h"
#include "gui/items/ItemPropertiesDialog.h"
#include "gui/items/RepairRuleDialog.h"

#include <QPushButton>
#include <QRandomGenerator>

#include <ctime>

ItemSheetCommands::ItemSheetCommands(PortfolioDocument& doc, UpdateController* updates,
                                     std::function<ItemId()> focusedItem, QWidget* dialogParent)
    : QObject(dialogParent), m_doc(doc), m_updates(updates), m_focusedItem(std::move(focusedItem)),
      m_dialogParent(dialogParent)
{
}

void ItemSheetCommands::attach(ItemPropertiesDialog& sheet)
{
    if (ItemGeneralPage* page = sheet.generalPage()) {
        connect(page, &ItemGeneralPage::wizardRequested, this, [this, page] { emit serverWizardRequested(page); });
        connect(page, &ItemGeneralPage::editRequested, this, [this, page] { emit serverEditRequested(page); });
    }
    if (!m_updates)
        return;
    sheet.setTester([this](const std::string& name, const std::string& symbol, const ServerConfig& rules) {
        m_updates->startTest(name, symbol, rules);
    });
}

void ItemSheetCommands::showItemProperties(ItemId id, int page, int quotationIndex)
{
    if (m_doc.positionOf(id) < 0)
        return;
    ItemPropertiesDialog sheet(m_doc, id, page, quotationIndex, m_dialogParent);
    attach(sheet);
    if (ItemGeneralPage* general = sheet.generalPage())
        connect(general, &ItemGeneralPage::repairRequested, this,
                [this, id, general] { repairFromSheet(id, *general); });
    if (m_healthWarning)
        sheet.setHealthWarning(m_healthWarning(id));
    sheet.exec();
}

void ItemSheetCommands::repairFromSheet(ItemId id, ItemGeneralPage& page)
{
    RepairRuleDialog dialog(m_doc, id, m_ruleHealth ? m_ruleHealth(id).LastTextBefore : std::string(), &page);
    connect(&dialog, &RepairRuleDialog::openWebPageRequested, page.webPageButton(), &QPushButton::click);
    dialog.startDownload();
    const int pos = m_doc.positionOf(id);
    // The sheet writes its copy of the item's own rules back on OK, so it takes the applied rule too.
    if (dialog.exec() == QDialog::Accepted && pos >= 0 && RuleRepairApply::storedServerOf(m_doc.item(pos)).empty())
        page.setOwnRules(m_doc.item(pos).server);
}

void ItemSheetCommands::createItemWithSheet()
{
    PortfolioItem fields = PortfolioItem::newItem(std::string(), time(nullptr), 0);
    fields.chartColour = ChartColourChoice::unusedColour(m_doc, QRandomGenerator::global()->generate());
    ItemPropertiesDialog sheet(m_doc, fields, m_dialogParent);
    attach(sheet);
    if (sheet.exec() == QDialog::Accepted)
        emit itemInserted(sheet.item());
}

void ItemSheetCommands::setHealthWarning(std::function<QString(ItemId)> healthWarning)
{
    m_healthWarning = std::move(healthWarning);
}

void ItemSheetCommands::setRuleHealth(std::function<RuleHealth(ItemId)> ruleHealth)
{
    m_ruleHealth = std::move(ruleHealth);
}

void ItemSheetCommands::properties()
{
    showItemProperties(m_focusedItem(), ItemPropertiesDialog::GeneralPage);
}

void ItemSheetCommands::showQuotations()
{
    showItemProperties(m_focusedItem(), ItemPropertiesDialog::QuotationsPage);
}

void ItemSheetCommands::chartProperties()
{
    showItemProperties(m_focusedItem(), ItemPropertiesDialog::GraphicPage);
}

void ItemSheetCommands::showQuotationAt(int quotationIndex)
{
    showItemProperties(m_focusedItem(), ItemPropertiesDialog::QuotationsPage, quotationIndex);
}

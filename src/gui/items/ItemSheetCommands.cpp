#include "gui/items/ItemSheetCommands.h"

#include "gui/download/UpdateController.h"
#include "gui/items/CWPPropertiesSheet.h"

#include <QRandomGenerator>

#include <ctime>

ItemSheetCommands::ItemSheetCommands(CWPapierDoc& doc, UpdateController* updates, std::function<ItemId()> focusedItem,
                                     QWidget* dialogParent)
    : QObject(dialogParent), m_doc(doc), m_updates(updates), m_focusedItem(std::move(focusedItem)),
      m_dialogParent(dialogParent)
{
}

void ItemSheetCommands::attach(CWPPropertiesSheet& sheet)
{
    if (CWPPropPage* page = sheet.generalPage()) {
        connect(page, &CWPPropPage::wizardRequested, this, [this, page] { emit serverWizardRequested(page); });
        connect(page, &CWPPropPage::editRequested, this, [this, page] { emit serverEditRequested(page); });
    }
    if (!m_updates)
        return;
    sheet.setTester([this](const std::string& name, const std::string& symbol, const ServerConfig& rules) {
        m_updates->startTest(name, symbol, rules);
    });
}

void ItemSheetCommands::ShowItemProperties(ItemId id, int page, int quotationIndex)
{
    if (m_doc.positionOf(id) < 0)
        return;
    CWPPropertiesSheet sheet(m_doc, id, page, quotationIndex, m_dialogParent);
    attach(sheet);
    if (m_healthWarning)
        sheet.setHealthWarning(m_healthWarning(id));
    sheet.exec();
}

void ItemSheetCommands::CreateItemWithSheet()
{
    const CWPapier fields = CWPapier::newItem(std::string(), time(nullptr), QRandomGenerator::global()->generate());
    CWPPropertiesSheet sheet(m_doc, fields, m_dialogParent);
    attach(sheet);
    sheet.exec();
}

void ItemSheetCommands::setHealthWarning(std::function<QString(ItemId)> healthWarning)
{
    m_healthWarning = std::move(healthWarning);
}

void ItemSheetCommands::properties()
{
    ShowItemProperties(m_focusedItem(), CWPPropertiesSheet::GeneralPage);
}

void ItemSheetCommands::showQuotations()
{
    ShowItemProperties(m_focusedItem(), CWPPropertiesSheet::QuotationsPage);
}

void ItemSheetCommands::chartProperties()
{
    ShowItemProperties(m_focusedItem(), CWPPropertiesSheet::GraphicPage);
}

void ItemSheetCommands::showQuotationAt(int quotationIndex)
{
    ShowItemProperties(m_focusedItem(), CWPPropertiesSheet::QuotationsPage, quotationIndex);
}

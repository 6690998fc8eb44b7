// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemPropertiesDialog.h"

#include "core/model/ItemNames.h"
#include "gui/items/ItemChartPage.h"
#include "gui/items/ItemInvestmentPage.h"
#include "gui/items/ItemQuotationsPage.h"
#include "gui/widgets/MessageDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

ItemPropertiesDialog::ItemPropertiesDialog(PortfolioDocument& doc, ItemId id, int startPage, int quotationIndex,
                                           QWidget* parent)
    : QDialog(parent), m_doc(doc), m_id(id), m_fields(doc.item(doc.positionOf(id))), m_tabs(new QTabWidget(this))
{
    build(startPage, quotationIndex);
}

ItemPropertiesDialog::ItemPropertiesDialog(PortfolioDocument& doc, const PortfolioItem& newItem, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_id(0), m_fields(newItem), m_tabs(new QTabWidget(this))
{
    build(GeneralPage, -1);
}

int ItemPropertiesDialog::tabForRequest(bool investedAmountHistory, int requested, int tabCount)
{
    const int tab = investedAmountHistory ? requested - 1 : requested;
    return std::clamp(tab, 0, std::max(0, tabCount - 1));
}

void ItemPropertiesDialog::build(int startPage, int quotationIndex)
{
    const bool history = m_fields.isInvestedAmountHistory != 0;
    m_tabs->setObjectName(QStringLiteral("pageTabs"));
    if (!history) {
        m_general = new ItemGeneralPage(m_fields, this);
        m_tabs->addTab(m_general, tr("General"));
        connect(m_general, &ItemGeneralPage::nameChanged, this, &ItemPropertiesDialog::setTitle);
    }
    if (m_id != 0) {
        m_quotations = new ItemQuotationsPage(m_doc, m_id, quotationIndex, this);
        m_quotations->setObjectName(QStringLiteral("quotationsPage"));
        m_tabs->addTab(m_quotations, tr("Quotations"));
        connect(m_quotations, &ItemQuotationsPage::splitApplied, this, &ItemPropertiesDialog::takeSplit);
    }
    m_graphic = new ItemChartPage(m_fields, this);
    m_graphic->setObjectName(QStringLiteral("graphicPage"));
    m_tabs->addTab(m_graphic, tr("Graphic"));
    if (!history) {
        m_investment = new ItemInvestmentPage(m_fields, this);
        m_investment->setObjectName(QStringLiteral("investmentPage"));
        m_tabs->addTab(m_investment, tr("Investment"));
    }
    m_tabs->setCurrentIndex(tabForRequest(history, startPage, m_tabs->count()));
    // What the user types first belongs in "Name:", not on the tab bar.
    if (m_general && m_tabs->currentWidget() == m_general)
        m_general->nameField()->setFocus();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ItemPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    setTitle(QString::fromStdString(m_fields.name));
}

void ItemPropertiesDialog::setTitle(const QString& name)
{
    setWindowTitle(tr("Properties of %1").arg(name));
}

void ItemPropertiesDialog::setTester(ItemGeneralPage::Tester tester)
{
    if (m_general)
        m_general->setTester(std::move(tester));
}

void ItemPropertiesDialog::setHealthWarning(const QString& text)
{
    if (m_general)
        m_general->setHealthWarning(text);
}

void ItemPropertiesDialog::takeSplit()
{
    const int pos = m_doc.positionOf(m_id);
    if (pos < 0)
        return;
    const PortfolioItem& item = m_doc.item(pos);
    m_fields.quantity = item.quantity;
    m_fields.avgBuyPrice = item.avgBuyPrice;
    m_fields.alarmAbove = item.alarmAbove;
    m_fields.alarmBelow = item.alarmBelow;
    if (m_investment)
        m_investment->takeSplit(item);
}

// A file from before the checks may hold the same name twice: an unchanged name is only checked on its own.
bool ItemPropertiesDialog::acceptsName(const std::string& name)
{
    const bool unchanged = m_id != 0 && name == m_fields.name;
    const std::string refusal = unchanged ? ItemNames::textRefusal(name) : ItemNames::refusal(m_doc, name, m_id);
    if (refusal.empty())
        return true;
    MessageDialog::warning(this, QString::fromStdString(refusal));
    if (m_general) {
        m_tabs->setCurrentWidget(m_general);
        m_general->nameField()->setFocus();
    }
    return false;
}

void ItemPropertiesDialog::accept()
{
    if (m_investment && !m_investment->takeEntries()) {
        m_tabs->setCurrentWidget(m_investment);
        return;
    }
    PortfolioItem fields = m_fields;
    if (m_general)
        m_general->store(fields);
    m_graphic->store(fields);
    if (m_investment)
        m_investment->store(fields);
    if (!acceptsName(fields.name))
        return;
    if (m_id == 0) {
        m_id = m_doc.itemId(m_doc.insertNewItem(fields));
    } else if (const int pos = m_doc.positionOf(m_id); pos >= 0) {
        m_doc.updateItem(pos, fields);
    }
    QDialog::accept();
}

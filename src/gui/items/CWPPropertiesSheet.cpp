#include "gui/items/CWPPropertiesSheet.h"

#include "gui/items/CWPAnlagePropPage.h"
#include "gui/items/CWPGraphPropertyPage.h"
#include "gui/items/CWPKursPropPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

CWPPropertiesSheet::CWPPropertiesSheet(CWPapierDoc& doc, ItemId id, int startPage, int quotationIndex, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_id(id), m_fields(doc.item(doc.positionOf(id))), m_tabs(new QTabWidget(this))
{
    build(startPage, quotationIndex);
}

CWPPropertiesSheet::CWPPropertiesSheet(CWPapierDoc& doc, const CWPapier& newItem, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_id(0), m_fields(newItem), m_tabs(new QTabWidget(this))
{
    build(GeneralPage, -1);
}

int CWPPropertiesSheet::tabForRequest(bool investedAmountHistory, int requested, int tabCount)
{
    const int tab = investedAmountHistory ? requested - 1 : requested;
    return std::clamp(tab, 0, std::max(0, tabCount - 1));
}

void CWPPropertiesSheet::build(int startPage, int quotationIndex)
{
    const bool history = m_fields.isInvestedAmountHistory != 0;
    if (!history) {
        m_general = new CWPPropPage(m_fields, this);
        m_tabs->addTab(m_general, tr("General"));
        connect(m_general, &CWPPropPage::nameChanged, this, &CWPPropertiesSheet::setTitle);
    }
    if (m_id != 0) {
        m_quotations = new CWPKursPropPage(m_doc, m_id, quotationIndex, this);
        m_tabs->addTab(m_quotations, tr("Quotations"));
        connect(m_quotations, &CWPKursPropPage::splitApplied, this, &CWPPropertiesSheet::takeSplit);
    }
    m_graphic = new CWPGraphPropertyPage(m_fields, this);
    m_tabs->addTab(m_graphic, tr("Graphic"));
    if (!history) {
        m_investment = new CWPAnlagePropPage(m_fields, this);
        m_tabs->addTab(m_investment, tr("Investment"));
    }
    m_tabs->setCurrentIndex(tabForRequest(history, startPage, m_tabs->count()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWPPropertiesSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    setTitle(QString::fromStdString(m_fields.name));
}

void CWPPropertiesSheet::setTitle(const QString& name)
{
    setWindowTitle(tr("Properties of %1").arg(name));
}

void CWPPropertiesSheet::setTester(CWPPropPage::Tester tester)
{
    if (m_general)
        m_general->setTester(std::move(tester));
}

void CWPPropertiesSheet::setHealthWarning(const QString& text)
{
    if (m_general)
        m_general->setHealthWarning(text);
}

void CWPPropertiesSheet::takeSplit()
{
    const int pos = m_doc.positionOf(m_id);
    if (pos < 0)
        return;
    const CWPapier& item = m_doc.item(pos);
    m_fields.quantity = item.quantity;
    m_fields.avgBuyPrice = item.avgBuyPrice;
    m_fields.alarmAbove = item.alarmAbove;
    m_fields.alarmBelow = item.alarmBelow;
    if (m_investment)
        m_investment->takeSplit(item);
}

void CWPPropertiesSheet::accept()
{
    if (m_investment && !m_investment->takeEntries()) {
        m_tabs->setCurrentWidget(m_investment);
        return;
    }
    CWPapier fields = m_fields;
    if (m_general)
        m_general->store(fields);
    m_graphic->store(fields);
    if (m_investment)
        m_investment->store(fields);
    if (m_id == 0) {
        m_id = m_doc.itemId(m_doc.InsertNewItem(fields));
    } else if (const int pos = m_doc.positionOf(m_id); pos >= 0) {
        m_doc.UpdateItem(pos, fields);
    }
    QDialog::accept();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemInvestmentPage.h"

#include "core/model/Position.h"
#include "gui/items/InvestmentDialog.h"
#include "gui/items/NumberEntry.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ItemInvestmentPage::ItemInvestmentPage(const PortfolioItem& item, QWidget* parent)
    : QWidget(parent), m_values(item), m_quantityField(new QLineEdit(this)), m_priceField(new QLineEdit(this)),
      m_belowBox(new QCheckBox(tr("whenever quotation below:"), this)),
      m_aboveBox(new QCheckBox(tr("whenever quotation above:"), this)),
      m_diffBox(new QCheckBox(tr("whenever quotation differs more than"), this)), m_belowField(new QLineEdit(this)),
      m_aboveField(new QLineEdit(this)), m_diffField(new QLineEdit(this)), m_buy(new QPushButton(tr("&Buy"), this)),
      m_sell(new QPushButton(tr("&Sell"), this)), m_dividends(new QPushButton(tr("&Dividends"), this))
{
    if (!item.quotations.empty())
        m_lastValue = item.quotations.back().value;
    auto* investment = new QGroupBox(tr("Investment"), this);
    auto* figures = new QFormLayout;
    figures->addRow(tr("Quantity of items invested:"), m_quantityField);
    figures->addRow(tr("Average item's buy price:"), m_priceField);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_buy, m_sell, m_dividends}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    auto* investmentLayout = new QVBoxLayout(investment);
    investmentLayout->addLayout(figures);
    investmentLayout->addLayout(buttons);

    auto* alarms = new QGroupBox(tr("Alarm"), this);
    auto* alarmLayout = new QGridLayout(alarms);
    alarmLayout->addWidget(m_belowBox, 0, 0);
    alarmLayout->addWidget(m_belowField, 0, 1);
    alarmLayout->addWidget(m_aboveBox, 1, 0);
    alarmLayout->addWidget(m_aboveField, 1, 1);
    alarmLayout->addWidget(m_diffBox, 2, 0);
    alarmLayout->addWidget(m_diffField, 2, 1);
    alarmLayout->addWidget(new QLabel(tr("% regarding the buy price."), alarms), 2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(investment);
    layout->addWidget(alarms);
    layout->addStretch(1);

    connect(m_belowBox, &QCheckBox::toggled, m_belowField, &QWidget::setEnabled);
    connect(m_aboveBox, &QCheckBox::toggled, m_aboveField, &QWidget::setEnabled);
    connect(m_diffBox, &QCheckBox::toggled, m_diffField, &QWidget::setEnabled);
    connect(m_buy, &QPushButton::clicked, this, &ItemInvestmentPage::buy);
    connect(m_sell, &QPushButton::clicked, this, &ItemInvestmentPage::sell);
    connect(m_dividends, &QPushButton::clicked, this, &ItemInvestmentPage::payDividends);
    showValues(m_values);
    // Tests find the controls by these names.
    m_quantityField->setObjectName(QStringLiteral("quantityField"));
    m_priceField->setObjectName(QStringLiteral("priceField"));
    m_belowBox->setObjectName(QStringLiteral("belowBox"));
    m_aboveBox->setObjectName(QStringLiteral("aboveBox"));
    m_diffBox->setObjectName(QStringLiteral("diffBox"));
    m_belowField->setObjectName(QStringLiteral("belowField"));
    m_aboveField->setObjectName(QStringLiteral("aboveField"));
    m_diffField->setObjectName(QStringLiteral("diffField"));
    m_buy->setObjectName(QStringLiteral("buyButton"));
    m_sell->setObjectName(QStringLiteral("sellButton"));
    m_dividends->setObjectName(QStringLiteral("dividendsButton"));
}

void ItemInvestmentPage::showValues(const PortfolioItem& values)
{
    m_quantityField->setText(NumberEntry::text(values.quantity));
    m_priceField->setText(NumberEntry::text(values.avgBuyPrice));
    m_belowField->setText(NumberEntry::text(values.alarmBelow));
    m_aboveField->setText(NumberEntry::text(values.alarmAbove));
    m_diffField->setText(NumberEntry::text(values.alarmDiffPercent));
    m_belowBox->setChecked(values.alarmBelowEnabled != 0);
    m_aboveBox->setChecked(values.alarmAboveEnabled != 0);
    m_diffBox->setChecked(values.alarmDiffEnabled != 0);
    m_belowField->setEnabled(m_belowBox->isChecked());
    m_aboveField->setEnabled(m_aboveBox->isChecked());
    m_diffField->setEnabled(m_diffBox->isChecked());
}

bool ItemInvestmentPage::takeEntries()
{
    const std::pair<QLineEdit*, double*> fields[] = {{m_quantityField, &m_values.quantity},
                                                     {m_priceField, &m_values.avgBuyPrice},
                                                     {m_belowField, &m_values.alarmBelow},
                                                     {m_aboveField, &m_values.alarmAbove},
                                                     {m_diffField, &m_values.alarmDiffPercent}};
    for (const auto& [field, target] : fields) {
        const std::optional<double> number = NumberEntry::take(this, field);
        if (!number) {
            field->setFocus();
            return false;
        }
        *target = *number;
    }
    m_values.alarmBelowEnabled = m_belowBox->isChecked() ? 1 : 0;
    m_values.alarmAboveEnabled = m_aboveBox->isChecked() ? 1 : 0;
    m_values.alarmDiffEnabled = m_diffBox->isChecked() ? 1 : 0;
    return true;
}

void ItemInvestmentPage::store(PortfolioItem& item) const
{
    item.quantity = m_values.quantity;
    item.avgBuyPrice = m_values.avgBuyPrice;
    item.alarmBelowEnabled = m_values.alarmBelowEnabled;
    item.alarmBelow = m_values.alarmBelow;
    item.alarmAboveEnabled = m_values.alarmAboveEnabled;
    item.alarmAbove = m_values.alarmAbove;
    item.alarmDiffEnabled = m_values.alarmDiffEnabled;
    item.alarmDiffPercent = m_values.alarmDiffPercent;
}

void ItemInvestmentPage::takeSplit(const PortfolioItem& item)
{
    m_values.quantity = item.quantity;
    m_values.avgBuyPrice = item.avgBuyPrice;
    m_values.alarmAbove = item.alarmAbove;
    m_values.alarmBelow = item.alarmBelow;
    m_lastValue = item.quotations.empty() ? 0.0 : item.quotations.back().value;
    m_quantityField->setText(NumberEntry::text(m_values.quantity));
    m_priceField->setText(NumberEntry::text(m_values.avgBuyPrice));
    m_aboveField->setText(NumberEntry::text(m_values.alarmAbove));
    m_belowField->setText(NumberEntry::text(m_values.alarmBelow));
}

void ItemInvestmentPage::buy()
{
    if (!takeEntries())
        return;
    InvestmentDialog dialog(InvestmentDialog::Kind::Buy, QString::fromStdString(m_values.name), m_lastValue, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Position bought = Position{m_values.quantity, m_values.avgBuyPrice}.afterBuying(
        dialog.figure(0), dialog.figure(1), dialog.figure(2));
    m_values.quantity = bought.quantity;
    m_values.avgBuyPrice = bought.avgBuyPrice;
    showValues(m_values);
}

void ItemInvestmentPage::sell()
{
    if (!takeEntries())
        return;
    InvestmentDialog dialog(InvestmentDialog::Kind::Sell, QString::fromStdString(m_values.name), m_lastValue, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Position position{m_values.quantity, m_values.avgBuyPrice};
    const double result =
        position.sell(static_cast<unsigned long>(dialog.figure(0)), dialog.figure(1), dialog.figure(2));
    MessageDialog::information(this, QString::fromStdString(sellResultText(result)));
    m_values.quantity = position.quantity;
    showValues(m_values);
}

void ItemInvestmentPage::payDividends()
{
    if (!takeEntries())
        return;
    InvestmentDialog dialog(InvestmentDialog::Kind::Dividends, QString::fromStdString(m_values.name), m_lastValue,
                            this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Position position{m_values.quantity, m_values.avgBuyPrice};
    if (const Status status = position.payDividends(dialog.figure(0)); !status) {
        MessageDialog::warning(this, QString::fromStdString(status.message()));
        return;
    }
    m_values.avgBuyPrice = position.avgBuyPrice;
    showValues(m_values);
}

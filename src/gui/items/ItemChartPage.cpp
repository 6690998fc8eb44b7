// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemChartPage.h"

#include "gui/items/ColourSample.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDateEdit>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QColor fromStored(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

uint32_t toStored(const QColor& colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

QButtonGroup* radioGroup(QWidget* owner, QGroupBox* box, const QStringList& texts, int checked)
{
    auto* group = new QButtonGroup(owner);
    auto* layout = new QVBoxLayout(box);
    for (int id = 0; id < texts.size(); ++id) {
        auto* radio = new QRadioButton(texts[id], box);
        group->addButton(radio, id);
        layout->addWidget(radio);
    }
    if (QAbstractButton* button = group->button(checked))
        button->setChecked(true);
    return group;
}

} // namespace

ItemChartPage::ItemChartPage(const PortfolioItem& item, QWidget* parent)
    : QWidget(parent), m_item(item), m_chartColour(item.chartColour), m_useStart(new QCheckBox(tr("Start"), this)),
      m_useEnd(new QCheckBox(tr("End"), this)), m_start(makePicker(item.periodStart)),
      m_end(makePicker(item.periodEnd)), m_colourButton(new QPushButton(tr("Chart color:"), this)),
      m_sample(new ColourSample(this)), m_grid(new QCheckBox(tr("Show grid lines"), this))
{
    auto* period = new QGroupBox(tr("Period to show"), this);
    auto* periodLayout = new QGridLayout(period);
    periodLayout->addWidget(m_useStart, 0, 0);
    periodLayout->addWidget(m_start, 0, 1);
    periodLayout->addWidget(m_useEnd, 1, 0);
    periodLayout->addWidget(m_end, 1, 1);
    auto* axes = new QGroupBox(tr("Values on the Axes"), this);
    m_axis = radioGroup(this, axes, {tr("Percentual"), tr("Nominal")}, item.axisValues);
    auto* graph = new QGroupBox(tr("Values on the Graphic"), this);
    m_graph =
        radioGroup(this, graph, {tr("None"), tr("Percentual"), tr("Nominal"), tr("Square mark")}, item.graphValues);

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(m_colourButton);
    colourRow->addWidget(m_sample, 1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(period, 0, 0, 1, 2);
    layout->addWidget(axes, 1, 0);
    layout->addWidget(graph, 1, 1);
    layout->addLayout(colourRow, 2, 0, 1, 2);
    layout->addWidget(m_grid, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);

    m_useStart->setChecked(item.usePeriodStart != 0);
    m_useEnd->setChecked(item.usePeriodEnd != 0);
    m_start->setEnabled(m_useStart->isChecked());
    m_end->setEnabled(m_useEnd->isChecked());
    m_grid->setChecked(item.showGridLines != 0);
    m_sample->setColour(fromStored(m_chartColour));
    connect(m_useStart, &QCheckBox::toggled, m_start, &QWidget::setEnabled);
    connect(m_useEnd, &QCheckBox::toggled, m_end, &QWidget::setEnabled);
    connect(m_colourButton, &QPushButton::clicked, this, &ItemChartPage::chooseColour);
    connect(m_sample, &ColourSample::clicked, this, &ItemChartPage::chooseColour);
    // Tests find the controls by these names.
    m_useStart->setObjectName(QStringLiteral("startBox"));
    m_useEnd->setObjectName(QStringLiteral("endBox"));
    m_start->setObjectName(QStringLiteral("startPicker"));
    m_end->setObjectName(QStringLiteral("endPicker"));
    m_axis->setObjectName(QStringLiteral("axisGroup"));
    m_graph->setObjectName(QStringLiteral("graphGroup"));
    m_grid->setObjectName(QStringLiteral("gridBox"));
    m_colourButton->setObjectName(QStringLiteral("colourButton"));
    m_sample->setObjectName(QStringLiteral("colourSample"));
}

QDateEdit* ItemChartPage::makePicker(time_t time)
{
    auto* picker = new QDateEdit(QDateTime::fromSecsSinceEpoch(time).date(), this);
    picker->setCalendarPopup(true);
    // Only dates a portfolio file can store.
    picker->setDateRange(QDate(1901, 12, 14), QDate(2038, 1, 18));
    return picker;
}

time_t ItemChartPage::withDate(time_t original, const QDate& date)
{
    const QDateTime kept = QDateTime::fromSecsSinceEpoch(original);
    if (kept.date() == date)
        return original;
    return QDateTime(date, kept.time()).toSecsSinceEpoch();
}

void ItemChartPage::chooseColour()
{
    const QColor current = fromStored(m_chartColour);
    QColorDialog::setCustomColor(0, current);
    for (int i = 1; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, Qt::white);
    QColorDialog dialog(current, this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_chartColour = toStored(dialog.selectedColor());
    m_sample->setColour(fromStored(m_chartColour));
}

void ItemChartPage::store(PortfolioItem& item) const
{
    item.chartColour = m_chartColour;
    item.usePeriodEnd = m_useEnd->isChecked() ? 1 : 0;
    item.usePeriodStart = m_useStart->isChecked() ? 1 : 0;
    item.graphValues = m_graph->checkedId() < 0 ? m_item.graphValues : m_graph->checkedId();
    item.axisValues = m_axis->checkedId() < 0 ? m_item.axisValues : m_axis->checkedId();
    item.chartOptionsSet = 1;
    item.showGridLines = m_grid->isChecked() ? 1 : 0;
    item.periodStart = withDate(m_item.periodStart, m_start->date());
    item.periodEnd = withDate(m_item.periodEnd, m_end->date());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/InvestmentDialog.h"

#include "gui/items/NumberEntry.h"
#include "gui/widgets/DialogSizing.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include <optional>
#include <vector>

namespace {

enum class Check { Range, Any, Count };

struct InputField {
    const char* label;
    bool lastValueDefault;
    Check check;
    double min;
    double max;
};

const std::vector<InputField>& inputFieldsOf(InvestmentDialog::Kind kind)
{
    static const std::vector<InputField> buy{
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Quantity:"), false, Check::Range, 0.01, 1000000},
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Quotation:"), true, Check::Range, 0.0001, 1000000},
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Comission / Taxes:"), false, Check::Range, 0, 1000000}};
    static const std::vector<InputField> sell{
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Quantity:"), false, Check::Count, 0, 0},
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Quotation:"), true, Check::Any, 0, 0},
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Comission / Taxes:"), false, Check::Any, 0, 0}};
    static const std::vector<InputField> dividends{
        {QT_TRANSLATE_NOOP("InvestmentDialog", "Value:"), false, Check::Any, 0, 0}};
    switch (kind) {
    case InvestmentDialog::Kind::Buy:
        return buy;
    case InvestmentDialog::Kind::Sell:
        return sell;
    case InvestmentDialog::Kind::Dividends:
        break;
    }
    return dividends;
}

} // namespace

InvestmentDialog::InvestmentDialog(Kind kind, const QString& itemName, double lastValue, QWidget* parent)
    : QDialog(parent), m_kind(kind)
{
    const QString titles[] = {tr("Buy"), tr("Sell"), tr("Dividends")};
    setWindowTitle(titles[int(kind)]);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Item:"), new QLabel(itemName, this));
    for (const InputField& input : inputFieldsOf(kind)) {
        auto* field = new QLineEdit(NumberEntry::text(input.lastValueDefault ? lastValue : 0.0), this);
        form->addRow(tr(input.label), field);
        field->setObjectName(QStringLiteral("figureField%1").arg(m_fields.size()));
        m_fields.append(field);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &InvestmentDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    DialogSizing::fitTitle(this);
}

void InvestmentDialog::accept()
{
    QList<double> figures;
    const std::vector<InputField>& inputFields = inputFieldsOf(m_kind);
    for (int i = 0; i < int(inputFields.size()); ++i) {
        const InputField& input = inputFields[size_t(i)];
        std::optional<double> figure;
        if (input.check == Check::Count) {
            if (const auto count = NumberEntry::takeCount(this, m_fields[i]))
                figure = double(*count);
        } else if (input.check == Check::Range) {
            figure = NumberEntry::take(this, m_fields[i], input.min, input.max);
        } else {
            figure = NumberEntry::take(this, m_fields[i]);
        }
        if (!figure) {
            m_fields[i]->setFocus();
            return;
        }
        figures.append(*figure);
    }
    m_figures = figures;
    QDialog::accept();
}

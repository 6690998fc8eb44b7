// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/XPathRuleFields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

XPathRuleFields::XPathRuleFields(QWidget* section, QGridLayout* layout, int row)
    : QObject(section), m_choice(new QRadioButton(tr("XPath"), section))
{
    const QString tip = tr("XPath 1.0 expressions on the page's HTML; use the web page format convertion \"none\".");
    m_choice->setObjectName(QStringLiteral("xpathChoice"));
    m_choice->setToolTip(tip);
    const QString labels[] = {tr("Value XPath:"), tr("Date XPath:"), tr("Time XPath:")};
    const char* names[] = {"xpathValue", "xpathDate", "xpathTime"};
    for (int expression = 0; expression < 3; ++expression) {
        m_fields[expression] = new QLineEdit(section);
        m_fields[expression]->setObjectName(QString::fromLatin1(names[expression]));
        m_fields[expression]->setToolTip(tip);
        layout->addWidget(new QLabel(labels[expression], section), row + expression, 0);
        layout->addWidget(m_fields[expression], row + expression, 1, 1, 6);
    }
    connect(m_choice, &QRadioButton::toggled, this, &XPathRuleFields::enableFields);
    enableFields();
}

bool XPathRuleFields::show(const ServerConfig& config)
{
    const std::optional<XPathRule> rule = config.Filtering != 0 ? XPathRule::decode(config.RegExp) : std::nullopt;
    if (!rule)
        return false;
    m_fields[0]->setText(QString::fromStdString(rule->valueExpression()));
    m_fields[1]->setText(QString::fromStdString(rule->dateExpression()));
    m_fields[2]->setText(QString::fromStdString(rule->timeExpression()));
    m_choice->setChecked(true);
    return true;
}

bool XPathRuleFields::isChosen() const
{
    return m_choice->isChecked();
}

XPathRule XPathRuleFields::rule() const
{
    return XPathRule(m_fields[0]->text().toStdString(), m_fields[1]->text().toStdString(),
                     m_fields[2]->text().toStdString());
}

void XPathRuleFields::enableFields()
{
    for (QLineEdit* field : m_fields)
        field->setEnabled(m_choice->isChecked());
}

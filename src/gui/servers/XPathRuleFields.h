// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/XPathRule.h"
#include "core/servers/ServerConfig.h"

#include <QObject>

class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

// The server dialog's "XPath" search kind: its choice among the other kinds and the value, date and time
// expressions.
class XPathRuleFields : public QObject {
    Q_OBJECT
public:
    // The choice goes into `section` beside the other search kinds; the fields into `layout` from `row`.
    XPathRuleFields(QWidget* section, QGridLayout* layout, int row);

    // Chooses the kind and fills the fields when `config` holds an XPath rule; false otherwise.
    bool show(const ServerConfig& config);
    bool isChosen() const;
    XPathRule rule() const;

    QRadioButton* choice() const { return m_choice; }
    QLineEdit* field(int expression) const { return m_fields[expression]; }

private:
    void enableFields();

    QRadioButton* m_choice;
    // Value, date and time expression.
    QLineEdit* m_fields[3] = {};
};

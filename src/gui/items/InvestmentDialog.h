// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>

class QLineEdit;

// "Buy", "Sell" and "Dividends": the item's name and the figures of one transaction.
class InvestmentDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Buy, Sell, Dividends };

    // `lastValue` is the default quotation of Buy and Sell.
    InvestmentDialog(Kind kind, const QString& itemName, double lastValue, QWidget* parent = nullptr);

    // The accepted figures in field order: quantity, quotation, commission (Dividends: the value).
    double figure(int index) const { return m_figures.value(index); }

public slots:
    void accept() override;

private:
    Kind m_kind;
    QList<QLineEdit*> m_fields;
    QList<double> m_figures;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <ctime>

class QDateEdit;
class QLineEdit;
class QTimeEdit;

// "Item quotation": one quotation entered by hand.
class ItemQuotationDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr double kMinValue = 0.001;
    static constexpr double kMaxValue = 999999999.0;

    // Today at 20:00:00, value 0: the manual update's defaults.
    ItemQuotationDialog(const QString& itemName, time_t now, QWidget* parent = nullptr);
    // The given local time and value.
    ItemQuotationDialog(const QString& itemName, time_t time, double value, QWidget* parent = nullptr);

    double value() const { return m_value; }
    time_t quotationTime() const;

public slots:
    void accept() override;

private:
    QDateEdit* m_date;
    QTimeEdit* m_time;
    QLineEdit* m_valueField;
    double m_value = 0.0;
};

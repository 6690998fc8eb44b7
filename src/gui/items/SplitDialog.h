// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <ctime>

class QLineEdit;

// "Item Split": divides the quotations up to the selected one.
class SplitDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr double kMinDivisor = 0.1;
    static constexpr double kMaxDivisor = 1000.0;

    SplitDialog(const QString& itemName, time_t until, QWidget* parent = nullptr);

    double divisor() const { return m_divisor; }

public slots:
    void accept() override;

private:
    QLineEdit* m_divisorField;
    double m_divisor = 2.0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Investment": quantity, average buy price, Buy/Sell/Dividends and the three alarms, as working
// copies that reach the item only when the sheet is confirmed.
class ItemInvestmentPage : public QWidget {
    Q_OBJECT
public:
    explicit ItemInvestmentPage(const PortfolioItem& item, QWidget* parent = nullptr);

    // Takes the fields over into the working copies; false after "Please enter a number." was shown.
    bool takeEntries();
    // The working copies into `item`; call takeEntries() first.
    void store(PortfolioItem& item) const;
    // The split divided these figures in the item; the page shows the item's new ones.
    void takeSplit(const PortfolioItem& item);

    void buy();
    void sell();
    void payDividends();

private:
    void showValues(const PortfolioItem& values);

    PortfolioItem m_values;
    double m_lastValue = 0.0;
    QLineEdit* m_quantityField;
    QLineEdit* m_priceField;
    QCheckBox* m_belowBox;
    QCheckBox* m_aboveBox;
    QCheckBox* m_diffBox;
    QLineEdit* m_belowField;
    QLineEdit* m_aboveField;
    QLineEdit* m_diffField;
    QPushButton* m_buy;
    QPushButton* m_sell;
    QPushButton* m_dividends;
};

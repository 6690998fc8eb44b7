// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <string>
#include <vector>

class PortfolioDocument;

// The value of the whole portfolio and its change against the buy prices and against the
// previous quotations, as the status line shows it.
struct PortfolioTotals {
    double invested = 0.0;
    bool gainAvailable = false;
    double totalGain = 0.0;
    double totalPercent = 0.0;
    bool lastAvailable = false;
    double lastGain = 0.0;
    double lastPercent = 0.0;

    // Takes the items one at a time, for callers that do not keep them all.
    class Sum {
    public:
        void add(const PortfolioItem& item);
        PortfolioTotals totals() const;

    private:
        double m_invested = 0.0;
        double m_bought = 0.0;
        double m_previous = 0.0;
        bool m_gainAvailable = true;
        bool m_lastAvailable = true;
    };

    static PortfolioTotals of(const std::vector<const PortfolioItem*>& items);
    static PortfolioTotals of(const PortfolioDocument& doc);
    // "Amount invested: ..." in percent or nominal form.
    std::string statusText(bool percent) const;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioItem.h"

#include <array>
#include <ctime>
#include <string>

// The units of a change's period: the window passes its translated words, `tickora-cli show` these.
struct ChangePeriodWords {
    std::string days = "Days";
    std::string months = "Months";
    std::string years = "Years";
};

// The figures of one item as the portfolio list shows them, and their cell texts. Shared by the
// desktop list and `tickora-cli show`, so both print the same.
struct ItemFigures {
    bool hasQuotations = false;
    time_t lastTime = 0;
    double value = 0.0;
    double low = 0.0;
    double high = 0.0;
    // Changes in percent or nominal, after the mode they were computed in; periods in whole days.
    double lastDayChange = 0.0;
    int lastDayDays = 0;
    double lastChange = 0.0;
    int lastDays = 0;
    double totalChange = 0.0;
    int totalDays = 0;
    double invested = 0.0;
    bool hasGain = false;
    double gain = 0.0;

    static ItemFigures of(const PortfolioItem& item, bool percent);
    // The nine cells; an item without quotations shows its name only.
    static std::array<std::string, kItemColumnCount> cells(const PortfolioItem& item, bool percent, time_t now,
                                                           const ChangePeriodWords& words = {});

    // Whole days between two times, truncated toward zero.
    static int wholeDays(time_t from, time_t to);
    // Days from the newest quotation to now as "Last Update" counts them.
    static int lastUpdateDays(time_t last, time_t now);
    static std::string lastUpdateText(time_t last, time_t now);
    // "%+2.2lf%% (%i %s)" and its month, year and nominal forms.
    static std::string changeText(double change, int days, bool percent, const ChangePeriodWords& words = {});
    // 0 unchanged, 1 down, 2 up; plus 3 in alarm.
    static int trendIcon(const PortfolioItem& item);
};

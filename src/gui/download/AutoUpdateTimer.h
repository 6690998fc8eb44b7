// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/GeneralOptions.h"

#include <QObject>
#include <QTimer>

#include <ctime>

// The automatic update: every UpdateIntervall minutes while Autoupdate is on, and with Autoupdate_Time
// only between Hour1:Minute1 and Hour2:Minute2.
class AutoUpdateTimer : public QObject {
    Q_OBJECT
public:
    AutoUpdateTimer(const GeneralOptions& options, QObject* parent);

    void setOptions(const GeneralOptions& options);
    // The period starts anew, as after "Update all" or opening a portfolio; nothing while automatic updates are off.
    void restart();
    // Emits updateDue unless the time window excludes `now`.
    void tick(time_t now);

signals:
    void updateDue();

private:
    // 0 stops the timer.
    void startPeriod(int minutes);

    GeneralOptions m_options;
    QTimer m_timer;
};

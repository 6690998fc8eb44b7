// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/AutoUpdateTimer.h"

#include <QDateTime>

AutoUpdateTimer::AutoUpdateTimer(const GeneralOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_timer(this)
{
    setObjectName(QStringLiteral("autoUpdate"));
    m_timer.setObjectName(QStringLiteral("autoUpdatePeriod"));
    restart();
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(time(nullptr)); });
}

void AutoUpdateTimer::setOptions(const GeneralOptions& options)
{
    m_options = options;
    startPeriod(options.Autoupdate ? options.UpdateIntervall : 0);
}

void AutoUpdateTimer::restart()
{
    if (m_options.Autoupdate)
        startPeriod(m_options.UpdateIntervall);
}

void AutoUpdateTimer::startPeriod(int minutes)
{
    if (minutes == 0) {
        m_timer.stop();
        return;
    }
    m_timer.start(minutes * 60000);
}

void AutoUpdateTimer::tick(time_t now)
{
    if (!m_options.Autoupdate_Time) {
        emit updateDue();
        return;
    }
    const QDateTime current = QDateTime::fromSecsSinceEpoch(now);
    const QDateTime from(current.date(), QTime(m_options.Hour1, m_options.Minute1));
    const QDateTime to(current.date(), QTime(m_options.Hour2, m_options.Minute2));
    if (from <= current && current <= to)
        emit updateDue();
}

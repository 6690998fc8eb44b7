// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/AlarmNotices.h"

#include "gui/widgets/AppIcons.h"

#include <QSystemTrayIcon>

#include <cstdio>

AlarmNotices::AlarmNotices(bool unattended, QObject* parent) : QObject(parent), m_unattended(unattended)
{
    m_hide.setSingleShot(true);
}

void AlarmNotices::show(const QString& notice)
{
    m_last = notice;
    if (m_unattended) {
        std::fprintf(stderr, "Alarm: %s\n", notice.toLocal8Bit().constData());
        return;
    }
    if (!m_tray) {
        m_tray = new QSystemTrayIcon(AppIcons::application(), this);
        m_tray->setObjectName(QStringLiteral("alarmTray"));
        connect(&m_hide, &QTimer::timeout, m_tray, &QSystemTrayIcon::hide);
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] {
            m_hide.stop();
            m_tray->hide();
            emit clicked();
        });
    }
    m_tray->setToolTip(notice);
    m_tray->show();
    m_tray->showMessage(tr("Alarm"), notice, QSystemTrayIcon::Warning, kShownMs);
    // A later notice keeps the icon for its own full time.
    m_hide.start(kShownMs);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QSystemTrayIcon;

// Tells the user that an update turned an item's alarm on. With a window: a tray notice, whose tray icon
// stays only while the notice is shown; in the unattended mode: a line "Alarm: %s" on stderr.
class AlarmNotices : public QObject {
    Q_OBJECT
public:
    static constexpr int kShownMs = 10000;

    AlarmNotices(bool unattended, QObject* parent = nullptr);

    void show(const QString& notice);

    // Null until the first notice.
    QString lastNotice() const { return m_last; }

signals:
    // The user clicked the notice.
    void clicked();

private:
    bool m_unattended;
    QSystemTrayIcon* m_tray = nullptr;
    QTimer m_hide;
    QString m_last;
};

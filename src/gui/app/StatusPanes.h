// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QMenu;
class QStatusBar;
class QTimer;

// The four panes of the main window's status bar: prompt, invested text, download count, clock.
class StatusPanes : public QObject {
    Q_OBJECT
public:
    explicit StatusPanes(QStatusBar* bar);

    void setInvestedText(const QString& text);
    void setDownloadCount(int count);
    void refreshClock();
    // While `menu` (or any other watched menu) is open, the prompt pane spans the bar, as the menu's
    // prompts need the room: the other panes step aside.
    void watchMenu(QMenu* menu);

    QString investedText() const;
    QString downloadText() const;
    QString clockText() const;
    int downloadPaneWidth() const;

    static QString downloadCountText(int count);

signals:
    // A double click on the "Amount invested" pane asks for the summary.
    void investedDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void fitWidth(QLabel* pane);
    void showOtherPanes(bool shown);

    QStatusBar* m_bar;
    QLabel* m_invested;
    QLabel* m_downloads;
    QLabel* m_clock;
    QTimer* m_clockTimer;
    int m_openMenus = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/StatusPanes.h"
#include "core/base/LocaleFormat.h"

#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

#include <ctime>

namespace {

QLabel* addPane(QStatusBar* bar)
{
    auto* pane = new QLabel(bar);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setContentsMargins(4, 0, 4, 0);
    bar->addPermanentWidget(pane);
    return pane;
}

// The locale's time of day, as the C library formats it.
QString currentTimeText()
{
    const std::string text = LocaleFormat::localTime(time(nullptr), "%X");
    return QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
}

} // namespace

StatusPanes::StatusPanes(QStatusBar* bar)
    : QObject(bar), m_bar(bar), m_invested(addPane(bar)), m_downloads(addPane(bar)), m_clock(addPane(bar)),
      m_clockTimer(new QTimer(this))
{
    m_bar->showMessage(tr("Ready"));
    // A prompt leaves an empty pane behind when the pointer leaves its command; the idle text returns.
    connect(m_bar, &QStatusBar::messageChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            m_bar->showMessage(tr("Ready"));
    });
    m_invested->setToolTip(tr("Double-click for a summary"));
    m_invested->installEventFilter(this);
    m_downloads->setMinimumWidth(0);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &StatusPanes::refreshClock);
    m_clockTimer->start();
    refreshClock();
    m_invested->setObjectName(QStringLiteral("investedPane"));
}

void StatusPanes::setInvestedText(const QString& text)
{
    m_invested->setText(text);
    fitWidth(m_invested);
}

void StatusPanes::setDownloadCount(int count)
{
    m_downloads->setText(downloadCountText(count));
    // The pane grows with its text but never shrinks, so the bar does not jump while counting down.
    const int needed = m_downloads->sizeHint().width();
    if (needed > m_downloads->minimumWidth())
        m_downloads->setMinimumWidth(needed);
}

void StatusPanes::refreshClock()
{
    m_clock->setText(currentTimeText());
    fitWidth(m_clock);
}

void StatusPanes::watchMenu(QMenu* menu)
{
    // A submenu opens and closes inside its parent: the panes return when the last menu closes.
    connect(menu, &QMenu::aboutToShow, this, [this] {
        if (m_openMenus++ == 0)
            showOtherPanes(false);
    });
    connect(menu, &QMenu::aboutToHide, this, [this] {
        if (m_openMenus > 0 && --m_openMenus == 0)
            showOtherPanes(true);
    });
}

void StatusPanes::showOtherPanes(bool shown)
{
    for (QLabel* pane : {m_invested, m_downloads, m_clock})
        pane->setVisible(shown);
}

bool StatusPanes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_invested && event->type() == QEvent::MouseButtonDblClick)
        emit investedDoubleClicked();
    return QObject::eventFilter(watched, event);
}

QString StatusPanes::investedText() const
{
    return m_invested->text();
}

QString StatusPanes::downloadText() const
{
    return m_downloads->text();
}

QString StatusPanes::clockText() const
{
    return m_clock->text();
}

int StatusPanes::downloadPaneWidth() const
{
    return m_downloads->minimumWidth();
}

QString StatusPanes::downloadCountText(int count)
{
    if (count <= 0)
        return QString();
    if (count == 1)
        return tr("1 Quotation beeing updated");
    return tr("%1 Quotations beeing updated").arg(count);
}

void StatusPanes::fitWidth(QLabel* pane)
{
    pane->setFixedWidth(pane->sizeHint().width());
}

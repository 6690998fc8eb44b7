// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/WindowPlacement.h"

#include "core/settings/SettingsStore.h"

#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QTimer>

#include <algorithm>

WindowPlacement::WindowPlacement(QMainWindow& window, QSplitter& splitter) : m_window(window), m_splitter(splitter) { }

void WindowPlacement::restore()
{
    QRect geometry;
    if (parseDimensions(SettingsStore::value(SettingsKey::MainWindowDimensions).toString(), geometry)) {
        m_storedFrame = geometry;
        m_window.move(geometry.topLeft());
        m_window.resize(geometry.size());
    } else {
        m_window.resize(900, 500);
    }
    m_listHeight = std::max(0, SettingsStore::value(SettingsKey::ListViewHeight).toInt());
}

void WindowPlacement::fitDefaultWidth(int listWidth)
{
    if (m_storedFrame.isValid())
        return;
    const QScreen* screen = m_window.screen();
    const int available = screen ? screen->availableGeometry().width() : listWidth;
    m_window.resize(std::clamp(listWidth, m_window.width(), std::max(m_window.width(), available)), m_window.height());
}

void WindowPlacement::applyOnFirstShow()
{
    if (m_shown)
        return;
    m_shown = true;
    // Equal factors share a change of height between list and chart in the proportion of their heights.
    m_splitter.setStretchFactor(0, 1);
    m_splitter.setStretchFactor(1, 1);
    m_splitter.setSizes({m_listHeight, std::max(1, m_splitter.height() - m_listHeight - m_splitter.handleWidth())});
    if (m_storedFrame.isValid())
        QTimer::singleShot(0, &m_window, [this] { fitStoredFrame(50); });
}

void WindowPlacement::fitStoredFrame(int attemptsLeft)
{
    const QRect frame = m_window.frameGeometry();
    const QRect client = m_window.geometry();
    if (frame == client && attemptsLeft > 0) {
        QTimer::singleShot(20, &m_window, [this, attemptsLeft] { fitStoredFrame(attemptsLeft - 1); });
        return;
    }
    const QSize margins = frame.size() - client.size();
    m_window.resize(m_storedFrame.size() - margins);
    m_window.move(m_storedFrame.topLeft());
}

bool WindowPlacement::parseDimensions(const QString& text, QRect& geometry)
{
    const QStringList pieces = text.split(QLatin1Char(','));
    if (pieces.size() != 4)
        return false;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = pieces[i].trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    if (values[2] <= values[0] || values[3] <= values[1])
        return false;
    geometry = QRect(QPoint(values[0], values[1]), QPoint(values[2] - 1, values[3] - 1));
    return true;
}

void WindowPlacement::save()
{
    const QRect frame = m_window.frameGeometry();
    const int right = frame.x() + frame.width();
    const int bottom = frame.y() + frame.height();
    if (frame.x() > 0 && frame.y() > 0 && right > 0 && bottom > 0 && !m_window.isMaximized()) {
        SettingsStore::setValue(SettingsKey::MainWindowDimensions,
                                QStringLiteral("%1,%2,%3,%4").arg(frame.x()).arg(frame.y()).arg(right).arg(bottom));
    }
    m_listHeight = m_splitter.sizes().value(0, m_listHeight);
    SettingsStore::setValue(SettingsKey::ListViewHeight, m_listHeight);
}

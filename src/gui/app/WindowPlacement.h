// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QMainWindow;
class QSplitter;
class QString;

// Where the main window stands and how the splitter divides it, kept in "MainWindow"/"Dimensions" and the
// list height setting.
class WindowPlacement {
public:
    WindowPlacement(QMainWindow& window, QSplitter& splitter);

    // Moves and sizes the window as stored, or gives it the default size.
    void restore();
    // A window without a stored frame is wide enough for `listWidth`, the width of all columns, within the screen.
    void fitDefaultWidth(int listWidth);
    // The list gets its stored height once the window has its size; the stored frame is fitted afterwards.
    void applyOnFirstShow();
    void save();

    // Reads "MainWindow"/"Dimensions": left, top, right, bottom; false when it does not hold four numbers.
    static bool parseDimensions(const QString& text, QRect& geometry);

private:
    // The stored rectangle is the frame's: once the window manager has framed the window, the
    // client area is shrunk by the frame so that the frame lands where it was.
    void fitStoredFrame(int attemptsLeft);

    QMainWindow& m_window;
    QSplitter& m_splitter;
    int m_listHeight = 150;
    QRect m_storedFrame;
    bool m_shown = false;
};

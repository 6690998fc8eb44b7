// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The program's own small pictures, drawn with QPainter so they scale with no image files.
namespace ListIcons {

constexpr int kTrendIconCount = 6; // unchanged, down, up, then the same with an alarm
constexpr int kDownloadIconCount = 5; // started, connecting, connected, downloading, failed

// The small icons are 16 logical pixels square, drawn for a device with `ratio` device pixels per logical one.
QImage trendIcon(int index, qreal ratio = 1.0);
// `icon` with a warning triangle in its bottom-right corner: the item's quotation rule keeps failing.
QImage withWarningMark(QImage icon);
QImage downloadStateIcon(int index, qreal ratio = 1.0);
QImage applicationIcon(int size);
// The tray's picture while downloads are being aborted.
QImage abortIcon(int size);

} // namespace ListIcons

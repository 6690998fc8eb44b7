// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetrics>
#include <QString>

// A cell text that fits `width` pixels together with `margin`: characters are taken off the end
// until the rest, "..." and the margin fit, keeping at least one character.
QString shortenText(const QString& text, int width, int margin, const QFontMetrics& metrics);

// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TextShortening.h"

QString shortenText(const QString& text, int width, int margin, const QFontMetrics& metrics)
{
    if (text.isEmpty() || metrics.horizontalAdvance(text) + margin <= width)
        return text;
    static const QString kDots = QStringLiteral("...");
    const int dotsWidth = metrics.horizontalAdvance(kDots);
    qsizetype length = text.size() - 1;
    while (length > 1 && metrics.horizontalAdvance(text.left(length)) + dotsWidth + margin > width)
        --length;
    return text.left(length) + kDots;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// What each download job requested and got; off unless QT_LOGGING_RULES="tickora.download.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcDownload)

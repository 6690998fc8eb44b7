// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/DownloadLog.h"

Q_LOGGING_CATEGORY(lcDownload, "tickora.download", QtInfoMsg)

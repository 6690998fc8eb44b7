#include "core/download/DownloadLog.h"

Q_LOGGING_CATEGORY(lcDownload, "tickora.download", QtInfoMsg)

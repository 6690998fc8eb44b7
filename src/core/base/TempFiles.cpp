#include "core/base/TempFiles.h"

#include <QDir>
#include <QTemporaryFile>

namespace TempFiles {

std::string create()
{
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QTemporaryFile file(QDir::tempPath() + "/TKRXXXXXX.tmp");
        file.setAutoRemove(false);
        if (file.open())
            return file.fileName().toStdString();
    }
    return {};
}

} // namespace TempFiles

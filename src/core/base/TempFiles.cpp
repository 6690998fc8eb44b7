#include "core/base/TempFiles.h"

#include <QDir>
#include <QFile>
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

std::string createWith(std::string_view bytes)
{
    const std::string path = create();
    if (path.empty())
        return {};
    QFile file(QString::fromStdString(path));
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes.data(), size) == size && file.flush())
        return path;
    file.remove();
    return {};
}

} // namespace TempFiles

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace TempFiles {

TempFile create()
{
    constexpr int kAttempts = 10;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        QTemporaryFile file(QDir::tempPath() + "/TKRXXXXXX.tmp");
        file.setAutoRemove(false);
        if (file.open())
            return TempFile(file.fileName().toStdString());
    }
    return {};
}

TempFile createWith(std::string_view bytes)
{
    TempFile created = create();
    if (created.empty())
        return {};
    QFile file(QString::fromStdString(created.path()));
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes.data(), size) == size && file.flush())
        return created;
    return {};
}

TempFile rename(TempFile file, const std::string& extension)
{
    const QString oldPath = QString::fromStdString(file.path());
    if (!oldPath.endsWith(QLatin1String(".tmp")))
        return file;
    const QString newPath = oldPath.chopped(4) + QString::fromStdString(extension);
    QFile::remove(newPath);
    if (!QFile::rename(oldPath, newPath))
        return file;
    file.release();
    return TempFile(newPath.toStdString());
}

} // namespace TempFiles

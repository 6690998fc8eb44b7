// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
    QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

// One level at a time, so that every folder made here gets the private mode.
void makeFolders(const QString& folder)
{
    if (QFileInfo::exists(folder))
        return;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder)
        makeFolders(parent);
    QDir().mkdir(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

namespace PrivateFile {

void ensure(const QString& path)
{
#ifndef Q_OS_WIN
    constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QFileInfo info(path);
    if (info.exists()) {
        if (info.isFile() && (info.permissions() & kOthers))
            QFile::setPermissions(path, kOwnerOnly);
        return;
    }
    makeFolders(info.absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly))
        file.close();
#else
    Q_UNUSED(path);
#endif
}

} // namespace PrivateFile

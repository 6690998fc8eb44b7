// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/HelpPages.h"

#include "gui/widgets/ExternalViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace HelpPages {

QString path(const QString& fileName)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(fileName);
    const QString installed =
        QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/tickora/help/") + fileName));
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

void open(QWidget* parent, const QString& fileName)
{
    ExternalViewer::open(parent, QUrl::fromLocalFile(path(fileName)));
}

} // namespace HelpPages

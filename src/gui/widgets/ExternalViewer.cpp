// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/ExternalViewer.h"

#include "gui/widgets/MessageDialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace ExternalViewer {

bool open(QWidget* parent, const QUrl& url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    MessageDialog::warning(parent, failureText(url));
    return false;
}

QString failureText(const QUrl& url)
{
    const QString shown = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    return QCoreApplication::translate("ExternalViewer", "%1 could not be opened: no program is set up to open it.")
        .arg(shown);
}

} // namespace ExternalViewer

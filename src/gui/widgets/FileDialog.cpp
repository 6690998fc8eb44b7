// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/widgets/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QQueue>

namespace {

QQueue<QString>& queuedNames()
{
    static QQueue<QString> queue;
    return queue;
}

QString withSuffix(const QString& fileName, const QString& suffix)
{
    if (fileName.isEmpty() || suffix.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + QLatin1Char('.') + suffix;
}

} // namespace

QString FileDialog::openFileName(QWidget* parent, const QString& caption, const QString& filters)
{
    return run(parent, false, caption, QString(), filters, QString());
}

QString FileDialog::saveFileName(QWidget* parent, const QString& caption, const QString& initialName,
                                 const QString& filters, const QString& defaultSuffix)
{
    return run(parent, true, caption, initialName, filters, defaultSuffix);
}

void FileDialog::setNextFileName(const QString& fileName)
{
    queuedNames().enqueue(fileName);
}

bool FileDialog::hasNextFileName()
{
    return !queuedNames().isEmpty();
}

QString FileDialog::run(QWidget* parent, bool save, const QString& caption, const QString& initialName,
                        const QString& filters, const QString& defaultSuffix)
{
    if (!queuedNames().isEmpty())
        return withSuffix(queuedNames().dequeue(), defaultSuffix);
    QFileDialog dialog(parent, caption, initialName, filters);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

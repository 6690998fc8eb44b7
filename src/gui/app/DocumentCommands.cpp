// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/DocumentCommands.h"

#include "core/importexport/QuotationExport.h"
#include "core/model/PortfolioBackups.h"
#include "core/settings/SettingsStore.h"
#include "gui/app/PortfolioPreload.h"
#include "gui/app/RestoreBackupDialog.h"
#include "gui/widgets/FileDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>

namespace {

const char* const kPortfolioFilter = QT_TRANSLATE_NOOP("DocumentCommands", "Tickora Files (*.tkr)");

} // namespace

DocumentCommands::DocumentCommands(PortfolioDocument& doc, bool autosaveOnExit, QWidget* window)
    : QObject(window), m_doc(doc), m_autosaveOnExit(autosaveOnExit), m_window(window)
{
}

QString DocumentCommands::title() const
{
    return m_path.isEmpty() ? tr("Untitled") : QFileInfo(m_path).fileName();
}

void DocumentCommands::newPortfolio()
{
    if (!saveModified())
        return;
    m_doc.newPortfolio();
    m_path.clear();
    emit documentReplaced();
    emit titleChanged();
}

bool DocumentCommands::openPortfolio(const QString& path, PortfolioPreload* preload)
{
    if (!saveModified())
        return false;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string native = PortfolioPreload::nativePath(absolute);
    const Status opened = preload ? m_doc.adoptPortfolio(preload->take(native)) : m_doc.openPortfolio(native);
    if (!opened) {
        MessageDialog::warning(m_window, QString::fromStdString(opened.message()));
        // The failed read emptied the document; saving it under the old name would wipe that file.
        m_doc.newPortfolio();
        m_path.clear();
        emit documentReplaced();
        emit titleChanged();
        return false;
    }
    m_path = absolute;
    addRecentFile(absolute);
    emit documentReplaced();
    emit titleChanged();
    return true;
}

void DocumentCommands::openWithDialog()
{
    const QString path = FileDialog::openFileName(m_window, tr("Open"), tr(kPortfolioFilter));
    if (!path.isEmpty())
        openPortfolio(path);
}

bool DocumentCommands::save()
{
    return m_path.isEmpty() ? saveAs() : saveTo(m_path);
}

bool DocumentCommands::saveAs()
{
    const QString path = FileDialog::saveFileName(m_window, tr("Save As"), m_path.isEmpty() ? title() : m_path,
                                                  tr(kPortfolioFilter), QStringLiteral("tkr"));
    if (path.isEmpty())
        return false;
    if (!saveTo(path))
        return false;
    m_path = QFileInfo(path).absoluteFilePath();
    addRecentFile(m_path);
    emit titleChanged();
    return true;
}

bool DocumentCommands::saveTo(const QString& path)
{
    std::string backupFailure;
    const Status saved = m_doc.savePortfolio(QDir::toNativeSeparators(path).toStdString(), &backupFailure);
    if (!backupFailure.empty())
        showStatus(QString::fromStdString(PortfolioBackups::failureMessage(backupFailure)));
    if (saved)
        return true;
    MessageDialog::warning(m_window, QString::fromStdString(saved.message()));
    return false;
}

void DocumentCommands::restoreFromBackup()
{
    if (m_path.isEmpty()) {
        MessageDialog::information(m_window, tr("A portfolio that was never saved has no backups."));
        return;
    }
    if (!saveModified())
        return;
    RestoreBackupDialog dialog(PortfolioPreload::nativePath(m_path), title(), m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The user chose the backup over what the window holds; asking to save that again would undo the choice.
    m_doc.setModified(false);
    openPortfolio(m_path);
    if (!dialog.backupFailure().empty())
        showStatus(QString::fromStdString(PortfolioBackups::failureMessage(dialog.backupFailure())));
}

void DocumentCommands::showStatus(const QString& text)
{
    if (auto* window = qobject_cast<QMainWindow*>(m_window))
        window->statusBar()->showMessage(text);
}

bool DocumentCommands::saveModified()
{
    if (!m_doc.isModified())
        return true;
    if (m_autosaveOnExit)
        return save();
    const auto answer = MessageDialog::questionWithCancel(m_window, tr("Save changes to %1?").arg(title()));
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::No || save();
}

QString DocumentCommands::exportBaseName(const QString& path)
{
    if (path.size() >= 4 && path.at(path.size() - 4) == QLatin1Char('.'))
        return path.left(path.size() - 4);
    return path;
}

void DocumentCommands::exportQuotations()
{
    const QString path = FileDialog::saveFileName(m_window, tr("Export"), exportBaseName(m_path),
                                                  tr("Excel Files (*.xls);;Text Files (*.txt)"), QStringLiteral("xls"));
    if (path.isEmpty())
        return;
    const QuotationExport::Outcome outcome =
        QuotationExport::exportQuotations(m_doc, QDir::toNativeSeparators(path).toStdString());
    if (outcome.status == QuotationExport::Outcome::FileError ||
        outcome.status == QuotationExport::Outcome::SheetTooLarge)
        MessageDialog::warning(m_window, QString::fromStdString(outcome.message));
}

QStringList DocumentCommands::recentFiles() const
{
    auto settings = SettingsStore::open();
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings->value(SettingsKeys::recentFile(i)).toString();
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

void DocumentCommands::addRecentFile(const QString& path)
{
    const QStringList stored = recentFiles();
    QStringList files = stored;
    files.removeAll(path);
    files.prepend(path);
    // Reopening the latest file changes nothing: the start-up writes no settings then.
    if (files == stored)
        return;
    auto settings = SettingsStore::open();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        if (i <= files.size())
            settings->setValue(SettingsKeys::recentFile(i), files[i - 1]);
        else
            settings->remove(SettingsKeys::recentFile(i));
    }
    settings.reset();
    refreshRecentFileActions();
}

void DocumentCommands::bindRecentFileActions(const QList<QAction*>& actions)
{
    m_recentActions = actions;
    for (QAction* action : actions) {
        connect(action, &QAction::triggered, this, [this, action] { openPortfolio(action->data().toString()); });
    }
    refreshRecentFileActions();
}

void DocumentCommands::refreshRecentFileActions()
{
    const QStringList files = recentFiles();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* action = m_recentActions[i];
        action->setVisible(i < files.size());
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
            action->setData(files[i]);
        }
    }
}

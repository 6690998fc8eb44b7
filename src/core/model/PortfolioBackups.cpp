// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioBackups.h"

#include "core/base/FileReader.h"
#include "core/model/PortfolioArchive.h"
#include "core/model/PortfolioFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

PortfolioBackups::Entry entryOf(const FileBackups::Backup& backup)
{
    PortfolioBackups::Entry entry{backup};
    const Status read = PortfolioFile::scan(backup.path, [&entry](const PortfolioItem& item) {
        if (item.isInvestedAmountHistory)
            return;
        ++entry.items;
        entry.quotations += int(item.quotations.size());
    });
    entry.readable = read.isOk();
    return entry;
}

} // namespace

namespace PortfolioBackups {

std::string failureMessage(const std::string& reason)
{
    return QStringLiteral("The backup copy could not be made: %1").arg(QString::fromStdString(reason)).toStdString();
}

Result<std::vector<Entry>> list(const std::string& path)
{
    const std::optional<std::vector<FileBackups::Backup>> backups = FileBackups(path).list();
    if (!backups) {
        const QString folder = QDir::toNativeSeparators(QFileInfo(QString::fromStdString(path)).path());
        return Status::error(Status::Code::FileError,
                             QStringLiteral("The folder %1 could not be read.").arg(folder).toStdString());
    }
    std::vector<Entry> entries;
    for (const FileBackups::Backup& backup : *backups)
        entries.push_back(entryOf(backup));
    return entries;
}

Status restore(const std::string& path, const std::string& name, int keepDays, std::string& backupFailure)
{
    const std::optional<FileBackups::Backup> backup = FileBackups(path).find(name);
    if (!backup)
        return Status::error(Status::Code::NotFound, "There is no backup named \"" + name + "\".");
    const std::optional<std::string> bytes = readWholeFile(backup->path);
    if (!bytes || !PortfolioFile::scan(backup->path, [](const PortfolioItem&) {}))
        return Status::error(Status::Code::FormatError, PortfolioArchive::kFormatError);
    return PortfolioFile::saveBytesKeepingBackups(path, *bytes, keepDays, backupFailure);
}

} // namespace PortfolioBackups

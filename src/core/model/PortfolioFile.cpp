// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioFile.h"

#include "core/base/AtomicFileWriter.h"
#include "core/base/FileBackups.h"
#include "core/base/NativePath.h"
#include "core/model/ArchiveReader.h"
#include "core/model/PortfolioArchive.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <ctime>

namespace {

std::string withName(const char* message, const std::string& path)
{
    return QString::fromUtf8(message).arg(QString::fromStdString(path)).toStdString();
}

Status openFailure(const QFile& file, const std::string& path)
{
    if (!QFileInfo::exists(file.fileName()))
        return Status::error(Status::Code::NotFound, withName("%1 was not found.", path));
    if (file.error() == QFileDevice::PermissionsError)
        return Status::error(Status::Code::FileError, withName("Access to %1 was denied.", path));
    return Status::error(Status::Code::FileError, PortfolioFile::kOpenFailed);
}

std::string saveMessage(AtomicFileWriter::Failure failure, const std::string& path)
{
    switch (failure) {
    case AtomicFileWriter::Failure::AccessDenied:
        return withName("Access to %1 was denied.", path);
    case AtomicFileWriter::Failure::DiskFull:
        return withName("Disk full while accessing %1.", path);
    default:
        return PortfolioFile::kSaveFailed;
    }
}

Result<QByteArray> archiveBytes(const std::vector<PortfolioItem>& items)
{
    std::vector<const PortfolioItem*> list;
    list.reserve(items.size());
    for (const PortfolioItem& item : items)
        list.push_back(&item);
    return PortfolioArchive::write(list);
}

Status savedStatus(const AtomicFileWriter::Result& saved, const std::string& path)
{
    if (!saved.refusal.empty())
        return Status::error(Status::Code::FileError, saved.refusal);
    if (const Status target = AtomicFileWriter::checkTarget(path); !saved.saved && !target)
        return target;
    if (!saved.saved)
        return Status::error(Status::Code::FileError, saveMessage(saved.failure, path));
    return Status::ok();
}

} // namespace

namespace PortfolioFile {

Result<std::vector<PortfolioItem>> load(const std::string& path)
{
    std::vector<PortfolioItem> items;
    if (Status read = scan(path, [&items](PortfolioItem& item) { items.push_back(std::move(item)); }); !read)
        return read;
    return items;
}

Status scan(const std::string& path, const std::function<void(PortfolioItem&)>& onItem)
{
    QFile file(NativePath::forQt(path));
    // A folder, device or FIFO is no portfolio; opening a FIFO without a writer would never return.
    if (QFileInfo::exists(file.fileName()) && !QFileInfo(file).isFile())
        return Status::error(Status::Code::FileError, kOpenFailed);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return openFailure(file, path);
    // Streamed through a bounded buffer rather than mapped: another program shortening the file
    // meanwhile must not crash us, and a whole copy of a large file would only cost memory.
    ArchiveReader in(
        [&file](char* into, size_t max) {
            const qint64 got = file.read(into, static_cast<qint64>(max));
            return got > 0 ? static_cast<size_t>(got) : size_t(0);
        },
        static_cast<size_t>(std::max<qint64>(file.size(), 0)));
    bool any = false;
    int lastVersion = 0;
    const bool read = PortfolioArchive::read(
        in,
        [&](PortfolioItem& item) {
            any = true;
            onItem(item);
        },
        &lastVersion);
    if (file.error() != QFileDevice::NoError)
        return Status::error(Status::Code::FileError, kOpenFailed);
    if (!read)
        return Status::error(Status::Code::FormatError, PortfolioArchive::kFormatError);
    if (any && lastVersion < PortfolioArchive::kWrittenVersion) {
        PortfolioItem history = PortfolioItem::newInvestedAmountHistory(std::time(nullptr));
        onItem(history);
    }
    return Status::ok();
}

Status save(const std::string& path, const std::vector<PortfolioItem>& items)
{
    const Result<QByteArray> bytes = archiveBytes(items);
    if (!bytes)
        return bytes.status();
    return savedStatus(AtomicFileWriter::save(path, std::string_view(bytes->constData(), size_t(bytes->size()))), path);
}

Status saveKeepingBackups(const std::string& path, const std::vector<PortfolioItem>& items, int keepDays,
                          std::string& backupFailure)
{
    const Result<QByteArray> bytes = archiveBytes(items);
    if (!bytes)
        return bytes.status();
    return saveBytesKeepingBackups(path, std::string_view(bytes->constData(), size_t(bytes->size())), keepDays,
                                   backupFailure);
}

Status saveBytesKeepingBackups(const std::string& path, std::string_view bytes, int keepDays,
                               std::string& backupFailure)
{
    return savedStatus(FileBackups(path).save(bytes, keepDays, backupFailure), path);
}

} // namespace PortfolioFile

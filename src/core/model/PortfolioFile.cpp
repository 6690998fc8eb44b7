#include "core/model/PortfolioFile.h"

#include "core/base/AtomicFileWriter.h"
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

std::string openMessage(const QFile& file, const std::string& path)
{
    if (!QFileInfo::exists(file.fileName()))
        return withName("%1 was not found.", path);
    if (file.error() == QFileDevice::PermissionsError)
        return withName("Access to %1 was denied.", path);
    return PortfolioFile::kOpenFailed;
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

} // namespace

namespace PortfolioFile {

bool load(const std::string& path, std::vector<CWPapier>& items, std::string& error)
{
    items.clear();
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = openMessage(file, path);
        return false;
    }
    // Streamed through a bounded buffer rather than mapped: another program shortening the file
    // meanwhile must not crash us, and a whole copy of a large file would only cost memory.
    ArchiveReader in(
        [&file](char* into, size_t max) {
            const qint64 got = file.read(into, static_cast<qint64>(max));
            return got > 0 ? static_cast<size_t>(got) : size_t(0);
        },
        static_cast<size_t>(std::max<qint64>(file.size(), 0)));
    int lastVersion = 0;
    const bool read = PortfolioArchive::read(in, items, &lastVersion);
    if (file.error() != QFileDevice::NoError) {
        items.clear();
        error = kOpenFailed;
        return false;
    }
    if (!read) {
        error = PortfolioArchive::kFormatError;
        return false;
    }
    if (!items.empty() && lastVersion < PortfolioArchive::kWrittenVersion)
        items.push_back(CWPapier::newInvestedAmountHistory(std::time(nullptr)));
    return true;
}

bool save(const std::string& path, const std::vector<CWPapier>& items, std::string& error)
{
    std::vector<const CWPapier*> list;
    list.reserve(items.size());
    for (const CWPapier& item : items)
        list.push_back(&item);
    QByteArray bytes;
    if (!PortfolioArchive::write(list, bytes, error))
        return false;
    const AtomicFileWriter::Result saved =
        AtomicFileWriter::save(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!saved.saved) {
        error = saveMessage(saved.failure, path);
        return false;
    }
    return true;
}

} // namespace PortfolioFile

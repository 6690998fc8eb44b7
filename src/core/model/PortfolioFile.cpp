#include "model/PortfolioFile.h"

#include "model/PortfolioArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

std::string saveMessage(const QFileDevice& file, const std::string& path)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return withName("Access to %1 was denied.", path);
    case QFileDevice::ResourceError:
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
    if (!file.open(QIODevice::ReadOnly)) {
        error = openMessage(file, path);
        return false;
    }
    // Read into memory rather than mapped: another program shortening the file meanwhile must not crash us.
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = kOpenFailed;
        return false;
    }
    int lastVersion = 0;
    if (!PortfolioArchive::read(bytes.constData(), static_cast<size_t>(bytes.size()), items, &lastVersion)) {
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
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        error = saveMessage(file, path);
        return false;
    }
    // commit() alone can miss a failed final flush and publish a cut file.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        error = saveMessage(file, path);
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace PortfolioFile

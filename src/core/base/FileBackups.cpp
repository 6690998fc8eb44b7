// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/FileBackups.h"

#include "core/base/FileReader.h"
#include "core/base/NativePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kDateFormat = "yyyy-MM-dd";

std::filesystem::path fsPath(const std::string& path)
{
    return std::filesystem::path(QString::fromStdString(path).toStdU16String());
}

bool isRegularFile(const std::string& path)
{
    const QFileInfo info(NativePath::forQt(path));
    return info.isFile() && !info.isSymLink();
}

// "YYYY-MM-DD" of a real day only, so that no other file is taken for a backup.
QDate dayOf(const QString& text)
{
    const QDate day = QDate::fromString(text, kDateFormat);
    return day.isValid() && day.toString(kDateFormat) == text ? day : QDate();
}

// Whether the file at `path` holds other bytes than `bytes`; false when it cannot be read. Compared a block at a
// time: no copy of a large file is held, and a differing size needs no reading at all.
bool holdsOtherBytes(const std::string& path, std::string_view bytes)
{
    QFile file(NativePath::forQt(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    if (!file.isSequential() && file.size() != qint64(bytes.size()))
        return true;
    std::vector<char> block(size_t(1) << 18);
    size_t compared = 0;
    for (;;) {
        const qint64 got = file.read(block.data(), qint64(block.size()));
        if (got < 0)
            return false;
        if (got == 0)
            return compared != bytes.size();
        if (size_t(got) > bytes.size() - compared ||
            std::memcmp(block.data(), bytes.data() + compared, size_t(got)) != 0)
            return true;
        compared += size_t(got);
    }
}

bool moveOver(const std::string& from, const std::string& to)
{
    std::error_code error;
    std::filesystem::rename(fsPath(from), fsPath(to), error);
    return !error;
}

FileBackups::Backup backupAt(std::string name, const std::string& path)
{
    return {std::move(name), path, time_t(QFileInfo(NativePath::forQt(path)).lastModified().toSecsSinceEpoch())};
}

} // namespace

bool FileBackups::hardLink(const std::string& from, const std::string& to, std::string& reason)
{
    std::error_code error;
    std::filesystem::create_hard_link(fsPath(from), fsPath(to), error);
    if (!error)
        return true;
    reason = error.message();
    return false;
}

FileBackups::FileBackups(std::string path, HardLink link) : m_path(std::move(path)), m_link(link) { }

AtomicFileWriter::Result FileBackups::save(std::string_view bytes, int keepDays, std::string& backupFailure,
                                           const QDate& today) const
{
    const bool keeps = holdsOtherBytes(m_path, bytes);
    // The link holds the old contents while the new file takes the name; only without one are they read.
    const std::string pending = keeps ? linkToPending() : std::string();
    const std::optional<std::string> replaced = keeps && pending.empty() ? readWholeFile(m_path) : std::nullopt;
    const AtomicFileWriter::Result result = AtomicFileWriter::save(m_path, bytes);
    if (!result.saved || !keeps) {
        if (!pending.empty())
            QFile::remove(NativePath::forQt(pending));
        return result;
    }
    backupFailure = keepReplaced(pending, replaced, keepDays, today);
    return result;
}

std::string FileBackups::linkToPending() const
{
    const std::string pending = lastPath() + '.' + std::to_string(QCoreApplication::applicationPid());
    QFile::remove(NativePath::forQt(pending));
    // A symbolic link is saved through to its target, so the target's contents are the ones to keep.
    const std::string target = QFileInfo(NativePath::forQt(m_path)).canonicalFilePath().toStdString();
    std::string reason;
    return m_link(target, pending, reason) ? pending : std::string();
}

std::string FileBackups::keepReplaced(const std::string& pending, const std::optional<std::string>& replaced,
                                      int keepDays, const QDate& today) const
{
    const std::string last = lastPath();
    if (pending.empty()) {
        if (std::string failure = copyThroughWriter(last, replaced); !failure.empty())
            return failure;
    } else if (!moveOver(pending, last)) {
        const std::string failure = copyThroughWriter(last, readWholeFile(pending));
        QFile::remove(NativePath::forQt(pending));
        if (!failure.empty())
            return failure;
    }
    const std::string daily = dailyPath(today);
    std::string reason;
    if (keepDays > 0 && !QFileInfo::exists(NativePath::forQt(daily)) && !m_link(last, daily, reason)) {
        if (std::string failure = copyThroughWriter(daily, readWholeFile(last)); !failure.empty())
            return failure;
    }
    pruneDaily(keepDays, today);
    return {};
}

std::string FileBackups::copyThroughWriter(const std::string& to, const std::optional<std::string>& bytes)
{
    if (!bytes)
        return std::generic_category().message(EIO);
    const AtomicFileWriter::Result copied = AtomicFileWriter::save(to, *bytes);
    return copied.saved ? std::string() : AtomicFileWriter::reason(copied);
}

void FileBackups::pruneDaily(int keepDays, const QDate& today) const
{
    const QDate oldestKept = today.addDays(1 - keepDays);
    for (const auto& [day, path] : dailyBackups()) {
        if (day < oldestKept)
            QFile::remove(NativePath::forQt(path));
    }
}

std::vector<std::pair<QDate, std::string>> FileBackups::dailyBackups() const
{
    const QFileInfo file(NativePath::forQt(m_path));
    const QString prefix = file.fileName() + '.';
    std::vector<std::pair<QDate, std::string>> found;
    const QStringList names = file.dir().entryList({prefix + "*.bak"}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QDate day = dayOf(name.mid(prefix.size(), name.size() - prefix.size() - 4));
        const std::string path = file.dir().filePath(name).toStdString();
        if (day.isValid() && isRegularFile(path))
            found.emplace_back(day, path);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    return found;
}

std::optional<std::vector<FileBackups::Backup>> FileBackups::list() const
{
    const QFileInfo folder(QFileInfo(NativePath::forQt(m_path)).path());
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable())
        return std::nullopt;
    std::vector<Backup> backups;
    if (isRegularFile(lastPath()))
        backups.push_back(backupAt(kLastName, lastPath()));
    for (const auto& [day, path] : dailyBackups())
        backups.push_back(backupAt(day.toString(kDateFormat).toStdString(), path));
    return backups;
}

std::optional<FileBackups::Backup> FileBackups::find(const std::string& name) const
{
    if (name == kLastName)
        return isRegularFile(lastPath()) ? std::optional(backupAt(name, lastPath())) : std::nullopt;
    const QDate day = dayOf(NativePath::forQt(name));
    if (!day.isValid() || !isRegularFile(dailyPath(day)))
        return std::nullopt;
    return backupAt(name, dailyPath(day));
}

std::string FileBackups::lastPath() const
{
    return m_path + ".bak";
}

std::string FileBackups::dailyPath(const QDate& day) const
{
    return m_path + '.' + day.toString(kDateFormat).toStdString() + ".bak";
}

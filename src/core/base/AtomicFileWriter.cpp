// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/AtomicFileWriter.h"

#include "core/base/NativePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

// The error number the failed call left; a failure that set none still reports one.
int lastErrorNumber()
{
    return errno != 0 ? errno : EIO;
}

AtomicFileWriter::Failure failureOf(const QFileDevice& file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return AtomicFileWriter::Failure::AccessDenied;
    case QFileDevice::ResourceError:
        return AtomicFileWriter::Failure::DiskFull;
    default:
        return AtomicFileWriter::Failure::Other;
    }
}

bool hasUtf8Name(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return NativePath::isUtf8(slash == std::string::npos ? path : std::string_view(path).substr(slash + 1));
}

// Qt's file classes cannot name a file whose name is not UTF-8: the bytes are saved under a UTF-8 name
// beside the target (of a symbolic link), which then replaces it keeping its permissions.
AtomicFileWriter::Result saveUnderUtf8Name(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = fs::weakly_canonical(fs::path(path), error);
    if (error)
        target = path;
    const fs::path temporary =
        target.parent_path() / (".tickora-save-" + std::to_string(QCoreApplication::applicationPid()) + ".tmp");
    AtomicFileWriter::Result result = AtomicFileWriter::save(temporary.string(), bytes);
    if (!result.saved)
        return result;
    if (const fs::file_status replaced = fs::status(target, error); !error && fs::is_regular_file(replaced))
        fs::permissions(temporary, replaced.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        result.saved = false;
        result.errorNumber = error.value();
        result.failure = AtomicFileWriter::Failure::Other;
        fs::remove(temporary, error);
    }
    return result;
}

} // namespace

Status AtomicFileWriter::checkTarget(const std::string& path)
{
    const QString target = QString::fromStdString(path);
    // QFileInfo follows symbolic links; a dangling link counts as missing and QSaveFile writes its target.
    const QFileInfo info(NativePath::forQt(path));
    if (info.exists() && !info.isFile())
        return Status::error(Status::Code::FileError,
                             QStringLiteral("%1 is not a regular file.").arg(target).toStdString());
    const QFileInfo folder(info.path());
    if (!info.exists() && !folder.isDir())
        return Status::error(
            Status::Code::NotFound,
            QStringLiteral("%1 was not found.").arg(QDir::toNativeSeparators(info.path())).toStdString());
    return Status::ok();
}

AtomicFileWriter::Result AtomicFileWriter::save(const std::string& path, std::string_view bytes)
{
    Result result;
    // A missing folder is left to fail as any other write does; callers word that themselves.
    if (const Status target = checkTarget(path); target.code() == Status::Code::FileError) {
        result.failure = Failure::Other;
        result.refusal = target.message();
        return result;
    }
    if (!hasUtf8Name(path))
        return saveUnderUtf8Name(path, bytes);
    QSaveFile file(NativePath::forQt(path));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        result.errorNumber = lastErrorNumber();
        result.failure = failureOf(file);
        return result;
    }
    result.created = true;
    errno = 0;
    const qint64 size = static_cast<qint64>(bytes.size());
    // QSaveFile::commit() alone can miss a failed final flush and publish a cut file.
    if (file.write(bytes.data(), size) != size || !file.flush() || !file.commit()) {
        result.errorNumber = lastErrorNumber();
        result.failure = failureOf(file);
        file.cancelWriting();
        return result;
    }
    result.saved = true;
    return result;
}

std::string AtomicFileWriter::reason(const Result& result)
{
    if (!result.refusal.empty())
        return result.refusal;
    return std::generic_category().message(result.errorNumber != 0 ? result.errorNumber : EIO);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart/OutputFile.h"

#include "cli/CliSupport.h"
#include "core/base/AtomicFileWriter.h"

bool OutputFile::acceptsTarget(const QString& out)
{
    if (const Status target = AtomicFileWriter::checkTarget(out.toStdString());
        target.code() == Status::Code::FileError) {
        Cli::err(target.message());
        return false;
    }
    return true;
}

std::string OutputFile::save(const QString& out, const QByteArray& data)
{
    const AtomicFileWriter::Result saved =
        AtomicFileWriter::save(out.toStdString(), std::string_view(data.constData(), size_t(data.size())));
    return saved.saved ? std::string() : "File could not be saved: " + AtomicFileWriter::reason(saved);
}

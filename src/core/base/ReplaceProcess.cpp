// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/ReplaceProcess.h"

#ifdef _WIN32
#include <QProcess>
#include <cstdlib>
#else
#include <QFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>
#endif

Status replaceProcess(const QString& program, const QStringList& arguments)
{
#ifdef _WIN32
    // Windows cannot replace a process: the program runs on this one's console and its exit code is passed on.
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return Status::error(Status::Code::Failed, process.errorString().toStdString());
    process.waitForFinished(-1);
    std::exit(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : EXIT_FAILURE);
#else
    std::vector<QByteArray> encoded{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(argv.front(), argv.data());
    return Status::error(Status::Code::Failed, std::strerror(errno));
#endif
}

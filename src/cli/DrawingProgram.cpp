// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DrawingProgram.h"

#include "cli/CliSupport.h"
#include "core/base/ReplaceProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// Next to tickora-cli in the build tree, in the program directory below libexec when installed.
QString drawingProgram()
{
    const QString dir = QCoreApplication::applicationDirPath();
    const QString name = QStringLiteral(TICKORA_CHART_PROGRAM);
    const QString besideCli = dir + '/' + name;
    if (QFileInfo::exists(besideCli))
        return besideCli;
    return QDir::cleanPath(dir + '/' + TICKORA_CHART_INSTALLED_DIR + '/' + name);
}

} // namespace

int DrawingProgram::run(const char* command, const QStringList& args)
{
    const QString program = drawingProgram();
    const Status started = replaceProcess(program, QStringList{QString::fromLatin1(command)} + args);
    Cli::err(std::string("tickora-cli ") + command +
             ": the chart drawing program could not be started: " + program.toStdString() + ": " + started.message());
    return Cli::FileError;
}

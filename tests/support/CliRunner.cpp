// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunner.h"

#include <QProcess>
#include <QProcessEnvironment>

CliResult runCli(const QStringList& args, const QStringList& extraEnvironment)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& assignment : extraEnvironment) {
        const qsizetype eq = assignment.indexOf('=');
        environment.insert(assignment.left(eq), assignment.mid(eq + 1));
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TICKORA_CLI_PATH), args);
    CliResult result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/base/ReplaceProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const char* const kUsage =
    "Usage: tickora-cli chart FILE ITEM [ITEM...] OUT [--size WxH] [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "  Draws the chart of one ITEM, or the comparison of several, as the program shows it, with the\n"
    "  stored chart settings (the item's, or the comparison chart's for several items). --from and\n"
    "  --to replace the period. OUT ending in .png is a picture of WxH pixels (default 1600x600),\n"
    "  .svg a drawing of that size, .pdf one page.";
const char* const kSummary =
    "  chart FILE ITEM [ITEM...] OUT [--size WxH] [--from YYYY-MM-DD] [--to YYYY-MM-DD]\n"
    "                                     Draw an item's chart, or the comparison of several,\n"
    "                                     as a .png, .svg or .pdf file.\n";

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

// Drawing loads Qt Gui and Qt Svg, which would slow the start of every other command; the companion
// program draws in this process's place, so its output and exit code are the command's.
int runChartCommand(const QStringList& args)
{
    const QString program = drawingProgram();
    const Status started = replaceProcess(program, args);
    Cli::err("tickora-cli chart: the chart drawing program could not be started: " + program.toStdString() + ": " +
             started.message());
    return Cli::FileError;
}

} // namespace

const CliCommand kChartCommand = {"chart", kUsage, kSummary, runChartCommand};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"
#include "cli/DrawingProgram.h"

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

int runChartCommand(const QStringList& args)
{
    return DrawingProgram::run("chart", args);
}

} // namespace

const CliCommand kChartCommand = {"chart", kUsage, kSummary, runChartCommand, CliCommand::NoServers};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Commands.h"
#include "cli/DrawingProgram.h"

namespace {

const char* const kUsage =
    "Usage: tickora-cli print FILE OUT.pdf [--items NAME,...] [--page A4|Letter]\n"
    "  Writes what File > Print prints as a PDF: the chart of the items (their comparison for several)\n"
    "  on the first page, then the items' figures. --items names the items (exact names,\n"
    "  comma-separated; all ordinary items when left out); --page chooses the paper (default A4).";
const char* const kSummary = "  print FILE OUT.pdf [--items NAME,...] [--page A4|Letter]\n"
                             "                                     Print the items with their chart to a PDF file.\n";

int runPrintCommand(const QStringList& args)
{
    return DrawingProgram::run("print", args);
}

} // namespace

const CliCommand kPrintCommand = {"print", kUsage, kSummary, runPrintCommand, CliCommand::NoServers};

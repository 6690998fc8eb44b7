// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"

namespace {

const char* const kUsage = "Usage: tickora-cli convert IN OUT";
const char* const kSummary = "  convert IN OUT                     Rewrite a portfolio of any version as version 8.\n";

int runConvertCommand(const QStringList& args)
{
    QCommandLineParser parser;
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 2)
        return Cli::usageError("convert: wrong number of arguments.", kUsage);
    const QStringList positional = Cli::positionals(parser);
    if (PortfolioCli::sameFile(positional.at(0), positional.at(1)))
        return Cli::usageError(PortfolioCli::kReplacesItself, kUsage);
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, positional.at(0)))
        return Cli::FileError;
    return PortfolioCli::save(doc, positional.at(1)) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kConvertCommand = {"convert", kUsage, kSummary, runConvertCommand, CliCommand::NoServers};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/importexport/QuotationExport.h"

namespace {

const char* const kUsage =
    "Usage: tickora-cli export FILE OUT\n"
    "  Writes the quotations of every item of the portfolio FILE to OUT: a BIFF2 worksheet when\n"
    "  OUT contains \".xls\" (in any case), a text file otherwise.";
const char* const kSummary = "  export FILE OUT                    Write all quotations to OUT (a worksheet when OUT\n"
                             "                                     contains \".xls\", text otherwise).\n";

int runExportCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("FILE", "The portfolio.");
    parser.addPositionalArgument("OUT", "The file to write.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positional = Cli::positionals(parser);
    if (positional.size() != 2)
        return Cli::usageError("export: wrong number of arguments.", kUsage);
    if (PortfolioCli::sameFile(positional[0], positional[1]))
        return Cli::usageError(PortfolioCli::kReplacesItself, kUsage);
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, positional[0]))
        return Cli::FileError;
    const QuotationExport::Outcome outcome = QuotationExport::exportQuotations(doc, Cli::filePath(positional[1]));
    switch (outcome.status) {
    case QuotationExport::Outcome::Saved:
        return Cli::Success;
    case QuotationExport::Outcome::NothingWritten:
        Cli::err("The portfolio holds no items: no text file was written.");
        return Cli::Success;
    case QuotationExport::Outcome::FileError:
        Cli::err(outcome.message);
        return Cli::FileError;
    case QuotationExport::Outcome::SheetTooLarge:
        break;
    }
    Cli::err(outcome.message);
    return Cli::Failed;
}

} // namespace

const CliCommand kExportCommand = {"export", kUsage, kSummary, runExportCommand, CliCommand::NoServers};

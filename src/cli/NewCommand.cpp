#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"

namespace {

const char* const kUsage = "Usage: tickora-cli new FILE";
const char* const kSummary = "  new FILE                           Create a portfolio.\n";

int runNewCommand(const QStringList& args)
{
    QCommandLineParser parser;
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (parser.positionalArguments().size() != 1)
        return Cli::usageError("new: wrong number of arguments.", kUsage);
    CWPapierDoc doc;
    doc.NewPortfolio();
    return PortfolioCli::save(doc, parser.positionalArguments().at(0)) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kNewCommand = {"new", kUsage, kSummary, runNewCommand};

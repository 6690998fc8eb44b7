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
    if (parser.positionalArguments().size() != 2)
        return Cli::usageError("convert: wrong number of arguments.", kUsage);
    CWPapierDoc doc;
    if (!PortfolioCli::open(doc, parser.positionalArguments().at(0)))
        return Cli::FileError;
    return PortfolioCli::save(doc, parser.positionalArguments().at(1)) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kConvertCommand = {"convert", kUsage, kSummary, runConvertCommand};

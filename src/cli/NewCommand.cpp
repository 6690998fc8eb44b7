// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/NativePath.h"

#include <QFileInfo>

namespace {

const char* const kUsage = "Usage: tickora-cli new FILE [--force]";
const char* const kSummary =
    "  new FILE [--force]                 Create a portfolio (--force replaces an existing file).\n";

int runNewCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"force", "Replace an existing file."});
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("new: wrong number of arguments.", kUsage);
    const QString path = Cli::positionals(parser).at(0);
    // A dangling link counts as missing, as saving writes its target.
    if (QFileInfo::exists(NativePath::forQt(Cli::filePath(path))) && !parser.isSet("force"))
        return Cli::usageError(QStringLiteral("%1 already exists.").arg(path).toStdString(), kUsage);
    PortfolioDocument doc;
    doc.newPortfolio();
    return PortfolioCli::save(doc, path) ? Cli::Success : Cli::FileError;
}

} // namespace

const CliCommand kNewCommand = {"new", kUsage, kSummary, runNewCommand};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/model/PortfolioBackups.h"
#include "core/settings/GeneralOptions.h"

namespace {

const char* const kUsage =
    "Usage: tickora-cli restore FILE last|YYYY-MM-DD\n"
    "  Puts a backup that \"tickora-cli backups FILE\" lists in the portfolio's place. The current file becomes\n"
    "  the \"last\" backup, so \"restore FILE last\" undoes a restore.";
const char* const kSummary = "  restore FILE last|YYYY-MM-DD       Put a backup of a portfolio in its place.\n";

int runRestoreCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument("FILE", "The portfolio.");
    parser.addPositionalArgument("BACKUP", "last or YYYY-MM-DD.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positionals = Cli::positionals(parser);
    if (positionals.size() != 2)
        return Cli::usageError("restore takes a FILE and a backup name.", kUsage);
    std::string backupFailure;
    const Status restored = PortfolioBackups::restore(positionals[0].toStdString(), positionals[1].toStdString(),
                                                      GeneralOptions::readOptions().BackupDays, backupFailure);
    if (!backupFailure.empty())
        Cli::err(PortfolioBackups::failureMessage(backupFailure));
    if (restored.code() == Status::Code::NotFound)
        return Cli::usageError(restored.message(), kUsage);
    if (!restored) {
        Cli::err(restored.message());
        return Cli::FileError;
    }
    return Cli::Success;
}

} // namespace

const CliCommand kRestoreCommand = {"restore", kUsage, kSummary, runRestoreCommand};

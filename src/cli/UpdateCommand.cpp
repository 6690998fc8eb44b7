// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/StopSignals.h"
#include "core/download/CurlLibrary.h"
#include "core/download/UnattendedUpdate.h"
#include "core/model/PortfolioBackups.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/RuleHealth.h"

#include <future>
#include <iostream>
#include <memory>
#include <optional>

namespace {

const char* const kUsage = "Usage: tickora-cli update FILE [--items NAME,...] [--date \"YYYY-MM-DD HH:MM\"] "
                           "[--downloads N] [--per-host N] [--guard PCT] [--alarms] [--quiet]";
const char* const kSummary =
    "  update FILE [--items NAME,...] [--date \"YYYY-MM-DD HH:MM\"] [--downloads N] [--per-host N]\n"
    "                   [--guard PCT] [--alarms] [--quiet]\n"
    "                                     Download the quotations, store them and save.\n";

bool selectItems(const PortfolioDocument& doc, const QString& names, std::vector<PortfolioDocument::ItemId>& ids)
{
    if (names.isNull())
        return true;
    for (const QString& name : names.split(',')) {
        const int pos = PortfolioCli::findItem(doc, name.toStdString());
        if (pos < 0) {
            Cli::err(PortfolioCli::itemMissingMessage(name.toStdString()));
            return false;
        }
        ids.push_back(doc.itemId(pos));
    }
    return true;
}

// The portfolio's memory is given back before the rule health is written, which a large portfolio's settings
// write then reuses rather than adding to the peak. The messages keep the order of the rule health first.
bool saveThenRecordHealth(std::unique_ptr<PortfolioDocument> doc, const QString& path,
                          const UnattendedUpdate::Outcome& outcome)
{
    std::string backupFailure;
    const Status saved = outcome.stored > 0 ? doc->savePortfolio(Cli::filePath(path), &backupFailure) : Status::ok();
    doc.reset();
    if (!RuleHealth::record(path.toStdString(), outcome.health))
        Cli::err("The rule health could not be stored.");
    if (!backupFailure.empty())
        Cli::err(PortfolioBackups::failureMessage(backupFailure));
    if (!saved)
        Cli::err(saved.message());
    return static_cast<bool>(saved);
}

int runUpdateCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions(
        {{"items", "Update only these items (exact names, comma-separated).", "NAME,..."},
         {"date", "Update on this date: missing pages make the download look back.", "DATE"},
         {"downloads", "Simultaneous downloads for this run (1 to 500).", "N"},
         {"per-host", "Simultaneous downloads from one host for this run (1 to 16).", "N"},
         {"guard", "Hold back quotations that change by more than PCT percent (0 = off, up to 1000).", "PCT"},
         {"alarms", "Print the alarms this run turned on after the result lines."},
         {"quiet", "Print only the items that failed."}});
    parser.addPositionalArgument("FILE", "The portfolio.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("update takes exactly one FILE.", kUsage);
    const std::future<void> curlLoaded = CurlLibrary::loadInBackground();
    int downloads = GeneralOptions::readOptions().NumberDownloads;
    if (parser.isSet("downloads") &&
        !Cli::toInt(parser.value("downloads"), downloads, 1, PortfolioDocument::kMaxDownloadSlots))
        return Cli::usageError("--downloads takes a number from 1 to 500.", kUsage);
    DownloadSettings settings = DownloadSettings::read();
    if (parser.isSet("per-host") && !Cli::toInt(parser.value("per-host"), settings.connectionsPerHost, 1, 16))
        return Cli::usageError("--per-host takes a number from 1 to 16.", kUsage);
    if (parser.isSet("guard") && !Cli::toInt(parser.value("guard"), settings.guardPercent, 0, 1000))
        return Cli::usageError("--guard takes a number from 0 to 1000.", kUsage);
    std::optional<time_t> date;
    if (parser.isSet("date")) {
        time_t given = 0;
        if (!PortfolioCli::parseTime(parser.value("date"), given))
            return Cli::usageError("--date takes \"YYYY-MM-DD HH:MM\".", kUsage);
        date = given;
    }

    const QString path = Cli::positionals(parser).first();
    auto doc = std::make_unique<PortfolioDocument>(downloads);
    if (!PortfolioCli::open(*doc, path))
        return Cli::FileError;
    std::vector<PortfolioDocument::ItemId> ids;
    if (!selectItems(*doc, parser.isSet("items") ? parser.value("items") : QString(), ids))
        return Cli::UsageError;

    const bool quiet = parser.isSet("quiet");
    StopSignals::install();
    const auto outcome = UnattendedUpdate::run(
        *doc, ids, date, settings, quiet ? UnattendedUpdate::Lines::FailuresOnly : UnattendedUpdate::Lines::All,
        [](const UnattendedUpdate::Line& line) {
            // Flushed line by line: a script watching the update sees each result as it comes.
            std::cout << line.text << std::endl;
        },
        [] { return StopSignals::received() != 0; });
    if (parser.isSet("alarms"))
        for (const std::string& notice : outcome.alarms)
            std::cout << "Alarm: " << Cli::singleLine(notice) << std::endl;
    if (!saveThenRecordHealth(std::move(doc), path, outcome))
        return Cli::FileError;
    // The shell's convention for a process ended by a signal.
    if (StopSignals::received() != 0)
        return 128 + StopSignals::received();
    return outcome.allFound ? Cli::Success : Cli::Failed;
}

} // namespace

const CliCommand kUpdateCommand = {"update", kUsage, kSummary, runUpdateCommand};

#include "cli/CliSupport.h"
#include "model/FormatText.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "download/EventQueue.h"
#include "download/UpdateScheduler.h"
#include "settings/GeneralOptions.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace {

const char* const kUsage = "Usage: tickora-cli update FILE [--items NAME,...] [--date \"YYYY-MM-DD HH:MM\"] "
                           "[--downloads N] [--quiet]";

// The value as the document stored it (after the cents correction).
std::optional<double> storedValue(const CWPapierDoc& doc, const DownloadEvent& event)
{
    const int pos = event.itemRef ? doc.positionOf(*event.itemRef) : -1;
    if (pos < 0 || !event.quotation)
        return std::nullopt;
    const std::vector<CKurs>& history = doc.item(pos).quotations;
    const auto found = std::find_if(history.begin(), history.end(),
                                    [&](const CKurs& k) { return k.time == event.quotation->time; });
    if (found == history.end())
        return std::nullopt;
    return found->value;
}

// Prints the event's line; returns false for a final event that brought no stored quotation.
bool report(const CWPapierDoc& doc, const DownloadEvent& event, bool quiet)
{
    if (event.kind == DownloadEventKind::Started) {
        if (!quiet)
            Cli::out(Cli::singleLine(formatText("%s: %s", event.itemName.c_str(), event.statusText().c_str())));
        return true;
    }
    if (!event.isFinal())
        return true;
    const std::optional<double> value =
        event.kind == DownloadEventKind::Result ? storedValue(doc, event) : std::nullopt;
    if (value && !quiet)
        Cli::out(Cli::singleLine(formatText("%s: %.4f", event.itemName.c_str(), *value)));
    if (!value) {
        const std::string status = event.kind == DownloadEventKind::Result ? "Result discarded" : event.statusText();
        Cli::out(Cli::singleLine(formatText("%s: %s", event.itemName.c_str(), status.c_str())));
    }
    return value.has_value();
}

bool selectItems(const CWPapierDoc& doc, const QString& names, std::vector<CWPapierDoc::ItemId>& ids)
{
    if (names.isNull()) {
        for (int pos = 0; pos < doc.itemCount(); ++pos)
            ids.push_back(doc.itemId(pos));
        return true;
    }
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

} // namespace

int runUpdateCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({{"items", "Update only these items (exact names, comma-separated).", "NAME,..."},
                       {"date", "Update on this date: missing pages make the download look back.", "DATE"},
                       {"downloads", "Simultaneous downloads for this run (1 to 500).", "N"},
                       {"quiet", "Print only the items that failed."}});
    parser.addPositionalArgument("FILE", "The portfolio.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (parser.positionalArguments().size() != 1)
        return Cli::usageError("update takes exactly one FILE.", kUsage);
    int downloads = GeneralOptions::ReadOptions().NumberDownloads;
    if (parser.isSet("downloads") &&
        !Cli::toInt(parser.value("downloads"), downloads, 1, CWPapierDoc::kMaxDownloadSlots))
        return Cli::usageError("--downloads takes a number from 1 to 500.", kUsage);
    std::optional<time_t> date;
    if (parser.isSet("date")) {
        time_t given = 0;
        if (!PortfolioCli::parseTime(parser.value("date"), given))
            return Cli::usageError("--date takes \"YYYY-MM-DD HH:MM\".", kUsage);
        date = given;
    }

    const QString path = parser.positionalArguments().first();
    CWPapierDoc doc(downloads);
    if (!PortfolioCli::open(doc, path))
        return Cli::FileError;
    std::vector<CWPapierDoc::ItemId> ids;
    if (!selectItems(doc, parser.isSet("items") ? parser.value("items") : QString(), ids))
        return Cli::UsageError;

    const bool quiet = parser.isSet("quiet");
    auto queue = std::make_shared<EventQueue>();
    UpdateScheduler scheduler(doc, queue);
    if (scheduler.StartUpdate(ids, date) == 0)
        return Cli::Success;
    bool allFound = true;
    while (scheduler.pendingUpdates() > 0 || scheduler.runningDownloads() > 0) {
        const std::optional<DownloadEvent> event = queue->take(std::chrono::milliseconds(200));
        if (!event)
            continue;
        scheduler.HandleDownloadEvent(*event);
        allFound = report(doc, *event, quiet) && allFound;
        event->removeFiles();
    }
    if (scheduler.storedQuotations() > 0 && !PortfolioCli::save(doc, path))
        return Cli::FileError;
    return allFound ? Cli::Success : Cli::Failed;
}

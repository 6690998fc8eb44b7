// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/FileReader.h"
#include "core/base/FormatText.h"
#include "core/download/ItemPageDownload.h"
#include "core/extract/RuleRepair.h"
#include "core/model/ItemRules.h"
#include "core/model/RuleRepairApply.h"
#include "core/settings/RuleHealth.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const char* const kUsage =
    "Usage: tickora-cli repair FILE ITEM [--page PAGEFILE] [--tolerance PCT] [--json] [--apply N]\n"
    "  Proposes rules that read a value within PCT % (default 20) of the item's newest quotation from its page\n"
    "  as it is now (downloaded with the item's rules, or read from PAGEFILE). Prints \"Current rule: VALUE\" (or\n"
    "  the present rule's status text), then at most 5 lines \"N. VALUE  RULE  \u00ABEXCERPT\u00BB\", best first: "
    "rules\n"
    "  that follow the old rule's label come first, nearness to the quotation only breaks ties. --json prints\n"
    "  {\"reference\", \"current\", \"candidates\": [{\"value\", \"rule\" (the 19 server fields), \"excerpt\"}]}.\n"
    "  --apply N stores candidate N where the item's rule lives: its own rules (saved with the portfolio) or its\n"
    "  stored server, for every item that uses it. Nothing is stored without --apply. Exits with 1 when no rule\n"
    "  finds such a value or the item has no quotation, 3 when the portfolio or the page cannot be read.";
const char* const kSummary = "  repair FILE ITEM [--page PAGEFILE] [--tolerance PCT] [--json] [--apply N]\n"
                             "                                     Propose new rules for an item whose page changed.\n";

struct Options {
    QString path;
    std::string item;
    double tolerance = RuleRepair::kDefaultTolerancePercent;
    int apply = 0;
};

std::string valueText(double value)
{
    return formatText("%.4f", value);
}

QJsonObject rulesJson(const ServerConfig& rules)
{
    QJsonObject object;
    for (const ServerConfig::Field& f : ServerConfig::fields())
        object.insert(f.key, f.text ? QJsonValue(QString::fromStdString(rules.*f.text)) : QJsonValue(rules.*f.number));
    return object;
}

void print(const RuleRepair::Outcome& outcome, double reference, bool json)
{
    const bool found = outcome.current.status == ExtractStatus::QuotationFound;
    if (json) {
        QJsonArray candidates;
        for (const RuleRepair::Candidate& candidate : outcome.candidates)
            candidates.append(QJsonObject{{"value", Cli::jsonNumber(candidate.value)},
                                          {"rule", rulesJson(candidate.rules)},
                                          {"excerpt", QString::fromStdString(candidate.excerpt)}});
        Cli::printJson(QJsonObject{{"reference", Cli::jsonNumber(reference)},
                                   {"current", found ? Cli::jsonNumber(outcome.current.value) : QJsonValue()},
                                   {"candidates", candidates}});
        return;
    }
    Cli::out("Current rule: " +
             Cli::singleLine(found ? valueText(outcome.current.value) : outcome.current.statusText()));
    int number = 0;
    for (const RuleRepair::Candidate& candidate : outcome.candidates)
        Cli::out(std::to_string(++number) + ". " + valueText(candidate.value) + "  " +
                 Cli::singleLine(candidate.description) + "  \u00AB" + Cli::singleLine(candidate.excerpt) + "\u00BB");
}

int applyCandidate(PortfolioDocument& doc, int pos, const Options& options, const RuleRepair::Candidate& candidate)
{
    const std::string server = RuleRepairApply::storedServerOf(doc.item(pos));
    const Status applied = RuleRepairApply::apply(doc, pos, candidate.rules);
    if (!applied) {
        Cli::err(applied.message());
        return Cli::FileError;
    }
    if (!server.empty()) {
        Cli::out(RuleRepairApply::serverChangedMessage(server, RuleRepairApply::itemsUsing(doc, server)));
        return Cli::Success;
    }
    if (!PortfolioCli::save(doc, options.path))
        return Cli::FileError;
    Cli::out(Cli::singleLine(options.item) + ": " + Cli::singleLine(candidate.description));
    return Cli::Success;
}

Result<std::string> pageOf(const QCommandLineParser& parser, const ServerConfig& rules, const PortfolioItem& item)
{
    if (!parser.isSet("page"))
        return ItemPageDownload::fetch(rules, item.name, item.symbol);
    std::optional<std::string> bytes = readWholeFile(Cli::filePath(parser.value("page")));
    if (!bytes)
        return Status::error(Status::Code::NotFound, "Could not open file for reading!");
    return std::move(*bytes);
}

int repair(const QCommandLineParser& parser, const Options& options)
{
    PortfolioDocument doc;
    int exitCode = Cli::Success;
    const int pos = PortfolioCli::openItem(doc, options.path, options.item, kUsage, exitCode);
    if (pos < 0)
        return exitCode;
    const PortfolioItem& item = doc.item(pos);
    if (item.isInvestedAmountHistory) {
        Cli::err("The invested amount history has no quotation rule to repair.");
        return Cli::UsageError;
    }
    const std::optional<double> reference = item.lastValue();
    if (!reference) {
        Cli::err(formatText("%s has no quotation to compare with.", Cli::singleLine(item.name).c_str()));
        return Cli::Failed;
    }
    RuleRepair::Request request{resolveItemRules(item), item.name, item.symbol, *reference, options.tolerance, {}};
    const Result<std::string> page = pageOf(parser, request.rules, item);
    if (!page) {
        Cli::err(Cli::singleLine(page.message()));
        return Cli::FileError;
    }
    const std::map<std::string, RuleHealth> health = RuleHealth::read(options.path.toStdString());
    if (const auto found = health.find(item.name); found != health.end())
        request.lastTextBefore = found->second.LastTextBefore;

    const RuleRepair::Outcome outcome = RuleRepair::propose(request, *page);
    if (outcome.candidates.empty()) {
        if (options.apply == 0)
            print(outcome, *reference, parser.isSet("json"));
        Cli::err(RuleRepair::noCandidateMessage(options.tolerance, *reference));
        return Cli::Failed;
    }
    if (options.apply == 0) {
        print(outcome, *reference, parser.isSet("json"));
        return Cli::Success;
    }
    if (options.apply > static_cast<int>(outcome.candidates.size()))
        return Cli::usageError(formatText("There are only %d candidates.", int(outcome.candidates.size())), kUsage);
    return applyCandidate(doc, pos, options, outcome.candidates[static_cast<size_t>(options.apply - 1)]);
}

int runRepairCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({{"page", "Read the page from this saved file instead of downloading it.", "PAGEFILE"},
                       {"tolerance", "How far from the newest quotation a value may be, in percent (1-100).", "PCT"},
                       {"json", "Print JSON."},
                       {"apply", "Store candidate N of the ranking.", "N"}});
    parser.addPositionalArgument("FILE ITEM", "A portfolio and the exact name of one of its items.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    const QStringList positional = Cli::positionals(parser);
    if (positional.size() != 2)
        return Cli::usageError("repair takes FILE and ITEM.", kUsage);
    Options options{positional[0], positional[1].toStdString()};
    bool number = true;
    if (parser.isSet("tolerance"))
        options.tolerance = parser.value("tolerance").toDouble(&number);
    if (!number || !(options.tolerance >= 1 && options.tolerance <= 100))
        return Cli::usageError("--tolerance takes a percentage from 1 to 100.", kUsage);
    if (parser.isSet("apply") && !Cli::toInt(parser.value("apply"), options.apply, 1, RuleRepair::kMaxCandidates))
        return Cli::usageError(formatText("--apply takes a candidate number from 1 to %d.", RuleRepair::kMaxCandidates),
                               kUsage);
    return repair(parser, options);
}

} // namespace

const CliCommand kRepairCommand = {"repair", kUsage, kSummary, runRepairCommand};

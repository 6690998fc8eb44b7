// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/base/FileReader.h"
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/WizardRules.h"
#include "core/extract/XPathProposals.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const char* const kUsage =
    "Usage: tickora-cli wizard PAGE --quote TEXT [--mode 0|1|2] [--name N] [--symbol S] [--json]\n"
    "       tickora-cli wizard PAGE --quote TEXT --xpath [--json]";
const char* const kSummary =
    "  wizard PAGE --quote TEXT [--mode 0|1|2] [--name N] [--symbol S] [--json]\n"
    "                                     Propose start-text rules that find TEXT in a saved page.\n"
    "  wizard PAGE --quote TEXT --xpath [--json]\n"
    "                                     Propose XPath rules that find TEXT, best first.\n";

QJsonObject ruleObject(const WizardRules::Rule& rule, const std::string& name, const std::string& symbol)
{
    return QJsonObject{
        {"mode", static_cast<int>(rule.mode)},
        {"tags", rule.tags},
        {"numbers", rule.numbers},
        {"startText", QString::fromStdString(rule.startText)},
        {"textBeforeValue", QString::fromStdString(WizardRules::startTextWithVariables(rule.startText, name, symbol))},
        {"regionStart", static_cast<qint64>(rule.regionStart)},
        {"regionLength", static_cast<qint64>(rule.regionLength)},
        {"text", QString::fromStdString(WizardRules::listText(rule))},
    };
}

int proposeXPaths(const std::string& page, const std::string& quotation, bool json)
{
    const Result<std::vector<std::string>> proposed = XPathProposals::propose(page, quotation);
    const std::vector<std::string> found = proposed ? *proposed : std::vector<std::string>();
    if (json) {
        QJsonArray xpaths;
        for (const std::string& expression : found)
            xpaths.append(QString::fromStdString(expression));
        Cli::printJson(QJsonObject{{"xpaths", xpaths}, {"message", QString::fromStdString(proposed.message())}});
    } else {
        for (const std::string& expression : found)
            Cli::out(expression);
    }
    if (!proposed)
        Cli::err(Cli::singleLine(proposed.message()));
    return found.empty() ? Cli::Failed : Cli::Success;
}

int runWizardCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({{"quote", "The quotation as the page shows it, e.g. 22,65.", "TEXT"},
                       {"mode", "Page conversion: 0 none, 1 semi-html (default), 2 text-only.", "0|1|2"},
                       {"name", "Item name to put back as [&name] in the start texts (JSON).", "N"},
                       {"symbol", "Item symbol to put back as [&symbol] in the start texts (JSON).", "S"},
                       {"xpath", "Propose XPath rules instead (the page is read without conversion)."},
                       {"json", "Print JSON."}});
    parser.addPositionalArgument("PAGE", "A saved page.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("wizard takes exactly one PAGE.", kUsage);
    if (!parser.isSet("quote"))
        return Cli::usageError("--quote is required.", kUsage);
    int mode = static_cast<int>(PageConverter::Mode::SemiHtml);
    if (parser.isSet("mode") && !Cli::toInt(parser.value("mode"), mode, 0, 2))
        return Cli::usageError("--mode takes 0, 1 or 2.", kUsage);

    const std::string path = Cli::filePath(Cli::positionals(parser).first());
    std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        Cli::err("Could not open file for reading!");
        return Cli::FileError;
    }
    if (parser.isSet("xpath"))
        return proposeXPaths(PageText::normalizeEncoding(std::move(*bytes)), parser.value("quote").toStdString(),
                             parser.isSet("json"));
    const std::string page = PageText::forSearch(
        PageConverter::convertPage(PageConverter::modeOf(mode), PageText::normalizeEncoding(std::move(*bytes))));
    const Result<std::vector<WizardRules::Rule>> generated =
        WizardRules::generate(page, PageConverter::modeOf(mode), parser.value("quote").toStdString());
    const std::vector<WizardRules::Rule> found = generated ? *generated : std::vector<WizardRules::Rule>();

    if (parser.isSet("json")) {
        QJsonArray rules;
        for (const WizardRules::Rule& rule : found)
            rules.append(ruleObject(rule, parser.value("name").toStdString(), parser.value("symbol").toStdString()));
        Cli::printJson(
            QJsonObject{{"mode", mode}, {"rules", rules}, {"message", QString::fromStdString(generated.message())}});
    } else {
        for (const WizardRules::Rule& rule : found)
            Cli::out(Cli::singleLine(WizardRules::listText(rule)));
    }
    if (!generated)
        Cli::err(Cli::singleLine(generated.message()));
    return found.empty() ? Cli::Failed : Cli::Success;
}

} // namespace

const CliCommand kWizardCommand = {"wizard", kUsage, kSummary, runWizardCommand};

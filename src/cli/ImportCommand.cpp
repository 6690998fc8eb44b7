#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "importexport/ImportEngine.h"
#include "servers/SeparatorFormat.h"

#include <QJsonArray>
#include <QJsonObject>
#include <ctime>

namespace {

const char* const kUsage = "Usage: tickora-cli import SOURCE [--format P] [--separators S] [--case-sensitive]\n"
                           "       [--symbol S] [--json] [--into FILE --item NAME]";
const char* const kDefaultSeparators = " 9999.99";

std::string quotationLine(const CKurs& quotation)
{
    std::tm parts{};
    char when[64] = {};
    if (localtime_r(&quotation.time, &parts))
        std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &parts);
    return Cli::format("%s;%.4f", when, quotation.value);
}

void printQuotations(const ImportEngine::Result& result, bool json)
{
    if (!json) {
        for (const CKurs& quotation : result.quotations)
            Cli::out(quotationLine(quotation));
        return;
    }
    QJsonArray quotations;
    for (const CKurs& quotation : result.quotations)
        quotations.append(QJsonObject{{"time", static_cast<qint64>(quotation.time)},
                                      {"value", Cli::jsonNumber(quotation.value)}});
    Cli::printJson(QJsonObject{{"quotations", quotations},
                               {"status", result.status},
                               {"message", QString::fromStdString(result.message)}});
}

// The engine's message on one line, without the line break some messages end with.
std::string messageLine(const std::string& message)
{
    std::string line = Cli::singleLine(message);
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

} // namespace

int runImportCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions({{"format", "The file's line layout with place holders.", "P"},
                       {"separators", "Number format: \"9.999,99\", \" 9999,99\", \"9,999.99\" or \" 9999.99\".", "S"},
                       {"case-sensitive", "Match the format case-sensitively."},
                       {"symbol", "Item symbol for [&symbol].", "S"},
                       {"json", "Print JSON."},
                       {"into", "Merge the quotations into an item of this portfolio and save it.", "FILE"},
                       {"item", "The item (exact name) that --into merges into.", "NAME"}});
    parser.addPositionalArgument("SOURCE", "A historical quotation file.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (parser.positionalArguments().size() != 1)
        return Cli::usageError("import takes exactly one SOURCE.", kUsage);
    if (parser.isSet("into") != parser.isSet("item"))
        return Cli::usageError("--into and --item go together.", kUsage);

    const int separators = SeparatorFormat::indexOfSample(
        parser.isSet("separators") ? parser.value("separators").toStdString() : kDefaultSeparators);
    if (separators < 0)
        return Cli::usageError("--separators takes one of \"9.999,99\", \" 9999,99\", \"9,999.99\", \" 9999.99\".",
                               kUsage);
    ImportEngine::Rule rule;
    SeparatorFormat::pairFor(separators, rule.thousands, rule.decimal);
    rule.caseInsensitive = !parser.isSet("case-sensitive");
    const std::string format =
        parser.isSet("format") ? parser.value("format").toStdString() : ImportPattern::kDefaultFormat;
    rule.pattern =
        ImportPattern::translate(format, rule.thousands, rule.decimal, parser.value("symbol").toStdString());

    const std::string path = parser.positionalArguments().first().toStdString();
    const ImportEngine::Result result = ImportEngine::Run(path, rule);
    printQuotations(result, parser.isSet("json"));
    if (result.quotations.empty()) {
        Cli::err(ImportEngine::ErrorText(path, messageLine(result.message)));
        return result.status == ImportEngine::kFileNotOpened ? Cli::FileError : Cli::Failed;
    }
    Cli::err(messageLine(result.message));
    if (parser.isSet("into"))
        return PortfolioCli::mergeInto(parser.value("into"), parser.value("item").toStdString(), result.quotations,
                                       kUsage);
    return Cli::Success;
}

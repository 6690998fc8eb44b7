// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "core/base/FormatText.h"
#include "core/base/LocalTime.h"
#include "core/download/HandOverDownload.h"
#include "core/importexport/ImportEngine.h"
#include "core/importexport/ImportLocation.h"
#include "core/servers/SeparatorFormat.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace {

const char* const kUsage =
    "Usage: tickora-cli import SOURCE [--format P] [--separators S] [--case-sensitive]\n"
    "       [--symbol S] [--json] [--into FILE --item NAME]\n"
    "       tickora-cli import --location TEMPLATE --from YYYY-MM-DD --to YYYY-MM-DD [--symbol S] [--name N]\n"
    "       [--format P] [--separators S] [--case-sensitive] [--json] [--into FILE --item NAME]";
const char* const kSummary =
    "  import SOURCE [--format P] [--separators S] [--case-sensitive] [--symbol S] [--json]\n"
    "         [--into FILE --item NAME]   Read a quotation history from a text file; list it, or merge\n"
    "                                     it into an item of a portfolio and save.\n"
    "  import --location TEMPLATE --from YYYY-MM-DD --to YYYY-MM-DD [--symbol S] [--name N]\n"
    "         [import options]            The same for a history downloaded from a URL template with\n"
    "                                     the period variables (a local path is read as file://).\n";
const char* const kDefaultSeparators = " 9999.99";

// Appends `value` with `width` digits, zero-padded.
void appendNumber(std::string& out, long value, int width)
{
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    const int length = error == std::errc() ? static_cast<int>(end - digits) : 0;
    out.append(static_cast<size_t>(std::max(0, width - length)), '0');
    out.append(digits, static_cast<size_t>(length));
}

// "%Y-%m-%d %H:%M;%.4f" with the locale's decimal point, appended to `out`. Written by hand because the
// C library's formatting dominated the time of long imports; the digits are the same.
void appendQuotationLine(std::string& out, const Quotation& quotation, const std::string& decimalPoint)
{
    if (const std::optional<std::tm> found = localCalendarTime(quotation.time)) {
        const std::tm& parts = *found;
        appendNumber(out, parts.tm_year + 1900L, 4);
        out += '-';
        appendNumber(out, parts.tm_mon + 1, 2);
        out += '-';
        appendNumber(out, parts.tm_mday, 2);
        out += ' ';
        appendNumber(out, parts.tm_hour, 2);
        out += ':';
        appendNumber(out, parts.tm_min, 2);
    }
    out += ';';
    char value[400];
    const auto [end, error] = std::to_chars(value, value + sizeof value, quotation.value, std::chars_format::fixed, 4);
    std::string_view text(value, error == std::errc() ? static_cast<size_t>(end - value) : 0);
    const size_t point = text.find('.');
    out.append(text.substr(0, point));
    if (point != std::string_view::npos)
        out.append(decimalPoint).append(text.substr(point + 1));
    out += '\n';
}

void printQuotations(const ImportEngine::Gathered& result, int status, bool json)
{
    if (!json) {
        // One write for the whole history: long files give 100,000 lines and more.
        const std::string decimalPoint = std::localeconv()->decimal_point;
        std::string lines;
        lines.reserve(result.quotations.size() * 32);
        for (const Quotation& quotation : result.quotations)
            appendQuotationLine(lines, quotation, decimalPoint);
        std::fwrite(lines.data(), 1, lines.size(), stdout);
        std::fflush(stdout);
        return;
    }
    QJsonArray quotations;
    for (const Quotation& quotation : result.quotations)
        quotations.append(
            QJsonObject{{"time", static_cast<qint64>(quotation.time)}, {"value", Cli::jsonNumber(quotation.value)}});
    Cli::printJson(QJsonObject{
        {"quotations", quotations}, {"status", status}, {"message", QString::fromStdString(result.message)}});
}

// The engine's message on one line, without the line break some messages end with.
std::string messageLine(const std::string& message)
{
    std::string line = Cli::singleLine(message);
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

// A date argument as local noon, so the period variables read its calendar day.
bool parseDate(const QString& text, time_t& time)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return false;
    time = localTimeOf(date.year(), date.month(), date.day(), 12);
    return time != time_t(-1);
}

// Where --location fetches from: the period in the template, a local path as "file://".
struct Location {
    std::string address;
    time_t from = 0;
    time_t to = 0;
};

int readLocation(const QCommandLineParser& parser, Location& location)
{
    if (!Cli::positionals(parser).isEmpty())
        return Cli::usageError("import takes SOURCE or --location, not both.", kUsage);
    if (!parser.isSet("from") || !parser.isSet("to"))
        return Cli::usageError("--location needs --from and --to.", kUsage);
    if (!parseDate(parser.value("from"), location.from))
        return Cli::usageError("--from takes a date YYYY-MM-DD.", kUsage);
    if (!parseDate(parser.value("to"), location.to))
        return Cli::usageError("--to takes a date YYYY-MM-DD.", kUsage);
    if (location.from > location.to)
        return Cli::usageError("--from must not be later than --to.", kUsage);
    const std::string urlTemplate = Cli::filePath(parser.value("location"));
    location.address = ImportLocation::isLocalPath(urlTemplate)
        ? ImportLocation::localFileAddress(urlTemplate)
        : ImportLocation::downloadAddress(urlTemplate, location.from, location.to);
    return Cli::Success;
}

int checkSourceOptions(const QCommandLineParser& parser)
{
    if (parser.isSet("location"))
        return Cli::Success;
    for (const char* option : {"from", "to", "name"})
        if (parser.isSet(option))
            return Cli::usageError(std::string("--") + option + " goes with --location.", kUsage);
    if (Cli::positionals(parser).size() != 1)
        return Cli::usageError("import takes exactly one SOURCE.", kUsage);
    return Cli::Success;
}

int runImportCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOptions(
        {{"format", "The file's line layout with place holders.", "P"},
         {"separators", "Number format: \"9.999,99\", \" 9999,99\", \"9,999.99\" or \" 9999.99\".", "S"},
         {"case-sensitive", "Match the format case-sensitively."},
         {"symbol", "Item symbol for [&symbol].", "S"},
         {"json", "Print JSON."},
         {"into", "Merge the quotations into an item of this portfolio and save it.", "FILE"},
         {"item", "The item (exact name) that --into merges into.", "NAME"},
         {"location", "Download the history from this URL template (or read this local path).", "TEMPLATE"},
         {"from", "First day of the period of the template's [&day_begin] ... [&year_begin].", "YYYY-MM-DD"},
         {"to", "Last day of the period of the template's [&day_end] ... [&year_end].", "YYYY-MM-DD"},
         {"name", "Item name for the template's [&name].", "N"}});
    parser.addPositionalArgument("SOURCE", "A historical quotation file.");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    if (const int checked = checkSourceOptions(parser); checked != Cli::Success)
        return checked;
    if (parser.isSet("into") != parser.isSet("item"))
        return Cli::usageError("--into and --item go together.", kUsage);

    const int separators = SeparatorFormat::indexOfSample(
        parser.isSet("separators") ? parser.value("separators").toStdString() : kDefaultSeparators);
    if (separators < 0)
        return Cli::usageError("--separators takes one of \"9.999,99\", \" 9999,99\", \"9,999.99\", \" 9999.99\".",
                               kUsage);
    const bool download = parser.isSet("location");
    Location location;
    if (download) {
        if (const int read = readLocation(parser, location); read != Cli::Success)
            return read;
    }

    // The portfolio and its item are checked before the import, so a wrong name costs no work.
    const bool merge = parser.isSet("into");
    PortfolioDocument doc;
    int pos = -1;
    if (merge) {
        int exitCode = Cli::Success;
        pos = PortfolioCli::openItem(doc, parser.value("into"), parser.value("item").toStdString(), kUsage, exitCode);
        if (pos < 0)
            return exitCode;
    }
    // A download puts the item's name and symbol into the template unless they are given.
    std::string symbol = parser.value("symbol").toStdString();
    std::string name = parser.value("name").toStdString();
    if (download && merge) {
        if (!parser.isSet("symbol"))
            symbol = doc.item(pos).symbol;
        if (!parser.isSet("name"))
            name = doc.item(pos).name;
    }

    ImportEngine::Rule rule;
    SeparatorFormat::pairFor(separators, rule.thousands, rule.decimal);
    rule.caseInsensitive = !parser.isSet("case-sensitive");
    const std::string format =
        parser.isSet("format") ? parser.value("format").toStdString() : ImportPattern::kDefaultFormat;
    rule.pattern = ImportPattern::translate(format, rule.thousands, rule.decimal, symbol);

    const std::string path = download ? location.address : Cli::filePath(Cli::positionals(parser).first());
    TempFile fetched;
    if (download) {
        Result<TempFile> file = HandOverDownload::fetchRaw(location.address, name, symbol);
        if (!file) {
            Cli::err(file.message());
            return Cli::FileError;
        }
        fetched = std::move(file).value();
    }
    const Result<ImportEngine::Gathered> run = ImportEngine::run(download ? fetched.path() : path, rule);
    const ImportEngine::Gathered result = run ? *run : ImportEngine::Gathered{{}, {}, run.message()};
    // Merging reports through the portfolio; listing is for looking at a file before merging it.
    if (!merge)
        printQuotations(result, run ? static_cast<int>(result.status) : ImportEngine::kFileNotOpened,
                        parser.isSet("json"));
    if (result.unstorable > 0)
        Cli::err(formatText("Skipped %d lines whose date a portfolio file cannot store.", result.unstorable));
    if (result.quotations.empty()) {
        Cli::err(ImportEngine::errorText(path, messageLine(result.message)));
        return run ? Cli::Failed : Cli::FileError;
    }
    // The engine's normal end is no news when quotations were found.
    if (result.message != ImportEngine::kNoMatch)
        Cli::err(messageLine(result.message));
    const int outcome = result.unstorable > 0 ? Cli::Failed : Cli::Success;
    if (!merge)
        return outcome;
    doc.mergeQuotations(pos, result.quotations);
    return PortfolioCli::save(doc, parser.value("into")) ? outcome : Cli::FileError;
}

} // namespace

const CliCommand kImportCommand = {"import", kUsage, kSummary, runImportCommand};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RuleOptions.h"

#include "cli/CliSupport.h"
#include "core/base/FormatText.h"
#include "core/extract/JsonRule.h"
#include "core/extract/XPathRule.h"
#include "core/servers/SeparatorFormat.h"

namespace {

constexpr int kMaxSkip = 10000;
constexpr int kMaxMatchIndex = 1000;

Status refused(std::string message)
{
    return Status::error(Status::Code::InvalidInput, std::move(message));
}

Status intOption(const QCommandLineParser& parser, const char* option, int min, int max, int32_t& field)
{
    if (!parser.isSet(option))
        return Status::ok();
    int value = 0;
    if (!Cli::toInt(parser.value(option), value, min, max))
        return refused(formatText("--%s takes an integer between %d and %d.", option, min, max));
    field = value;
    return Status::ok();
}

// "D,M,Y" or "H,M" as match indices.
Status indexList(const QCommandLineParser& parser, const char* option, std::initializer_list<int32_t*> fields)
{
    const QStringList parts = parser.value(option).split(',');
    bool valid = parts.size() == static_cast<qsizetype>(fields.size());
    std::vector<int> values;
    for (const QString& part : parts) {
        int value = 0;
        valid = valid && Cli::toInt(part.trimmed(), value, 0, kMaxMatchIndex);
        values.push_back(value);
    }
    if (!valid)
        return refused(formatText("--%s takes %zu match indices separated by commas.", option, fields.size()));
    size_t i = 0;
    for (int32_t* field : fields)
        *field = values[i++];
    return Status::ok();
}

// --json-path sets the JSON rule; --json-date and --json-time alone change the paths of one already set.
Status applyJson(const QCommandLineParser& parser, ServerConfig& config)
{
    const bool path = parser.isSet("json-path");
    if (!path && !parser.isSet("json-date") && !parser.isSet("json-time"))
        return Status::ok();
    std::optional<JsonRule> stored = config.Filtering != 0 ? JsonRule::decode(config.RegExp) : std::nullopt;
    if (!path && !stored)
        return refused("--json-date and --json-time need --json-path.");
    const JsonRule old = stored.value_or(JsonRule());
    auto value = [&parser](const char* option, const std::string& kept) {
        return parser.isSet(option) ? parser.value(option).toStdString() : kept;
    };
    const JsonRule rule(value("json-path", old.valuePath()), value("json-date", old.datePath()),
                        value("json-time", old.timePath()));
    if (Status checked = rule.check(); !checked)
        return checked;
    config.RegExp = rule.encode();
    config.Filtering = 1;
    return Status::ok();
}

// --xpath sets the XPath rule; --xpath-date and --xpath-time alone change the expressions of one already set.
Status applyXPath(const QCommandLineParser& parser, ServerConfig& config)
{
    const bool value = parser.isSet("xpath");
    if (!value && !parser.isSet("xpath-date") && !parser.isSet("xpath-time"))
        return Status::ok();
    std::optional<XPathRule> stored = config.Filtering != 0 ? XPathRule::decode(config.RegExp) : std::nullopt;
    if (!value && !stored)
        return refused("--xpath-date and --xpath-time need --xpath.");
    const XPathRule old = stored.value_or(XPathRule());
    auto given = [&parser](const char* option, const std::string& kept) {
        return parser.isSet(option) ? parser.value(option).toStdString() : kept;
    };
    const XPathRule rule(given("xpath", old.valueExpression()), given("xpath-date", old.dateExpression()),
                         given("xpath-time", old.timeExpression()));
    if (Status checked = rule.check(); !checked)
        return checked;
    config.RegExp = rule.encode();
    config.Filtering = 1;
    return Status::ok();
}

// How many of the rule kinds that exclude each other are asked for.
int ruleKindsGiven(const QCommandLineParser& parser)
{
    const bool json = parser.isSet("json-path") || parser.isSet("json-date") || parser.isSet("json-time");
    const bool xpath = parser.isSet("xpath") || parser.isSet("xpath-date") || parser.isSet("xpath-time");
    return int(json) + int(xpath) + int(parser.isSet("regex")) + int(parser.isSet("standard"));
}

Status checkExclusions(const QCommandLineParser& parser)
{
    if (parser.isSet("case-sensitive") && parser.isSet("case-insensitive"))
        return refused("--case-sensitive and --case-insensitive exclude each other.");
    if (ruleKindsGiven(parser) > 1 || (parser.isSet("date") && parser.isSet("no-date")) ||
        (parser.isSet("time") && parser.isSet("no-time")))
        return refused("Contradicting options given.");
    return Status::ok();
}

// The page, the number format and the counted skips.
Status applySearch(const QCommandLineParser& parser, ServerConfig& config)
{
    if (parser.isSet("url"))
        config.URL = parser.value("url").toStdString();
    if (parser.isSet("start"))
        config.Text_before_Value = parser.value("start").toStdString();
    if (parser.isSet("separators")) {
        const int index = SeparatorFormat::indexOfSample(parser.value("separators").toStdString());
        if (index < 0)
            return refused("--separators takes one of \"9.999,99\", \" 9999,99\", \"9,999.99\", \" 9999.99\".");
        SeparatorFormat::pairFor(index, config.TAUSEND, config.DECIMAL);
    }
    for (Status checked :
         {intOption(parser, "timeout", 1, 600, config.Timeout), intOption(parser, "format", 0, 2, config.Format),
          intOption(parser, "tags", 0, kMaxSkip, config.Nr_HTML_before_Value),
          intOption(parser, "numbers", 0, kMaxSkip, config.Numbers_before_Value),
          intOption(parser, "quote-index", 0, kMaxMatchIndex, config.RegExpQuotationIndex)}) {
        if (!checked)
            return checked;
    }
    if (parser.isSet("case-sensitive"))
        config.NoCaseSensitiv = 0;
    if (parser.isSet("case-insensitive"))
        config.NoCaseSensitiv = 1;
    return Status::ok();
}

// The regular expression, JSON or standard search, and which match gives the date and time.
Status applyExtraction(const QCommandLineParser& parser, ServerConfig& config)
{
    if (parser.isSet("regex")) {
        config.RegExp = parser.value("regex").toStdString();
        config.Filtering = 1;
    }
    if (parser.isSet("standard"))
        config.Filtering = 0;
    if (Status json = applyJson(parser, config); !json)
        return json;
    if (Status xpath = applyXPath(parser, config); !xpath)
        return xpath;
    if (parser.isSet("date")) {
        if (Status dates =
                indexList(parser, "date", {&config.RegExpDayIndex, &config.RegExpMonthIndex, &config.RegExpYearIndex});
            !dates)
            return dates;
        config.bRegExpExtractDate = 1;
    }
    if (parser.isSet("no-date"))
        config.bRegExpExtractDate = 0;
    if (parser.isSet("time")) {
        if (Status times = indexList(parser, "time", {&config.RegExpHourIndex, &config.RegExpMinuteIndex}); !times)
            return times;
        config.bRegExpExtractTime = 1;
    }
    if (parser.isSet("no-time"))
        config.bRegExpExtractTime = 0;
    return Status::ok();
}

} // namespace

namespace RuleOptions {

void addTo(QCommandLineParser& parser)
{
    parser.addOptions({
        {"url", "URL template of the quotation page.", "U"},
        {"timeout", "Download timeout in seconds (1-600).", "N"},
        {"format", "Page conversion: 0 none, 1 semi-html, 2 text-only.", "0|1|2"},
        {"separators", "Number format: \"9.999,99\", \" 9999,99\", \"9,999.99\" or \" 9999.99\".", "S"},
        {"start", "Text after which the quotation is searched.", "TEXT"},
        {"tags", "Html tags to skip after the start text (semi-html pages).", "N"},
        {"numbers", "Numbers to skip before the quotation.", "N"},
        {"case-sensitive", "Search case-sensitively."},
        {"case-insensitive", "Search case-insensitively."},
        {"regex", "Extract the quotation with this regular expression.", "P"},
        {"json-path", "Extract the quotation from a JSON answer at this path.", "P"},
        {"json-date", "JSON path of the quotation's date (\"\" for none).", "P"},
        {"json-time", "JSON path of the quotation's time (\"\" for none).", "P"},
        {"xpath", "Extract the quotation from an HTML page with this XPath expression.", "EXPR"},
        {"xpath-date", "XPath expression of the quotation's date (\"\" for none).", "EXPR"},
        {"xpath-time", "XPath expression of the quotation's time (\"\" for none).", "EXPR"},
        {"standard", "Extract the quotation with the standard search."},
        {"quote-index", "Match index of the quotation.", "N"},
        {"date", "Match indices of day, month and year; extracts the date.", "D,M,Y"},
        {"no-date", "Do not extract the date."},
        {"time", "Match indices of hour and minute; extracts the time.", "H,M"},
        {"no-time", "Do not extract the time."},
    });
}

Status apply(const QCommandLineParser& parser, ServerConfig& config)
{
    if (Status excluded = checkExclusions(parser); !excluded)
        return excluded;
    if (Status search = applySearch(parser, config); !search)
        return search;
    if (Status extraction = applyExtraction(parser, config); !extraction)
        return extraction;
    if (config.overlongText())
        return refused("A text of the rules is longer than 259 characters.");
    return Status::ok();
}

} // namespace RuleOptions

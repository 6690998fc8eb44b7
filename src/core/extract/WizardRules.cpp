#include "core/extract/WizardRules.h"
#include "core/base/Utf8.h"

#include "core/extract/PageConverter.h"
#include "core/extract/RegexExtract.h"

namespace {

const char* startTextPart(PageConverter::Mode mode)
{
    switch (mode) {
    case PageConverter::Mode::SemiHtml:
        return "([^-+., <>\\t\\r\\n][^,<>\\t\\r\\n]{0,28}[^.,<>\\t\\r\\n])";
    case PageConverter::Mode::TextOnly:
        return "[ \\t\\r\\n]([^ .,\\t\\r\\n][^,\\t\\r\\n]{0,28}[^.,\\t\\r\\n])[ \\t\\r\\n]";
    default:
        return "[ >\\t\\r\\n]([^ .,\\t\\r\\n][^,\\t\\r\\n]{0,28}[^.,\\t\\r\\n])";
    }
}

size_t lastCharacterStart(const std::string& text, size_t end)
{
    size_t pos = end;
    while (pos > 0) {
        --pos;
        if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80)
            break;
    }
    return pos;
}

// The rule a match stands for, or false when the standard search would stop at an earlier start text.
bool ruleFromMatch(const std::string& page, PageConverter::Mode mode, const RegexExtract::Location& match,
                   WizardRules::Rule& rule)
{
    const size_t matchStart = static_cast<size_t>(match.start);
    const size_t regionStart = mode == PageConverter::Mode::SemiHtml ? matchStart : matchStart + 1;
    const size_t regionEnd = lastCharacterStart(page, matchStart + match.length);
    if (regionEnd < regionStart || page.find(match.capture) != regionStart)
        return false;
    rule.startText = match.capture;
    rule.regionStart = regionStart;
    rule.regionLength = regionEnd - regionStart;
    return true;
}

std::string replaceAll(const std::string& text, const std::string& what, const std::string& with)
{
    if (what.empty())
        return text;
    std::string result;
    size_t from = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, from)) {
        result.append(text, from, pos - from).append(with);
        from = pos + what.size();
    }
    return result.append(text, from);
}

} // namespace

namespace WizardRules {

int largestTagCount(PageConverter::Mode mode)
{
    return mode == PageConverter::Mode::SemiHtml ? 15 : 0;
}

std::string pattern(PageConverter::Mode mode, int tags, int numbers, const std::string& quotation)
{
    std::string pattern = startTextPart(mode);
    pattern += "[^<>0-9.,]*";
    for (int t = 0; t < tags; ++t)
        pattern += t + 1 < tags ? "<[^>]*>[^<>]*" : "<[^>]*>[^<>0-9.,]*";
    for (int n = 0; n < numbers; ++n)
        pattern += "[-+]?[0-9][0-9.,]*[^<>0-9.,]+";
    return pattern + quotation + "[^0-9.,]";
}

Result<std::vector<Rule>> generate(const std::string& page, PageConverter::Mode mode, const std::string& quotation,
                                   const Progress& progress)
{
    if (quotation.empty())
        return Status::error(Status::Code::InvalidInput, "Please enter the quotation to be extracted!");
    if (page.find(quotation) == std::string::npos)
        return Status::error(Status::Code::NotFound, "Quotation doesn't exist in the specified web page!");
    std::vector<Rule> rules;
    const int largestTags = largestTagCount(mode);
    const int total = (kMaxNumbers + 1) * (largestTags + 1);
    int done = 0;
    for (int numbers = 0; numbers <= kMaxNumbers; ++numbers) {
        for (int tags = 0; tags <= largestTags; ++tags) {
            const auto match = RegexExtract::regexLocate(page, pattern(mode, tags, numbers, quotation), true, 1);
            if (progress)
                progress(++done, total);
            if (match.status == ExtractStatus::RegexCompileError)
                return Status::error(Status::Code::Failed, match.message);
            Rule rule{mode, tags, numbers, {}, 0, 0};
            if (match.status == ExtractStatus::QuotationFound && ruleFromMatch(page, mode, match, rule))
                rules.push_back(rule);
        }
    }
    return rules;
}

std::string listText(const Rule& rule)
{
    const std::string start = "find text \"" + rule.startText + "\"";
    if (rule.tags == 0)
        return start + " and skip " + std::to_string(rule.numbers) + " number(s)";
    if (rule.numbers == 0)
        return start + " and skip " + std::to_string(rule.tags) + " html tag(s) ";
    return start + ", skip " + std::to_string(rule.tags) + " html tag(s) and then skip " +
        std::to_string(rule.numbers) + " number(s)";
}

std::string startTextWithVariables(const std::string& startText, const std::string& name, const std::string& symbol)
{
    // The symbol is only looked for outside the names already put back, so "[&name]" itself stays whole.
    if (name.empty())
        return replaceAll(startText, symbol, "[&symbol]");
    std::string result;
    size_t from = 0;
    for (size_t pos = startText.find(name); pos != std::string::npos; pos = startText.find(name, from)) {
        result += replaceAll(startText.substr(from, pos - from), symbol, "[&symbol]") + "[&name]";
        from = pos + name.size();
    }
    return result + replaceAll(startText.substr(from), symbol, "[&symbol]");
}

Status apply(const Rule& rule, const std::string& url, const std::string& thousands, const std::string& decimal,
             const std::string& name, const std::string& symbol, ServerConfig& config)
{
    const std::string startText = startTextWithVariables(rule.startText, name, symbol);
    if (utf8Length(startText) > ServerConfig::kMaxTextLength || utf8Length(url) > ServerConfig::kMaxTextLength)
        return Status::error(Status::Code::InvalidInput,
                             "The start text or the address is longer than 259 characters.");
    config.URL = url;
    config.Format = static_cast<int32_t>(rule.mode);
    config.Text_before_Value = startText;
    config.Nr_HTML_before_Value = rule.tags;
    config.Numbers_before_Value = rule.numbers;
    config.TAUSEND = thousands;
    config.DECIMAL = decimal;
    config.NoCaseSensitiv = 1;
    config.Filtering = 0;
    return Status::ok();
}

} // namespace WizardRules

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/WizardRules.h"
#include "core/base/Utf8.h"

#include "core/base/ThreadCpuTime.h"
#include "core/extract/Pcre2Regex.h"
#include "core/extract/StartTextScan.h"

#include <string_view>

namespace {

// Where the quotation stands with a character after it that cannot continue a number.
std::vector<size_t> quotationPlaces(const std::string& page, const std::string& quotation)
{
    std::vector<size_t> places;
    for (size_t pos = page.find(quotation); pos != std::string::npos; pos = page.find(quotation, pos + 1)) {
        const size_t after = pos + quotation.size();
        if (after < page.size() && std::string_view("0123456789.,").find(page[after]) == std::string_view::npos)
            places.push_back(pos);
    }
    return places;
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

Result<std::vector<Rule>> generate(const std::string& page, PageConverter::Mode mode, const std::string& quotation,
                                   const Progress& progress)
{
    if (quotation.empty())
        return Status::error(Status::Code::InvalidInput, "Please enter the quotation to be extracted!");
    if (page.find(quotation) == std::string::npos)
        return Status::error(Status::Code::NotFound, "Quotation doesn't exist in the specified web page!");
    const std::vector<size_t> places = quotationPlaces(page, quotation);
    // The same bound as an extraction of this page, so no page holds the wizard longer than a search.
    const auto budgetEnd = threadCpuTime() + Pcre2Regex::workFor(page.size());
    std::vector<Rule> rules;
    const int largestTags = largestTagCount(mode);
    const int total = (kMaxNumbers + 1) * (largestTags + 1);
    int done = 0;
    for (int numbers = 0; numbers <= kMaxNumbers; ++numbers) {
        for (int tags = 0; tags <= largestTags; ++tags) {
            if (threadCpuTime() > budgetEnd)
                return Status::error(Status::Code::Failed, Pcre2Regex::matchFailureMessage(Pcre2Regex::kLimitExceeded));
            std::optional<StartTextScan::Shape> earliest;
            size_t earliestPlace = 0;
            for (size_t place : places) {
                std::optional<StartTextScan::Shape> shape = StartTextScan::before(page, mode, place, tags, numbers);
                if (shape && (!earliest || shape->start < earliest->start)) {
                    earliest = std::move(shape);
                    earliestPlace = place;
                }
            }
            if (progress)
                progress(++done, total);
            // The standard search stops at the first place the start text occurs.
            if (earliest && page.find(earliest->startText) == earliest->start)
                rules.push_back({mode, tags, numbers, earliest->startText, earliest->start,
                                 earliestPlace + quotation.size() - earliest->start});
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

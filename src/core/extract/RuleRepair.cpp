// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/RuleRepair.h"

#include "core/base/FormatText.h"
#include "core/extract/JsonRule.h"
#include "core/extract/JsonRuleCandidates.h"
#include "core/extract/LabelSimilarity.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"
#include "core/extract/TextRuleCandidates.h"
#include "core/extract/WizardRules.h"
#include "core/extract/XPathProposals.h"
#include "core/extract/XPathRule.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using Mode = PageConverter::Mode;

// The rules run for one place before it is given up: the best-fitting shapes come first.
constexpr int kMaxTriesPerPlace = 6;
// Each XPath proposal parses the whole page: only the best places get them.
constexpr int kMaxXPathPlaces = 5;

bool isJsonRule(const ServerConfig& rules)
{
    return rules.Filtering != 0 && JsonRule::isJsonRule(rules.RegExp);
}

bool isXPathRule(const ServerConfig& rules)
{
    return rules.Filtering != 0 && XPathRule::isXPathRule(rules.RegExp);
}

// What the old rule looked for: its start text, its pattern, its JSON path or its XPath expression.
std::string oldLabel(const ServerConfig& rules)
{
    if (isXPathRule(rules)) {
        const std::optional<XPathRule> expressions = XPathRule::decode(rules.RegExp);
        return expressions ? expressions->valueExpression() : std::string();
    }
    if (isJsonRule(rules)) {
        const std::optional<JsonRule> paths = JsonRule::decode(rules.RegExp);
        return paths ? paths->valuePath() : std::string();
    }
    return rules.Filtering != 0 ? rules.RegExp : rules.Text_before_Value;
}

// The server's separators first, then the two common ways of writing numbers.
std::vector<TextRuleCandidates::NumberFormat> numberFormats(const ServerConfig& rules)
{
    std::vector<TextRuleCandidates::NumberFormat> formats = {{rules.TAUSEND, rules.DECIMAL}, {".", ","}, {",", "."}};
    for (size_t i = 1; i < formats.size();) {
        const auto& f = formats[i];
        if (f.thousands == formats[0].thousands && f.decimal == formats[0].decimal)
            formats.erase(formats.begin() + static_cast<long>(i));
        else
            ++i;
    }
    return formats;
}

std::vector<Mode> pageModes(const ServerConfig& rules)
{
    if (rules.Filtering == 0 && static_cast<Mode>(rules.Format) == Mode::TextOnly)
        return {Mode::TextOnly, Mode::SemiHtml, Mode::None};
    return {Mode::SemiHtml, Mode::None};
}

class PageVersions {
public:
    explicit PageVersions(const std::string& rawPage) : m_normalized(PageText::normalizeEncoding(rawPage)) { }
    const std::string& of(Mode mode)
    {
        auto found = m_versions.find(mode);
        if (found == m_versions.end())
            found = m_versions.emplace(mode, PageText::forSearch(PageConverter::convertPage(mode, m_normalized))).first;
        return found->second;
    }

private:
    std::string m_normalized;
    std::map<Mode, std::string> m_versions;
};

struct Ranked {
    RepairPlace place;
    double ruleScore = 0.0;
    int skips = 0;
    RuleRepair::Candidate candidate;
};

class Proposal {
public:
    Proposal(const RuleRepair::Request& request, const std::string& rawPage)
        : m_request(request), m_pages(rawPage), m_oldLabel(oldLabel(request.rules))
    {
        if (const auto withItem = QuotationExtractor::withItemVariables(request.rules, request.name, request.symbol))
            m_oldLabel = oldLabel(*withItem);
    }

    RuleRepair::Outcome run()
    {
        RuleRepair::Outcome outcome;
        outcome.current = currentResult();
        std::vector<RepairPlace> places = allPlaces();
        std::stable_sort(places.begin(), places.end(), [this](const RepairPlace& a, const RepairPlace& b) {
            return a.score != b.score ? a.score > b.score : distance(a) < distance(b);
        });
        for (const RepairPlace& place : places) {
            // Places come best first; among equal ones the nearest values were tried already.
            if (static_cast<int>(m_kept.size()) >= RuleRepair::kMaxCandidates &&
                place.score <= m_kept.back().place.score)
                break;
            if (shownAlready(place))
                continue;
            if (!place.jsonPath.empty())
                keepJsonRule(place);
            else if (!(isXPathRule(m_request.rules) && keepXPathRule(place)))
                keepTextRule(place);
        }
        for (Ranked& ranked : m_kept)
            outcome.candidates.push_back(std::move(ranked.candidate));
        outcome.verified = m_verified;
        return outcome;
    }

private:
    // The same value under the same label in another page version.
    bool shownAlready(const RepairPlace& place) const
    {
        return std::any_of(m_kept.begin(), m_kept.end(), [&](const Ranked& kept) {
            return kept.place.value == place.value && kept.place.label == place.label;
        });
    }

    double distance(const RepairPlace& place) const { return std::fabs(place.value - m_request.reference); }

    ExtractResult currentResult()
    {
        const auto withItem = QuotationExtractor::withItemVariables(m_request.rules, m_request.name, m_request.symbol);
        if (!withItem) {
            ExtractResult refused;
            refused.excerpt = withItem.message();
            return refused;
        }
        return QuotationExtractor::extract(*withItem, m_pages.of(static_cast<Mode>(withItem->Format)),
                                           std::time(nullptr));
    }

    std::vector<RepairPlace> allPlaces()
    {
        const ServerConfig& rules = m_request.rules;
        std::vector<RepairPlace> places =
            JsonRuleCandidates::places(m_pages.of(Mode::None), {{rules.TAUSEND, rules.DECIMAL}, {"", "."}},
                                       m_request.reference, m_request.tolerancePercent, m_oldLabel);
        // A JSON answer read by a JSON rule is repaired with a JSON rule.
        if (!places.empty() && isJsonRule(rules))
            return places;
        for (Mode mode : pageModes(rules)) {
            std::vector<RepairPlace> found =
                TextRuleCandidates::places(m_pages.of(mode), mode, numberFormats(rules), m_request.reference,
                                           m_request.tolerancePercent, m_oldLabel, m_request.lastTextBefore);
            std::move(found.begin(), found.end(), std::back_inserter(places));
        }
        return places;
    }

    void keepTextRule(const RepairPlace& place)
    {
        std::vector<TextRuleCandidates::Shape> shapes = TextRuleCandidates::shapesFor(m_pages.of(place.mode), place);
        // A start text that is the value's own label follows it best; one like the old start text comes next.
        std::vector<std::pair<double, size_t>> order;
        for (size_t i = 0; i < shapes.size(); ++i)
            order.emplace_back(LabelSimilarity::similarity(shapes[i].startText, place.label) +
                                   0.5 * LabelSimilarity::similarity(shapes[i].startText, m_oldLabel),
                               i);
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        const std::string& page = m_pages.of(place.mode);
        int tries = 0;
        for (const auto& [score, index] : order) {
            const TextRuleCandidates::Shape& shape = shapes[index];
            // The search stops at the first place its start text stands; an earlier one in the same letter
            // case rules the shape out without running it.
            if (page.find(shape.startText) != shape.start)
                continue;
            if (++tries > kMaxTriesPerPlace)
                return;
            ServerConfig rules = m_request.rules;
            rules.Filtering = 0;
            rules.Format = static_cast<int32_t>(place.mode);
            rules.Text_before_Value =
                WizardRules::startTextWithVariables(shape.startText, m_request.name, m_request.symbol);
            rules.Nr_HTML_before_Value = shape.tags;
            rules.Numbers_before_Value = shape.numbers;
            rules.TAUSEND = place.thousands;
            rules.DECIMAL = place.decimal;
            rules.NoCaseSensitiv = 1;
            const std::string description =
                formatText("start \"%s\" tags %d numbers %d, %s, %s", rules.Text_before_Value.c_str(), shape.tags,
                           shape.numbers, TextRuleCandidates::formatSample(place.thousands, place.decimal).c_str(),
                           TextRuleCandidates::modeName(place.mode).c_str());
            if (keepIfVerified(place, std::move(rules), description, score, shape.tags + shape.numbers))
                return;
        }
    }

    // The old rule's date and time paths stay when they still lead somewhere.
    void keepJsonRule(const RepairPlace& place)
    {
        ServerConfig rules = m_request.rules;
        rules.Filtering = 1;
        rules.Format = static_cast<int32_t>(Mode::None);
        rules.TAUSEND = place.thousands;
        rules.DECIMAL = place.decimal;
        const std::optional<JsonRule> old =
            isJsonRule(m_request.rules) ? JsonRule::decode(m_request.rules.RegExp) : std::nullopt;
        if (old && (!old->datePath().empty() || !old->timePath().empty())) {
            ServerConfig dated = rules;
            dated.RegExp = JsonRule(place.jsonPath, old->datePath(), old->timePath()).encode();
            if (keepIfVerified(place, std::move(dated), "json " + place.jsonPath, 0.0, 0))
                return;
        }
        rules.RegExp = JsonRule(place.jsonPath, "", "").encode();
        keepIfVerified(place, std::move(rules), "json " + place.jsonPath, 0.0, 0);
    }

    // An XPath rule is repaired with the expressions the wizard proposes for the value's text; the old date and
    // time expressions stay when they still lead somewhere.
    bool keepXPathRule(const RepairPlace& place)
    {
        if (++m_xpathPlaces > kMaxXPathPlaces)
            return false;
        // Conversion keeps the value's own text, which the proposals look for on the unconverted page.
        const Result<std::vector<std::string>> expressions =
            XPathProposals::propose(m_pages.of(Mode::None), m_pages.of(place.mode).substr(place.at, place.length));
        if (!expressions)
            return false;
        const std::optional<XPathRule> old = XPathRule::decode(m_request.rules.RegExp);
        ServerConfig rules = m_request.rules;
        rules.Format = static_cast<int32_t>(Mode::None);
        rules.TAUSEND = place.thousands;
        rules.DECIMAL = place.decimal;
        for (const std::string& expression : *expressions) {
            const double score = LabelSimilarity::similarity(expression, m_oldLabel);
            if (old && (!old->dateExpression().empty() || !old->timeExpression().empty())) {
                ServerConfig dated = rules;
                dated.RegExp = XPathRule(expression, old->dateExpression(), old->timeExpression()).encode();
                if (keepIfVerified(place, std::move(dated), "xpath " + expression, score, 0))
                    return true;
            }
            ServerConfig plain = rules;
            plain.RegExp = XPathRule(expression, "", "").encode();
            if (keepIfVerified(place, std::move(plain), "xpath " + expression, score, 0))
                return true;
        }
        return false;
    }

    // Runs the ordinary extraction with the rules on the page and keeps them when they read the place's value.
    bool keepIfVerified(const RepairPlace& place, ServerConfig rules, const std::string& description, double ruleScore,
                        int skips)
    {
        if (rules.overlongText())
            return false;
        for (const Ranked& kept : m_kept) {
            if (kept.candidate.description == description)
                return false;
        }
        ++m_verified;
        const auto withItem = QuotationExtractor::withItemVariables(rules, m_request.name, m_request.symbol);
        if (!withItem)
            return false;
        const ExtractResult result =
            QuotationExtractor::extract(*withItem, m_pages.of(static_cast<Mode>(rules.Format)), std::time(nullptr));
        if (result.status != ExtractStatus::QuotationFound || result.value != place.value)
            return false;
        Ranked ranked{place,
                      ruleScore,
                      skips,
                      {std::move(rules), place.value, description, place.excerpt, place.excerptValueStart,
                       place.excerptValueLength}};
        const auto position =
            std::find_if(m_kept.begin(), m_kept.end(), [&](const Ranked& other) { return better(ranked, other); });
        m_kept.insert(position, std::move(ranked));
        if (static_cast<int>(m_kept.size()) > RuleRepair::kMaxCandidates)
            m_kept.pop_back();
        return true;
    }

    // Labels first; nearness to the last quotation only decides between equally good places.
    bool better(const Ranked& a, const Ranked& b) const
    {
        if (a.place.score != b.place.score)
            return a.place.score > b.place.score;
        if (a.ruleScore != b.ruleScore)
            return a.ruleScore > b.ruleScore;
        if (distance(a.place) != distance(b.place))
            return distance(a.place) < distance(b.place);
        return a.skips < b.skips;
    }

    const RuleRepair::Request& m_request;
    PageVersions m_pages;
    std::string m_oldLabel;
    std::vector<Ranked> m_kept;
    int m_verified = 0;
    int m_xpathPlaces = 0;
};

} // namespace

namespace RuleRepair {

Outcome propose(const Request& request, const std::string& rawPage)
{
    return Proposal(request, rawPage).run();
}

std::string noCandidateMessage(double tolerancePercent, double reference)
{
    return formatText("No rule on this page finds a value within %g%% of %.4f.", tolerancePercent, reference);
}

} // namespace RuleRepair

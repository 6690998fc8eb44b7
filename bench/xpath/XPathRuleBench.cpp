// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"
#include "core/extract/XPathRule.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <libxml/HTMLparser.h>
#include <string>

namespace {

// About 1 MB shaped like a quotation site's page: a head with scripts, navigation, a long price table
// with classes, and the quotation in a labelled cell near the end.
std::string htmlPage()
{
    std::string text = "<!DOCTYPE html><html><head><meta charset='utf-8'><title>ACME</title>"
                       "<script>var data = {a: 1 < 2};</script><style>td { color: red }</style></head><body>"
                       "<nav><ul><li><a href='/'>Start</a></li><li><a href='/k'>Kurse</a></li></ul></nav>"
                       "<table class='history'><thead><tr><th>Datum</th><th>Schluss</th><th>Volumen</th></tr>"
                       "</thead><tbody>";
    for (int i = 0; text.size() < 1'000'000; ++i) {
        char row[200];
        std::snprintf(row, sizeof row,
                      "<tr class='row'><td class='date'>%02d.%02d.2020</td><td class='close'>%d,%02d&nbsp;EUR</td>"
                      "<td>%d</td></tr>\n",
                      i % 28 + 1, i % 12 + 1, 600 + i % 90, i % 100, 1000 + i);
        text += row;
    }
    return text +
        "</tbody></table><div id='quote'><table><tr><td>Kurs</td><td>671,40 EUR</td></tr></table></div>"
        "</body></html>";
}

const std::string& page()
{
    static const std::string text = htmlPage();
    return text;
}

ServerConfig xpathRules()
{
    ServerConfig rules;
    rules.Filtering = 1;
    rules.TAUSEND = ".";
    rules.DECIMAL = ",";
    rules.RegExp = XPathRule("//td[normalize-space()='Kurs']/following-sibling::td[1]", "", "").encode();
    return rules;
}

void LibraryParse(benchmark::State& state)
{
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING;
    for (auto _ : state) {
        htmlDocPtr document = htmlReadMemory(page().data(), static_cast<int>(page().size()), nullptr, "UTF-8", options);
        benchmark::DoNotOptimize(document);
        xmlFreeDoc(document);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size()));
}

// The rule as update and test jobs run it: on the page as the searches see it.
void XPathRuleOnPage(benchmark::State& state)
{
    const ServerConfig rules = xpathRules();
    const std::string searched = PageText::forSearch(page());
    for (auto _ : state) {
        const ExtractResult result = QuotationExtractor::extract(rules, searched, 0);
        if (result.status != ExtractStatus::QuotationFound || result.value != 671.4)
            state.SkipWithError("the rule did not find the quotation");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size()));
}

// The same from the downloaded bytes, with the encoding check and the page conversion.
void XPathRuleOnRawPage(benchmark::State& state)
{
    const ServerConfig rules = xpathRules();
    for (auto _ : state)
        benchmark::DoNotOptimize(QuotationExtractor::extractFromRawPage(rules, page(), 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size()));
}

} // namespace

BENCHMARK(LibraryParse)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(XPathRuleOnPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(XPathRuleOnRawPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();

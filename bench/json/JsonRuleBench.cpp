// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonRule.h"
#include "core/extract/PageText.h"
#include "core/extract/QuotationExtractor.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace {

// About 1 MB in the shapes quotation services answer with: a series of dated objects with string
// values, parallel arrays of times and prices, and a list of observations that the rule filters.
std::string answer()
{
    std::string text = R"({"meta": {"symbol": "ACME", "currency": "EUR", "regularMarketPrice": 123.45},)";
    text += R"("series": {)";
    for (int i = 0; i < 2500; ++i) {
        char entry[200];
        std::snprintf(entry, sizeof entry,
                      R"(%s"2021-%02d-%02d-%d": {"1. open": "%d.25", "2. high": "%d.75", "3. low": "%d.5", )"
                      R"("4. close": "%d.125", "5. volume": "%d"})",
                      i ? ", " : "", i % 12 + 1, i % 28 + 1, i, 100 + i % 50, 101 + i % 50, 99 + i % 50, 100 + i % 50,
                      100000 + i);
        text += entry;
    }
    text += R"(}, "timestamp": [)";
    for (int i = 0; i < 15000; ++i)
        text += (i ? "," : "") + std::to_string(1600000000LL + 86400LL * i);
    text += R"(], "close": [)";
    for (int i = 0; i < 15000; ++i)
        text += (i ? "," : "") + std::to_string(200.0 + i * 0.013);
    text += R"(], "observations": [)";
    for (int i = 0; text.size() < 1'000'000; ++i) {
        char entry[120];
        std::snprintf(entry, sizeof entry, R"(%s{"d": "2021-01-%06d", "FX": {"v": "0.%04d"}})", i ? ", " : "", i,
                      i % 10000);
        text += entry;
    }
    return text + R"(, {"d": "last", "FX": {"v": "0.7870"}}], "updated": "2024-09-13T16:00:00Z"})";
}

ServerConfig jsonRules()
{
    ServerConfig rules;
    rules.Filtering = 1;
    rules.DECIMAL = ".";
    rules.RegExp = JsonRule("$.observations[?(@.d=='last')].FX.v", "$.updated", "").encode();
    return rules;
}

const std::string& page()
{
    static const std::string text = answer();
    return text;
}

void LibraryParse(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(nlohmann::json::parse(page()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size()));
}

// The rule as update and test jobs run it: on the page as the searches see it.
void JsonRuleOnPage(benchmark::State& state)
{
    const ServerConfig rules = jsonRules();
    const std::string searched = PageText::forSearch(page());
    for (auto _ : state) {
        const ExtractResult result = QuotationExtractor::extract(rules, searched, 0);
        if (result.status != ExtractStatus::QuotationFound || result.value != 0.787)
            state.SkipWithError("the rule did not find the quotation");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size()));
}

// The same from the downloaded bytes, with the encoding check and the page conversion.
void JsonRuleOnRawPage(benchmark::State& state)
{
    const ServerConfig rules = jsonRules();
    for (auto _ : state)
        benchmark::DoNotOptimize(QuotationExtractor::extractFromRawPage(rules, page(), 0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size()));
}

} // namespace

BENCHMARK(LibraryParse)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(JsonRuleOnPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(JsonRuleOnRawPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();

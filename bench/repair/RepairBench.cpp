// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/PageConverter.h"
#include "core/extract/PageText.h"
#include "core/extract/RuleRepair.h"
#include "core/extract/WizardRules.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

// About 1 MB of quotation tables: 5,000 labelled numbers, most of them within 20 % of the reference, and
// the one the old rule read under a label of its own near the end.
std::string largePage()
{
    std::string page = "<html><body><h1>Kurse</h1><table>";
    for (int i = 0; i < 4'999; ++i) {
        char row[240];
        std::snprintf(row, sizeof row,
                      "<tr class=\"row\"><td class=\"label\">Fonds %d Anteilklasse A ausschuettend</td>"
                      "<td class=\"value\"><span>%d,%02d</span></td><td>EUR</td></tr>\n",
                      i, 90 + i % 25, i % 100);
        page += row;
        page.append(static_cast<size_t>(40), ' ');
    }
    page += "<tr><td>Schlusskurs (EUR)</td><td><b>101,25</b></td></tr>";
    while (page.size() < 1'000'000)
        page += "<p>Hinweis ohne Zahlen fuer Anleger</p>\n";
    return page + "</table></body></html>";
}

void RepairLargePage(benchmark::State& state)
{
    const std::string page = largePage();
    RuleRepair::Request request;
    request.rules = ServerConfig::newServerDefaults();
    request.rules.Format = 1;
    request.rules.TAUSEND = ".";
    request.rules.Text_before_Value = "Schluss:";
    request.rules.Nr_HTML_before_Value = 2;
    request.reference = 100.0;
    request.lastTextBefore = "<>schluss:<><>";
    int verified = 0;
    size_t candidates = 0;
    for (auto _ : state) {
        const RuleRepair::Outcome outcome = RuleRepair::propose(request, page);
        verified = outcome.verified;
        candidates = outcome.candidates.size();
        benchmark::DoNotOptimize(outcome.candidates.data());
    }
    state.counters["verified"] = verified;
    state.counters["candidates"] = static_cast<double>(candidates);
}

// A run of one letter before the quotation once made every pattern of the wizard take seconds.
void WizardLetterRun(benchmark::State& state)
{
    std::string raw = "<p>" + std::string(3'000, 'a') + " Kurs: <b>22,65</b></p>";
    while (raw.size() < static_cast<size_t>(state.range(0)))
        raw += "<p>Text</p>";
    const std::string page = PageText::forSearch(
        PageConverter::convertPage(PageConverter::Mode::SemiHtml, PageText::normalizeEncoding(raw)));
    for (auto _ : state) {
        const auto rules = WizardRules::generate(page, PageConverter::Mode::SemiHtml, "22,65");
        benchmark::DoNotOptimize(rules.isOk());
    }
}

} // namespace

BENCHMARK(RepairLargePage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(WizardLetterRun)
    ->Arg(3'000)
    ->Arg(10'000)
    ->Arg(30'000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_MAIN();

// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioArchive.h"
#include "core/model/PortfolioDocument.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

// Opening and saving the benchmark portfolio named by TICKORA_BENCH_PORTFOLIO, in one process.
namespace {

std::string portfolioPath()
{
    const char* path = std::getenv("TICKORA_BENCH_PORTFOLIO");
    return path ? path : "portfolio.tkr";
}

void Open(benchmark::State& state)
{
    for (auto _ : state) {
        PortfolioDocument doc;
        if (const Status opened = doc.openPortfolio(portfolioPath()); !opened)
            state.SkipWithError(opened.message().c_str());
        benchmark::DoNotOptimize(doc.itemCount());
    }
}

void Save(benchmark::State& state)
{
    PortfolioDocument doc;
    if (const Status opened = doc.openPortfolio(portfolioPath()); !opened) {
        state.SkipWithError(opened.message().c_str());
        return;
    }
    const std::string copy = portfolioPath() + ".saved";
    for (auto _ : state) {
        if (const Status saved = doc.savePortfolio(copy); !saved)
            state.SkipWithError(saved.message().c_str());
    }
}

// The save without the file: the stream built in memory.
void Serialize(benchmark::State& state)
{
    PortfolioDocument doc;
    if (const Status opened = doc.openPortfolio(portfolioPath()); !opened) {
        state.SkipWithError(opened.message().c_str());
        return;
    }
    std::vector<const PortfolioItem*> items;
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        items.push_back(&doc.item(pos));
    for (auto _ : state) {
        const Result<QByteArray> bytes = PortfolioArchive::write(items);
        benchmark::DoNotOptimize(bytes->size());
    }
}

} // namespace

BENCHMARK(Open)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(Serialize)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK_MAIN();

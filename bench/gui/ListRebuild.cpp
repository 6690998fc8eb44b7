// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioDocument.h"
#include "gui/views/PortfolioListView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <string>

// The portfolio list of 1,000 items refreshed and repainted after one item received a quotation, as the
// main window does: the document's notification, then the pending changes applied.
namespace {

constexpr int kItems = 1000;
constexpr int kQuotations = 200;
constexpr time_t kStart = 1262304000;

void fillPortfolio(PortfolioDocument& doc)
{
    doc.newPortfolio();
    for (int i = 0; i < kItems; ++i) {
        PortfolioItem item = PortfolioItem::newItem("Item " + std::to_string(i), kStart, i);
        item.quantity = i % 3;
        item.avgBuyPrice = 10 + i % 7;
        for (int k = 0; k < kQuotations; ++k)
            item.quotations.push_back(Quotation{kStart + k * 86400, 10 + (i * 31 + k * 17) % 1000 / 10.0});
        doc.addItem(std::move(item));
    }
}

void RebuildAfterOneUpdate(benchmark::State& state)
{
    PortfolioDocument doc;
    fillPortfolio(doc);
    PortfolioListView view(doc);
    const int listener = doc.addChangeListener([&view](PortfolioDocument::ItemId id) { view.documentChanged(id); });
    view.resize(1200, 800);
    view.initialUpdate();
    view.show();
    QApplication::processEvents();
    const PortfolioDocument::ItemId updated = doc.itemId(kItems / 2);
    time_t time = kStart + kQuotations * 86400;
    for (auto _ : state) {
        time += 3600;
        doc.applyDownloadedQuotation(updated, 12.5 + double(time % 100) / 10, time);
        view.applyPendingChanges();
        view.viewport()->repaint();
    }
    state.counters["rows"] = double(view.rowItems().size());
    state.counters["refreshes"] = view.fillCount();
    doc.removeChangeListener(listener);
}

} // namespace

BENCHMARK(RebuildAfterOneUpdate)->Unit(benchmark::kMillisecond)->MinTime(2);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

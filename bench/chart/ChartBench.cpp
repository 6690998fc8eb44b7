// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartPicking.h"
#include "render/ChartRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <random>

namespace {

const QSize kImage(1600, 600);

PortfolioItem history(int count, unsigned seed)
{
    PortfolioItem item = PortfolioItem::newItem("Item", 1000000000, seed);
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0, 0.01);
    double value = 100;
    for (int i = 0; i < count; ++i) {
        value *= 1 + step(random);
        item.quotations.push_back({time_t(1000000000) + time_t(i) * 3600, value});
    }
    return item;
}

ChartResult drawChart(QImage& image, const std::vector<const PortfolioItem*>& items)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    ChartRequest request;
    request.items = items;
    return ChartRenderer::draw(painter, image.rect(), request);
}

// What the chart's curves cost at the least: one polyline per item of the points it draws.
std::vector<QPolygon> curvesOf(const std::vector<const PortfolioItem*>& items)
{
    QImage image(kImage, QImage::Format_RGB32);
    std::vector<QPolygon> curves;
    for (const PortfolioItem* item : items) {
        const ChartResult result = drawChart(image, {item});
        QPolygon curve;
        for (const ChartPoint& point : result.points)
            curve << QPoint(point.x, point.y);
        curves.push_back(curve);
    }
    return curves;
}

void drawPolylines(QImage& image, const std::vector<QPolygon>& curves)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 1));
    for (const QPolygon& curve : curves)
        painter.drawPolyline(curve);
}

struct Data {
    PortfolioItem single = history(100000, 1);
    std::vector<PortfolioItem> compared;
    std::vector<const PortfolioItem*> comparedItems;
    std::vector<QPolygon> singleCurve;
    std::vector<QPolygon> comparedCurves;

    Data()
    {
        single.showGridLines = 1;
        single.graphValues = 0;
        for (unsigned i = 0; i < 20; ++i)
            compared.push_back(history(5000, 100 + i));
        for (const PortfolioItem& item : compared)
            comparedItems.push_back(&item);
        singleCurve = curvesOf({&single});
        comparedCurves = curvesOf(comparedItems);
    }
};

const Data& data()
{
    static const Data shared;
    return shared;
}

void SingleChart(benchmark::State& state)
{
    QImage image(kImage, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(drawChart(image, {&data().single}).points.size());
}

void SinglePolyline(benchmark::State& state)
{
    QImage image(kImage, QImage::Format_RGB32);
    for (auto _ : state)
        drawPolylines(image, data().singleCurve);
}

void ComparisonChart(benchmark::State& state)
{
    QImage image(kImage, QImage::Format_RGB32);
    for (auto _ : state)
        benchmark::DoNotOptimize(drawChart(image, data().comparedItems).dataArea);
}

void ComparisonPolylines(benchmark::State& state)
{
    QImage image(kImage, QImage::Format_RGB32);
    for (auto _ : state)
        drawPolylines(image, data().comparedCurves);
}

void HoverPicking(benchmark::State& state)
{
    QImage image(kImage, QImage::Format_RGB32);
    const std::vector<ChartPoint> points = drawChart(image, {&data().single}).points;
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChartPicking::nearestPoint(points, x));
        x = (x + 7919) % kImage.width();
    }
}

} // namespace

BENCHMARK(SingleChart)->Unit(benchmark::kMillisecond);
BENCHMARK(SinglePolyline)->Unit(benchmark::kMillisecond);
BENCHMARK(ComparisonChart)->Unit(benchmark::kMillisecond);
BENCHMARK(ComparisonPolylines)->Unit(benchmark::kMillisecond);
BENCHMARK(HoverPicking)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    data();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

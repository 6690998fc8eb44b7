// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartRenderer.h"
#include "TestEnvironment.h"
#include "render/ChartPicking.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kBlue = 0xFF0000;
const QColor kGrey(100, 100, 100);

PortfolioItem itemWith(std::vector<Quotation> quotations, uint32_t colour = kRed)
{
    PortfolioItem item = PortfolioItem::newItem("Alpha", localTime(2004, 1, 1), 0);
    item.quotations = std::move(quotations);
    item.chartColour = colour;
    return item;
}

struct Drawn {
    QImage image;
    ChartResult result;
};

Drawn draw(const std::vector<const PortfolioItem*>& items, const ComparisonSettings& comparison = {})
{
    Drawn drawn{QImage(800, 400, QImage::Format_RGB32), {}};
    drawn.image.fill(Qt::white);
    QPainter painter(&drawn.image);
    ChartRequest request;
    request.items = items;
    request.comparison = comparison;
    drawn.result = ChartRenderer::draw(painter, drawn.image.rect(), request);
    return drawn;
}

int right(const QRect& area)
{
    return area.x() + area.width();
}

int bottom(const QRect& area)
{
    return area.y() + area.height();
}

int pixelsOf(const QImage& image, const QColor& colour, const QRect& within)
{
    int count = 0;
    for (int y = within.top(); y <= within.bottom(); ++y) {
        for (int x = within.left(); x <= within.right(); ++x)
            count += image.pixelColor(x, y) == colour;
    }
    return count;
}

class ChartRendererTest : public testing::Test {
protected:
    void SetUp() override { TestEnvironment::setTimeZone("UTC"); }
    TestEnvironment m_env;
};

} // namespace

TEST_F(ChartRendererTest, TwoQuotationsSpanTheDataArea)
{
    const time_t day = localTime(2004, 3, 1, 12);
    const PortfolioItem item = itemWith({{day, 100}, {day + 86400, 110}});
    const Drawn drawn = draw({&item});
    const QRect area = drawn.result.dataArea;
    ASSERT_EQ(drawn.result.points.size(), 2u);
    EXPECT_EQ(drawn.result.points[0].x, area.x());
    EXPECT_EQ(drawn.result.points[0].y, bottom(area));
    EXPECT_EQ(drawn.result.points[1].x, right(area));
    EXPECT_EQ(drawn.result.points[1].y, area.y());
    ASSERT_FALSE(drawn.result.valueLabels.isEmpty());
    EXPECT_EQ(drawn.result.valueLabels.front(), "100.00%");
    EXPECT_EQ(drawn.result.valueLabels.back(), "110.00%");
    // The curve carries exactly the item's colour, without antialiasing.
    for (const ChartPoint& point : drawn.result.points)
        EXPECT_EQ(drawn.image.pixelColor(point.x, point.y), QColor(Qt::red));
    const int middle = (area.x() + right(area)) / 2;
    EXPECT_EQ(pixelsOf(drawn.image, Qt::red, QRect(middle, area.y(), 1, area.height() + 1)), 1);
}

TEST_F(ChartRendererTest, FlatAndZeroHistoriesStayFinite)
{
    const time_t day = localTime(2004, 3, 1, 12);
    struct Case {
        double value;
        QStringList lowestAndHighest;
    };
    for (const Case& c : {Case{50, {"100.00%", "110.00%"}}, Case{0, {}}}) {
        const PortfolioItem item = itemWith({{day, c.value}, {day + 86400, c.value}, {day + 2 * 86400, c.value}});
        const Drawn drawn = draw({&item});
        ASSERT_EQ(drawn.result.points.size(), 3u) << c.value;
        for (const ChartPoint& point : drawn.result.points)
            EXPECT_EQ(point.y, bottom(drawn.result.dataArea)) << c.value;
        if (c.lowestAndHighest.isEmpty()) {
            // A base of 0 has no percent axis.
            EXPECT_TRUE(drawn.result.valueLabels.isEmpty());
        } else {
            EXPECT_EQ(drawn.result.valueLabels.front(), c.lowestAndHighest.front());
            EXPECT_EQ(drawn.result.valueLabels.back(), c.lowestAndHighest.back());
        }
    }
}

TEST_F(ChartRendererTest, StartAfterTheNewestQuotationDrawsOnlyTheTitle)
{
    const time_t day = localTime(2004, 3, 1, 12);
    PortfolioItem item = itemWith({{day, 100}, {day + 86400, 110}});
    item.usePeriodStart = 1;
    item.periodStart = day + 10 * 86400;
    const Drawn drawn = draw({&item});
    EXPECT_TRUE(drawn.result.points.empty());
    const QRect below(0, drawn.result.dataArea.y(), 800, 400 - drawn.result.dataArea.y());
    EXPECT_EQ(pixelsOf(drawn.image, Qt::white, below), below.width() * below.height());
    const QRect titleBand(0, 0, 800, drawn.result.dataArea.y());
    EXPECT_GT(titleBand.width() * titleBand.height() - pixelsOf(drawn.image, Qt::white, titleBand), 10);
}

TEST_F(ChartRendererTest, ComparisonStartsAtTheLatestFirstQuotationWithInterpolation)
{
    const PortfolioItem early = itemWith({{localTime(2004, 3, 1), 100}, {localTime(2004, 9, 1), 200}}, kRed);
    const PortfolioItem late = itemWith({{localTime(2004, 6, 1), 50}, {localTime(2004, 9, 1), 40}}, kBlue);
    const Drawn drawn = draw({&early, &late});
    EXPECT_TRUE(drawn.result.comparison);
    EXPECT_TRUE(drawn.result.points.empty());
    EXPECT_EQ(drawn.result.from, localTime(2004, 6, 1));
    EXPECT_EQ(drawn.result.to, localTime(2004, 9, 1));
    // The early item is worth 100 + 92/184 of 100 on 1 June: its curve ends at 200 / 150.
    const double base = 100 + 100.0 * (92 * 1440) / (184 * 1440);
    const double rmax = 200 / base;
    const double rmin = 40.0 / 50.0;
    const QRect area = drawn.result.dataArea;
    const int endY = area.y() + int((rmax - 200 / base) * area.height() / (rmax - rmin));
    const int startY = area.y() + int((rmax - 1) * area.height() / (rmax - rmin) + 1e-6);
    EXPECT_EQ(drawn.image.pixelColor(right(area), endY), QColor(Qt::red));
    EXPECT_EQ(drawn.image.pixelColor(right(area), bottom(area)), QColor(Qt::blue));
    EXPECT_GT(pixelsOf(drawn.image, Qt::red, QRect(area.x(), startY - 1, 3, 3)), 0);
    EXPECT_EQ(drawn.result.valueLabels.front(), "80.00%");

    ComparisonSettings limits;
    limits.useEnd = true;
    limits.endYear = 2004;
    limits.endMonth = 7;
    limits.endDay = 1;
    EXPECT_EQ(draw({&early, &late}, limits).result.to, localTime(2004, 7, 1, 23, 59, 59));
}

TEST_F(ChartRendererTest, GridLinesOrShortTicks)
{
    const time_t day = localTime(2004, 3, 1, 12);
    for (int grid : {0, 1}) {
        PortfolioItem item = itemWith({{day, 100}, {day + 86400, 130}});
        item.showGridLines = grid;
        const Drawn drawn = draw({&item});
        const QRect axis = drawn.result.axisFrame;
        const QRect inside(axis.x() + 5, axis.y(), axis.width() - 10, axis.height() - 2);
        if (grid) {
            EXPECT_GT(pixelsOf(drawn.image, kGrey, inside), inside.width() * 3);
        } else {
            EXPECT_EQ(pixelsOf(drawn.image, kGrey, inside), 0);
            EXPECT_GT(pixelsOf(drawn.image, Qt::black, QRect(axis.x() + 1, axis.y(), 3, axis.height())), 3);
        }
    }
}

TEST_F(ChartRendererTest, SquareMarksAreFiveByFive)
{
    const time_t day = localTime(2004, 3, 1, 12);
    PortfolioItem item = itemWith({{day, 100}, {day + 86400, 120}, {day + 2 * 86400, 110}});
    item.graphValues = 3;
    const Drawn drawn = draw({&item});
    ASSERT_EQ(drawn.result.points.size(), 3u);
    const ChartPoint& middle = drawn.result.points[1];
    EXPECT_EQ(pixelsOf(drawn.image, Qt::red, QRect(middle.x - 2, middle.y - 2, 5, 5)), 25);
}

TEST_F(ChartRendererTest, LongHistoriesDrawTheCurveOfTheFullPolyline)
{
    // Many quotations per pixel column, up and down, as a long history has them.
    std::vector<Quotation> quotations;
    double value = 100;
    unsigned noise = 12345;
    for (int i = 0; i < 20000; ++i) {
        noise = noise * 1103515245u + 12345u;
        value *= 1 + (double((noise >> 16) % 2001) - 1000) / 50000;
        quotations.push_back({localTime(2004, 1, 1) + i * 1800, value});
    }
    PortfolioItem item = itemWith(quotations);
    item.showGridLines = 0;
    const Drawn drawn = draw({&item});
    ASSERT_EQ(drawn.result.points.size(), quotations.size());
    QImage full(drawn.image.size(), QImage::Format_RGB32);
    full.fill(Qt::white);
    QPolygon curve;
    for (const ChartPoint& point : drawn.result.points)
        curve << QPoint(point.x, point.y);
    QPainter painter(&full);
    painter.setPen(QPen(Qt::red, 1));
    painter.drawPolyline(curve);
    painter.end();
    const int curvePixels = pixelsOf(full, Qt::red, full.rect());
    int differing = 0;
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x)
            differing += (full.pixelColor(x, y) == Qt::red) != (drawn.image.pixelColor(x, y) == Qt::red);
    }
    // The rasteriser ends a line one pixel early or late at some turns; the curve is the same.
    EXPECT_GT(curvePixels, 5000);
    EXPECT_LT(differing * 200, curvePixels);
}

TEST_F(ChartRendererTest, HoverPicksTheNearerPointAndTheEarlierOnTies)
{
    const std::vector<ChartPoint> points{{10, 0, 0, 0}, {20, 0, 0, 0}, {20, 0, 0, 0}, {40, 0, 0, 0}};
    const std::vector<std::pair<int, int>> cases{{-5, 0}, {14, 0}, {15, 0}, {16, 1},
                                                 {25, 1}, {30, 1}, {31, 3}, {99999, -1}};
    for (const auto& [x, expected] : cases)
        EXPECT_EQ(ChartPicking::nearestPoint(points, x), expected) << x;
    EXPECT_EQ(ChartPicking::nearestPoint({}, 5), -1);
}

TEST_F(ChartRendererTest, ComparisonLegendNamesEachItemInItsOwnColour)
{
    const time_t day = localTime(2004, 3, 1, 12);
    PortfolioItem first = itemWith({{day, 100}, {day + 86400, 120}}, kRed);
    PortfolioItem second = itemWith({{day, 50}, {day + 86400, 40}}, kRed);
    PortfolioItem third = itemWith({{day, 70}, {day + 86400, 75}}, kBlue);
    second.name = "Beta";
    third.name = "Gamma";
    const Drawn drawn = draw({&first, &second, &third});
    ASSERT_EQ(drawn.result.legend.size(), 3u);
    EXPECT_EQ(drawn.result.legend[0].name, "Alpha");
    EXPECT_EQ(drawn.result.legend[1].name, "Beta");
    EXPECT_EQ(drawn.result.legend[0].colour, QColor(Qt::red));
    EXPECT_EQ(drawn.result.legend[2].colour, QColor(Qt::blue));
    // The second red item is told apart, and not by the colour a later item brings.
    const QColor told = drawn.result.legend[1].colour;
    EXPECT_NE(told, QColor(Qt::red));
    EXPECT_NE(told, QColor(Qt::blue));
    const QRect band(0, 0, 800, drawn.result.dataArea.y());
    for (const LegendEntry& entry : drawn.result.legend)
        EXPECT_GT(pixelsOf(drawn.image, entry.colour, band), 5) << entry.name.toStdString();
    EXPECT_GT(pixelsOf(drawn.image, told, drawn.result.dataArea), 50);
    EXPECT_TRUE(drawn.result.emptyReason.isEmpty());
    // A single chart has no legend.
    EXPECT_TRUE(draw({&first}).result.legend.empty());
}

TEST_F(ChartRendererTest, EmptyComparisonSaysWhy)
{
    PortfolioItem early = itemWith({{localTime(2004, 1, 1), 100}, {localTime(2004, 3, 1), 120}}, kRed);
    PortfolioItem late = itemWith({{localTime(2004, 6, 1), 50}, {localTime(2004, 9, 1), 40}}, kBlue);
    PortfolioItem single = itemWith({{localTime(2004, 6, 1), 10}}, kBlue);
    late.name = "Beta";
    single.name = "Gamma";
    ComparisonSettings limits;
    limits.useBegin = true;
    limits.beginYear = 2004;
    limits.beginMonth = 7;
    limits.beginDay = 1;
    const QString chosen = "No common period: %1 has fewer than two quotations in the chosen period.";
    struct Case {
        std::vector<const PortfolioItem*> items;
        ComparisonSettings comparison;
        QString reason;
    };
    const std::vector<Case> cases{
        {{&early, &late}, {}, chosen.arg("Alpha")},
        {{&late, &single}, {}, chosen.arg("Gamma")},
        {{&late, &early}, limits, "No common period: Alpha has fewer than two quotations from 07/01/04 to 09/01/04."},
    };
    for (const Case& c : cases) {
        const Drawn drawn = draw(c.items, c.comparison);
        EXPECT_EQ(drawn.result.emptyReason, c.reason);
        // No curve, no frame: the reason stands in their place.
        EXPECT_EQ(pixelsOf(drawn.image, Qt::red, drawn.result.dataArea), 0);
        EXPECT_EQ(
            pixelsOf(drawn.image, Qt::black,
                     QRect(drawn.result.axisFrame.x(), drawn.result.axisFrame.y(), 1, drawn.result.axisFrame.height())),
            0);
        EXPECT_TRUE(drawn.result.valueLabels.isEmpty());
    }
}

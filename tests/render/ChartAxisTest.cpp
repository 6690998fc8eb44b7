// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "render/ChartLayout.h"
#include "render/ChartRenderer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class ChartAxisTest : public testing::Test {
protected:
    void SetUp() override { TestEnvironment::setTimeZone("UTC"); }
    TestEnvironment m_env;
};

PortfolioItem itemWith(const std::vector<double>& values, time_t start, time_t apart)
{
    PortfolioItem item = PortfolioItem::newItem("Alpha", start, 1);
    for (size_t i = 0; i < values.size(); ++i)
        item.quotations.push_back({start + time_t(i) * apart, values[i]});
    return item;
}

std::vector<double> percentsOf(const QStringList& labels)
{
    std::vector<double> percents;
    for (QString label : labels)
        percents.push_back(label.remove('%').toDouble());
    return percents;
}

} // namespace

// Every size and range gets evenly spaced ticks from the lowest value up to the last one below the highest.
TEST_F(ChartAxisTest, PercentTicksRunUpToTheHighestValueAtEverySize)
{
    const std::vector<std::vector<double>> ranges{
        {100, 84, 107},          {100, 100.3},        {100, 99.1, 100.2}, {100, 1}, {1, 1000},
        {0.0011, 0.0012, 0.001}, {100, 84.37, 131.9},
    };
    const std::vector<QSize> sizes{{800, 400}, {640, 480},  {400, 300}, {1600, 600},
                                   {300, 150}, {1024, 768}, {820, 410}};
    for (const std::vector<double>& values : ranges) {
        PortfolioItem item = itemWith(values, localTime(2026, 9, 1, 20), 86400 * 11);
        item.showGridLines = 0;
        const double low = *std::min_element(values.begin(), values.end()) / values.front();
        const double high = *std::max_element(values.begin(), values.end()) / values.front();
        for (const QSize& size : sizes) {
            SCOPED_TRACE(
                QStringLiteral("%1x%2 from %3").arg(size.width()).arg(size.height()).arg(values[1]).toStdString());
            QImage image(size, QImage::Format_RGB32);
            QPainter painter(&image);
            ChartRequest request;
            request.items = {&item};
            const std::vector<double> ticks =
                percentsOf(ChartRenderer::draw(painter, image.rect(), request).valueLabels);
            ASSERT_GE(ticks.size(), 2u);
            const double spacing = ticks[1] - ticks[0];
            for (size_t i = 1; i < ticks.size(); ++i)
                EXPECT_NEAR(ticks[i] - ticks[i - 1], spacing, 0.011) << i;
            EXPECT_GE(ticks.front(), low * 100 - 0.005);
            EXPECT_LT(ticks.front() - spacing, low * 100);
            EXPECT_LE(ticks.back(), high * 100 + 0.005);
            // The tick after the last one would pass the upper limit.
            EXPECT_GT(ticks.back() + spacing, high * 100);
        }
    }
}

// At 800x400 this axis stopped after "87.50%".
TEST_F(ChartAxisTest, TheReportedAxisShowsEveryTickAt800x400)
{
    const PortfolioItem item = [] {
        PortfolioItem alpha = PortfolioItem::newItem("Alpha", 0, 1);
        alpha.quotations = {
            {localTime(2026, 9, 1, 20), 100}, {localTime(2026, 9, 23, 20), 84}, {localTime(2026, 10, 23, 20), 107}};
        return alpha;
    }();
    QImage image(800, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    ChartRequest request;
    request.items = {&item};
    const QStringList labels = ChartRenderer::draw(painter, image.rect(), request).valueLabels;
    ASSERT_GE(labels.size(), 5);
    EXPECT_EQ(labels.front(), "85.00%");
    EXPECT_TRUE(labels.contains("100.00%")) << labels.join(' ').toStdString();
    EXPECT_EQ(labels.back(), "105.00%");
}

// On paper, date labels keep 2 mm apart; on screen 5 pixels, as before.
TEST_F(ChartAxisTest, DateLabelsKeepTheirGapOnScreenAndOnPaper)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    pdf.setResolution(1200);
    QImage screen(1600, 600, QImage::Format_RGB32);
    const PortfolioItem item = itemWith({100, 101}, localTime(2026, 1, 1), 86400 * 300);
    struct Case {
        QPaintDevice* device;
        ChartStyle style;
        int gap;
    };
    for (const Case& c : {Case{&screen, ChartStyle::screen(), 5}, Case{&pdf, ChartStyle::paper(), 95}}) {
        const ChartTextSizes sizes = ChartTextSizes::measure(c.device, c.style, true, item, 101);
        EXPECT_EQ(sizes.labelGap, c.gap);
        ChartLayout layout(QRect(0, 0, c.device->width(), c.device->height()), sizes, c.style.printer);
        ChartRange range;
        range.from = item.quotations.front().time;
        range.to = item.quotations.back().time;
        layout.scaleTo(range);
        const std::vector<time_t> ticks = layout.dateTicks();
        ASSERT_GE(ticks.size(), 3u);
        for (size_t i = 1; i < ticks.size(); ++i)
            EXPECT_GE(layout.xOf(ticks[i]) - layout.xOf(ticks[i - 1]), sizes.dateLabelHeight + c.gap) << i;
        // A point every five pixels: the labelled ones keep the same room.
        std::vector<int> xs;
        for (int x = 0; x < 3000; x += 5)
            xs.push_back(x);
        const std::vector<bool> dated = layout.datedPoints(xs);
        int previous = -1;
        for (size_t i = 0; i < xs.size(); ++i) {
            if (!dated[i])
                continue;
            if (previous >= 0) {
                EXPECT_GT(xs[i] - previous, sizes.dateLabelHeight + c.gap) << xs[i];
            }
            previous = xs[i];
        }
    }
}

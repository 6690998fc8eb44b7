// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "render/ChartPens.h"
#include "render/PortfolioPrinter.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

constexpr int kDpi = 1200;

// One stroked path of a PDF page: its colour (0 to 1 each) and its width in millimetres.
struct Stroke {
    double red = 0;
    double green = 0;
    double blue = 0;
    double millimetres = 0;
};

QByteArray inflated(const QByteArray& compressed)
{
    QByteArray out(int(compressed.size()) * 20 + 4096, '\0');
    uLongf length = uLongf(out.size());
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(compressed.data()),
                   uLong(compressed.size())) != Z_OK)
        return QByteArray();
    out.resize(qsizetype(length));
    return out;
}

// The strokes of every content stream, read from the colour ("RG", "SCN") and width ("w") operators
// in force at each "S".
std::vector<Stroke> strokesOf(const QByteArray& pdf)
{
    std::vector<Stroke> strokes;
    const QRegularExpression streams("stream\\r?\\n(.*?)\\r?\\nendstream",
                                     QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch& match : streams.globalMatch(QString::fromLatin1(pdf))) {
        QByteArray content = inflated(match.captured(1).toLatin1());
        if (content.isEmpty())
            content = match.captured(1).toLatin1();
        Stroke current;
        std::vector<double> operands;
        for (const QByteArray& token : content.simplified().split(' ')) {
            bool number = false;
            const double value = token.toDouble(&number);
            if (number) {
                operands.push_back(value);
                continue;
            }
            if (token == "w" && !operands.empty())
                current.millimetres = operands.back() * 25.4 / kDpi;
            else if ((token == "RG" || token == "SCN") && operands.size() >= 3)
                std::tie(current.red, current.green, current.blue) =
                    std::tuple(operands.end()[-3], operands.end()[-2], operands.end()[-1]);
            else if (token == "S")
                strokes.push_back(current);
            operands.clear();
        }
    }
    return strokes;
}

bool isGrey(const Stroke& s)
{
    return s.red == s.green && s.green == s.blue;
}

} // namespace

// Printed at 1200 dpi, a 1-pixel pen would be 0.02 mm: curves stand out, axes are drawn, the grid recedes.
TEST(PrintedChart, PensKeepTheirWidthInMillimetres)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("UTC");
    PortfolioItem red = PortfolioItem::newItem("Red", 0, 0);
    red.chartColour = 0x0000FF;
    PortfolioItem green = PortfolioItem::newItem("Green", 0, 0);
    green.chartColour = 0x00FF00;
    for (int day = 0; day < 60; ++day) {
        red.quotations.push_back({localTime(2026, 1, 1) + day * 86400, 100.0 + day % 7});
        green.quotations.push_back({localTime(2026, 1, 1) + day * 86400, 90.0 + day % 5});
    }
    for (const std::vector<const PortfolioItem*>& items :
         {std::vector<const PortfolioItem*>{&red}, std::vector<const PortfolioItem*>{&red, &green}}) {
        SCOPED_TRACE(items.size());
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&bytes);
            pdf.setResolution(kDpi);
            PrintRequest request;
            request.items = items;
            request.comparison.grid = true;
            request.documentTitle = "depot.tkr";
            QPainter painter(&pdf);
            PortfolioPrinter::print(painter, pdf, request);
        }
        const std::vector<Stroke> strokes = strokesOf(bytes.data());
        ASSERT_FALSE(strokes.empty());
        double thinnestCurve = 100;
        double widestGrid = 0;
        int curves = 0;
        int axes = 0;
        for (const Stroke& stroke : strokes) {
            if (!isGrey(stroke)) {
                ++curves;
                thinnestCurve = std::min(thinnestCurve, stroke.millimetres);
            } else if (stroke.red == 0) {
                ++axes;
                EXPECT_NEAR(stroke.millimetres, 0.25, 0.01);
            } else {
                widestGrid = std::max(widestGrid, stroke.millimetres);
                // Lighter than the black and the coloured curves.
                EXPECT_GT(stroke.red, 0.5);
            }
        }
        EXPECT_GE(curves, int(items.size()));
        EXPECT_GE(axes, 2);
        // The page rounds widths to four digits.
        EXPECT_GE(thinnestCurve, 0.3499);
        EXPECT_GT(widestGrid, 0.0);
        EXPECT_LT(widestGrid, thinnestCurve);
    }
}

TEST(PrintedChart, ScreenPensStayOnePixel)
{
    QImage screen(100, 100, QImage::Format_RGB32);
    const ChartPens pens = ChartPens::forDevice(&screen);
    EXPECT_FALSE(pens.fine());
    for (const QPen& pen : {pens.axis(), pens.grid(), pens.curve(Qt::red)})
        EXPECT_EQ(pen.widthF(), 1.0);
    EXPECT_EQ(pens.scaled(5), 5);
}

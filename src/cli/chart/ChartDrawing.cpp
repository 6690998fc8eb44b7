// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart/ChartDrawing.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "cli/chart/OutputFile.h"
#include "core/base/LocalTime.h"
#include "render/ChartRenderer.h"

#include <QBuffer>
#include <QDate>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace {

constexpr int kMaxSide = 20000;

bool parseSize(const QString& text, QSize& size)
{
    const QRegularExpressionMatch match = QRegularExpression("^(\\d{1,5})x(\\d{1,5})$").match(text);
    if (!match.hasMatch())
        return false;
    size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxSide && size.height() <= kMaxSide;
}

// The period of the single chart, or of the comparison, replaced by the given dates.
void applyPeriod(const QDate& from, const QDate& to, PortfolioItem& single, ComparisonSettings& comparison)
{
    if (from.isValid()) {
        single.usePeriodStart = 1;
        single.periodStart = localTimeOf(from.year(), from.month(), from.day());
        comparison.useBegin = true;
        comparison.beginYear = from.year();
        comparison.beginMonth = from.month();
        comparison.beginDay = from.day();
    }
    if (to.isValid()) {
        single.usePeriodEnd = 1;
        single.periodEnd = localTimeOf(to.year(), to.month(), to.day(), 23, 59, 59);
        comparison.useEnd = true;
        comparison.endYear = to.year();
        comparison.endMonth = to.month();
        comparison.endDay = to.day();
    }
}

bool drawOn(QPaintDevice& device, const QSize& size, const ChartRequest& request)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    ChartRenderer::draw(painter, QRect(QPoint(0, 0), size), request);
    return painter.end();
}

// Pictures, drawings and pages all measure their fonts at 96 dots per inch, as the screen does. Drawn into
// memory first, so that the file is written at once through the atomic writer: never cut, never emptied.
bool drawChart(QBuffer& bytes, const QString& out, const QSize& size, const ChartRequest& request)
{
    const QString lower = out.toLower();
    if (lower.endsWith(".svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        return drawOn(svg, size, request);
    }
    if (lower.endsWith(".pdf")) {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96, size.height() * 72.0 / 96), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        return drawOn(pdf, size, request);
    }
    QImage image(size, QImage::Format_RGB32);
    return drawOn(image, size, request) && image.save(&bytes, "PNG");
}

// "" when written, else the message.
std::string writeChart(const QString& out, const QSize& size, const ChartRequest& request)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!drawChart(bytes, out, size, request))
        return "File could not be written: " + out.toStdString();
    bytes.close();
    return OutputFile::save(out, bytes.data());
}

} // namespace

int ChartDrawing::run(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"size", "Picture size in pixels (default 1600x600).", "WxH"});
    parser.addOption({"from", "First day shown.", "YYYY-MM-DD"});
    parser.addOption({"to", "Last day shown.", "YYYY-MM-DD"});
    if (!Cli::parse(parser, args, kChartCommand.usage))
        return Cli::UsageError;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 3)
        return Cli::usageError("chart: wrong number of arguments.", kChartCommand.usage);
    QSize size(1600, 600);
    if (parser.isSet("size") && !parseSize(parser.value("size"), size))
        return Cli::usageError("chart: --size takes WxH, each from 1 to 20000.", kChartCommand.usage);
    QDate from;
    QDate to;
    for (auto [name, date] : {std::pair{"from", &from}, std::pair{"to", &to}}) {
        if (!parser.isSet(name))
            continue;
        *date = QDate::fromString(parser.value(name), "yyyy-MM-dd");
        if (!date->isValid())
            return Cli::usageError(std::string("chart: --") + name + " takes YYYY-MM-DD.", kChartCommand.usage);
    }
    const QString out = positional.last();
    const QString lower = out.toLower();
    if (!lower.endsWith(".png") && !lower.endsWith(".svg") && !lower.endsWith(".pdf"))
        return Cli::usageError("chart: OUT must end in .png, .svg or .pdf.", kChartCommand.usage);

    if (!OutputFile::acceptsTarget(out))
        return Cli::FileError;
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, positional.first()))
        return Cli::FileError;
    ChartRequest request;
    request.comparison = ComparisonSettings::read();
    std::vector<PortfolioItem> items;
    for (const QString& name : positional.mid(1, positional.size() - 2)) {
        const int pos = PortfolioCli::findItem(doc, name.toStdString());
        if (pos < 0)
            return Cli::usageError(PortfolioCli::itemMissingMessage(name.toStdString()), kChartCommand.usage);
        items.push_back(doc.item(pos));
    }
    applyPeriod(from, to, items.front(), request.comparison);
    for (const PortfolioItem& item : items)
        request.items.push_back(&item);

    if (const std::string failure = writeChart(out, size, request); !failure.empty()) {
        Cli::err(failure);
        return Cli::FileError;
    }
    return Cli::Success;
}

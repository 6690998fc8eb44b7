// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/chart/PrintDrawing.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/PortfolioCli.h"
#include "cli/chart/OutputFile.h"
#include "render/PortfolioPrinter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>

#include <ctime>

namespace {

// The resolution of a high-resolution printer writing a PDF, which File > Print uses.
constexpr int kPrinterDpi = 1200;

bool parsePage(const QString& text, QPageSize::PageSizeId& page)
{
    if (text.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
        page = QPageSize::A4;
    else if (text.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
        page = QPageSize::Letter;
    else
        return false;
    return true;
}

// The named items in list order, or every ordinary item; false (with the message printed) for an unknown name.
bool selectItems(const PortfolioDocument& doc, const QString& names, std::vector<const PortfolioItem*>& items)
{
    QSet<int> chosen;
    if (!names.isNull()) {
        for (const QString& name : names.split(',')) {
            const int pos = PortfolioCli::findItem(doc, name.toStdString());
            if (pos < 0) {
                Cli::err(PortfolioCli::itemMissingMessage(name.toStdString()));
                return false;
            }
            chosen.insert(pos);
        }
    }
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        const PortfolioItem& item = doc.item(pos);
        if (names.isNull() ? !item.isInvestedAmountHistory : chosen.contains(pos))
            items.push_back(&item);
    }
    return true;
}

// The printout as File > Print makes it on a PDF printer: landscape, at the printer's resolution.
bool printTo(QBuffer& bytes, QPageSize::PageSizeId page, const PrintRequest& request)
{
    QPdfWriter pdf(&bytes);
    pdf.setResolution(kPrinterDpi);
    pdf.setPageSize(QPageSize(page));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setTitle(request.documentTitle);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    PortfolioPrinter::print(painter, pdf, request);
    return painter.end();
}

} // namespace

int PrintDrawing::run(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"items", "Print only these items (exact names, comma-separated).", "NAME,..."});
    parser.addOption({"page", "The paper: A4 (default) or Letter.", "A4|Letter"});
    if (!Cli::parse(parser, args, kPrintCommand.usage))
        return Cli::UsageError;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        return Cli::usageError("print: wrong number of arguments.", kPrintCommand.usage);
    QPageSize::PageSizeId page = QPageSize::A4;
    if (parser.isSet("page") && !parsePage(parser.value("page"), page))
        return Cli::usageError("print: --page takes A4 or Letter.", kPrintCommand.usage);
    const QString out = positional.last();
    if (!out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return Cli::usageError("print: OUT.pdf must end in .pdf.", kPrintCommand.usage);
    if (!OutputFile::acceptsTarget(out))
        return Cli::FileError;
    PortfolioDocument doc;
    if (!PortfolioCli::open(doc, positional.first()))
        return Cli::FileError;
    PrintRequest request;
    if (!selectItems(doc, parser.isSet("items") ? parser.value("items") : QString(), request.items))
        return Cli::UsageError;
    if (request.items.empty()) {
        Cli::err("print: there are no items to print.");
        return Cli::Failed;
    }
    request.comparison = ComparisonSettings::read();
    request.documentTitle = QFileInfo(positional.first()).fileName();
    request.now = std::time(nullptr);

    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!printTo(bytes, page, request)) {
        Cli::err("File could not be written: " + out.toStdString());
        return Cli::FileError;
    }
    bytes.close();
    if (const std::string failure = OutputFile::save(out, bytes.data()); !failure.empty()) {
        Cli::err(failure);
        return Cli::FileError;
    }
    return Cli::Success;
}

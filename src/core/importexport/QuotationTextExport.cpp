// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/QuotationTextExport.h"

#include "core/base/LocaleFormat.h"

#include <QString>
#include <QStringEncoder>

namespace {

const char* const kLineEnd = "\r\n";

// Names are UTF-8; what the C library formats is in the locale's own character set.
void appendUtf8(QString& out, const std::string& text)
{
    out += QString::fromStdString(text);
}

void appendLocal(QString& out, const std::string& text)
{
    out += QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

void appendItem(QString& out, const PortfolioItem& item)
{
    appendUtf8(out, "\"" + item.name + "\" (" + item.symbol + ")" + kLineEnd);
    for (const Quotation& kurs : item.quotations) {
        appendLocal(out, LocaleFormat::localTime(kurs.time, "%x %H:%M; "));
        appendLocal(out, LocaleFormat::number("%3.4lf; ", kurs.value));
        out += kLineEnd;
    }
    out += kLineEnd;
}

} // namespace

namespace QuotationTextExport {

std::string render(const std::vector<PortfolioItem>& items)
{
    QString text;
    for (const PortfolioItem& item : items)
        appendItem(text, item);
    QStringEncoder encoder(QStringConverter::System);
    const QByteArray bytes = encoder.encode(text);
    return bytes.toStdString();
}

} // namespace QuotationTextExport

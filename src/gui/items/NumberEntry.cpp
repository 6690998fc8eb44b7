// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/NumberEntry.h"

#include "core/base/LocaleFormat.h"
#include "core/base/NumberInput.h"
#include "gui/widgets/MessageDialog.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("NumberEntry", text);
}

} // namespace

namespace NumberEntry {

std::optional<double> read(const QString& text)
{
    // The same reader as tickora-cli: the locale's form or the C form, never group separators.
    const Result<double> value = readNumber(text.toStdString());
    if (!value)
        return std::nullopt;
    return *value;
}

QString text(double value)
{
    return QString::fromStdString(LocaleFormat::number("%.15g", value));
}

std::optional<double> take(QWidget* parent, const QLineEdit* field)
{
    const std::optional<double> value = read(field->text());
    if (!value)
        MessageDialog::warning(parent, tr("Please enter a number."));
    return value;
}

std::optional<double> take(QWidget* parent, const QLineEdit* field, double min, double max)
{
    const std::optional<double> value = take(parent, field);
    if (value && (*value < min || *value > max)) {
        MessageDialog::warning(
            parent, tr("Please enter a number between %1 and %2.").arg(min, 0, 'g', 15).arg(max, 0, 'g', 15));
        return std::nullopt;
    }
    return value;
}

std::optional<unsigned long> takeCount(QWidget* parent, const QLineEdit* field)
{
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    const QString text = field->text().trimmed();
    bool ok = digits.match(text).hasMatch();
    const unsigned long count = ok ? text.toULong(&ok) : 0;
    if (!ok) {
        MessageDialog::warning(parent, tr("Please enter a positive integer."));
        return std::nullopt;
    }
    return count;
}

} // namespace NumberEntry

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

class QLineEdit;
class QWidget;

// Numbers typed into the item dialogs: the locale's form when the text holds the locale's decimal
// separator, otherwise the C form; group separators are refused.
namespace NumberEntry {

std::optional<double> read(const QString& text);
// A working copy as a field shows it, in the locale's form.
QString text(double value);

// The field's number, or nothing after the refusal message was shown over `parent`. With a range,
// values outside it are refused with "Please enter a number between %1 and %2.".
std::optional<double> take(QWidget* parent, const QLineEdit* field);
std::optional<double> take(QWidget* parent, const QLineEdit* field, double min, double max);
// A count of whole units: "Please enter a positive integer." otherwise.
std::optional<unsigned long> takeCount(QWidget* parent, const QLineEdit* field);

} // namespace NumberEntry

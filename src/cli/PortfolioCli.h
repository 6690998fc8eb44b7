// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <QString>

#include <ctime>
#include <string>
#include <vector>

// What the portfolio commands share: opening and saving with the file messages and exit code 3,
// finding an item by its exact name, and reading numbers and times from arguments.
namespace PortfolioCli {

// Prints the message and returns false when the file cannot be read.
bool open(PortfolioDocument& doc, const QString& path);
bool save(PortfolioDocument& doc, const QString& path);
// Position of the item with exactly this name, -1 when there is none.
int findItem(const PortfolioDocument& doc, const std::string& name);
// "YYYY-MM-DD HH:MM" in local time.
bool parseTime(const QString& text, time_t& time);
// A number in [min, max]; the message is the dialog's refusal text.
Result<double> parseNumber(const QString& text, double min, double max);
std::string itemMissingMessage(const std::string& name);
// Whether `out` names the file `in` (also through another path, a link or a hard link).
bool sameFile(const QString& in, const QString& out);
constexpr const char* kReplacesItself = "The output would replace the portfolio itself.";
// Opens the portfolio and finds the item: its position, or -1 with the message printed and
// `exitCode` set (3 for the file, 2 for a missing item).
int openItem(PortfolioDocument& doc, const QString& path, const std::string& name, const char* usage, int& exitCode);

} // namespace PortfolioCli

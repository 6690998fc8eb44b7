// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PortfolioCli.h"

#include "cli/CliSupport.h"
#include "core/base/LocalTime.h"
#include "core/base/NumberInput.h"
#include "core/model/PortfolioBackups.h"

#include <QDateTime>

#include <filesystem>

namespace PortfolioCli {

bool open(PortfolioDocument& doc, const QString& path)
{
    const Status opened = doc.openPortfolio(Cli::filePath(path));
    if (opened)
        return true;
    Cli::err(opened.message());
    return false;
}

bool save(PortfolioDocument& doc, const QString& path)
{
    std::string backupFailure;
    const Status saved = doc.savePortfolio(Cli::filePath(path), &backupFailure);
    if (!backupFailure.empty())
        Cli::err(PortfolioBackups::failureMessage(backupFailure));
    if (saved)
        return true;
    Cli::err(saved.message());
    return false;
}

int findItem(const PortfolioDocument& doc, const std::string& name)
{
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        if (doc.item(pos).name == name)
            return pos;
    }
    return -1;
}

bool parseTime(const QString& text, time_t& time)
{
    const QDateTime parsed = QDateTime::fromString(text.trimmed(), "yyyy-MM-dd HH:mm");
    if (!parsed.isValid())
        return false;
    // The C library's idea of local time, as every displayed time uses.
    time = localTimeOf(parsed.date().year(), parsed.date().month(), parsed.date().day(), parsed.time().hour(),
                       parsed.time().minute());
    return true;
}

Result<double> parseNumber(const QString& text, double min, double max)
{
    return readNumber(text.toStdString(), min, max);
}

bool sameFile(const QString& in, const QString& out)
{
    const auto fsPath = [](const QString& argument) {
        const std::string bytes = Cli::filePath(argument);
        return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
    };
    std::error_code error;
    return std::filesystem::equivalent(fsPath(in), fsPath(out), error);
}

std::string itemMissingMessage(const std::string& name)
{
    return "There is no item named \"" + name + "\".";
}

int openItem(PortfolioDocument& doc, const QString& path, const std::string& name, const char* usage, int& exitCode)
{
    if (!open(doc, path)) {
        exitCode = Cli::FileError;
        return -1;
    }
    const int pos = findItem(doc, name);
    if (pos < 0)
        exitCode = Cli::usageError(itemMissingMessage(name), usage);
    return pos;
}

} // namespace PortfolioCli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/settings/DownloadOptions.h"
#include "core/settings/GeneralOptions.h"

#include <QJsonObject>
#include <algorithm>

namespace {

const char* const kUsage = "Usage: tickora-cli options [--json] [NAME=VALUE ...]\n"
                           "  Prints the general options; assignments are checked as the options dialog checks them\n"
                           "  and stored together, or not at all when one is refused. UserAgent=TEXT sets the\n"
                           "  User-Agent header of every download.";
const char* const kSummary = "  options [--json] [NAME=VALUE ...]  Show or change the general options.\n";

const char* const kUserAgent = "UserAgent";

void print(const GeneralOptions& options, const DownloadOptions& download, bool json)
{
    QJsonObject object;
    for (const GeneralOptions::Field& field : GeneralOptions::fields()) {
        if (json)
            object.insert(field.name, options.*field.value);
        else
            Cli::out(std::string(field.name) + "=" + std::to_string(options.*field.value));
    }
    if (json) {
        object.insert(kUserAgent, QString::fromStdString(download.UserAgent));
        Cli::printJson(object);
    } else {
        Cli::out(std::string(kUserAgent) + "=" + download.UserAgent);
    }
}

// Applies NAME=VALUE; a refused value prints its message and gives Failed, a malformed assignment UsageError.
int assign(GeneralOptions& options, DownloadOptions& download, const QString& assignment)
{
    const qsizetype eq = assignment.indexOf('=');
    if (eq <= 0)
        return Cli::usageError("'" + assignment.toStdString() + "' is not of the form NAME=VALUE.", kUsage);
    const std::string name = assignment.left(eq).toStdString();
    if (name == kUserAgent) {
        const std::string agent = assignment.mid(eq + 1).toStdString();
        if (const Status refusal = DownloadOptions::checkUserAgent(agent); !refusal) {
            Cli::err("tickora-cli: " + name + ": " + refusal.message());
            return Cli::Failed;
        }
        download.UserAgent = agent;
        return Cli::Success;
    }
    const GeneralOptions::Field* field = GeneralOptions::findField(name);
    if (!field)
        return Cli::usageError("unknown option '" + name + "'.", kUsage);
    const Result<int32_t> value = GeneralOptions::checkEntry(*field, assignment.mid(eq + 1).toStdString());
    if (!value) {
        Cli::err("tickora-cli: " + name + ": " + value.message());
        return Cli::Failed;
    }
    options.*field->value = *value;
    return Cli::Success;
}

int runOptionsCommand(const QStringList& args)
{
    QCommandLineParser parser;
    parser.addOption({"json", "Print JSON."});
    parser.addPositionalArgument("assignments", "NAME=VALUE ...");
    if (!Cli::parse(parser, args, kUsage))
        return Cli::UsageError;
    GeneralOptions options = GeneralOptions::readOptions();
    DownloadOptions download = DownloadOptions::readOptions();
    const QStringList assignments = Cli::positionals(parser);
    // Every assignment is checked before anything is stored; each refused value is named.
    bool refused = false;
    for (const QString& assignment : assignments) {
        const int result = assign(options, download, assignment);
        if (result == Cli::UsageError)
            return result;
        refused = refused || result != Cli::Success;
    }
    // A value out of range is a wrong command line like any other.
    if (refused) {
        Cli::err(kUsage);
        return Cli::UsageError;
    }
    if (!assignments.isEmpty() && (!options.writeOptions() || !download.writeOptions())) {
        Cli::err("The options could not be stored.");
        return Cli::FileError;
    }
    print(options, download, parser.isSet("json"));
    return Cli::Success;
}

} // namespace

const CliCommand kOptionsCommand = {"options", kUsage, kSummary, runOptionsCommand};

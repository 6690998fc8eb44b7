// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <string>

// Conventions every tickora-cli command follows.
namespace Cli {

enum ExitCode { Success = 0, Failed = 1, UsageError = 2, FileError = 3 };

void out(const std::string& text);
void err(const std::string& text);
// A status text on one line: CR, LF and TAB become blanks.
std::string singleLine(std::string text);

// Parses `args` (the command's own arguments, without program and command names).
// On error prints the message and `usage` to stderr and returns false.
// A negative number such as "-5" is a value, not an option.
bool parse(QCommandLineParser& parser, const QStringList& args, const char* usage);
// The positional arguments of a parse() as given.
QStringList positionals(const QCommandLineParser& parser);
int usageError(const std::string& message, const char* usage);
// The program's arguments; a file name that is not UTF-8 keeps its bytes for filePath.
QStringList arguments(int argc, char** argv);
// A file name argument as the file system's bytes.
std::string filePath(const QString& argument);

bool toInt(const QString& text, int& value, int min, int max);
// JSON number, with non-finite values as "NaN", "Infinity", "-Infinity".
QJsonValue jsonNumber(double value);
void printJson(const QJsonObject& object);

} // namespace Cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSupport.h"

#include "core/base/NativePath.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <iostream>

namespace Cli {

namespace {

// Marks a negative number so that the parser takes it for a value, not for an option.
const QChar kValueMark(0x1F);

// "-5", "-.5" or "-,5": checked by hand, as a pattern would be compiled at every start of the program.
bool isNegativeNumber(const QString& arg)
{
    const auto digitAt = [&arg](qsizetype pos) { return pos < arg.size() && arg[pos] >= '0' && arg[pos] <= '9'; };
    if (!arg.startsWith('-'))
        return false;
    return digitAt(1) || (arg.size() > 1 && (arg[1] == '.' || arg[1] == ',') && digitAt(2));
}

// An argument after "--name" may be that option's value and stays as it is.
QStringList markNegativeNumbers(const QStringList& args)
{
    QStringList marked;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const bool afterOption = i > 0 && args[i - 1].startsWith("--") && !args[i - 1].contains('=');
        marked << (isNegativeNumber(args[i]) && !afterOption ? kValueMark + args[i] : args[i]);
    }
    return marked;
}

} // namespace

void out(const std::string& text)
{
    std::cout << text << '\n';
}

void err(const std::string& text)
{
    std::cerr << text << '\n';
}

std::string singleLine(std::string text)
{
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    return text;
}

QStringList positionals(const QCommandLineParser& parser)
{
    QStringList values = parser.positionalArguments();
    for (QString& value : values)
        if (value.startsWith(kValueMark))
            value.remove(0, 1);
    return values;
}

int usageError(const std::string& message, const char* usage)
{
    err("tickora-cli: " + message);
    err(usage);
    return UsageError;
}

bool parse(QCommandLineParser& parser, const QStringList& args, const char* usage)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{"tickora-cli"} + markNegativeNumbers(args))) {
        usageError(parser.errorText().toStdString(), usage);
        return false;
    }
    return true;
}

QStringList arguments(int argc, char** argv)
{
#ifdef Q_OS_WIN
    // Windows hands the arguments over as UTF-16, which Qt reads.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments().mid(1);
#else
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list.append(NativePath::fromArgument(argv[i]));
    return list;
#endif
}

std::string filePath(const QString& argument)
{
    return NativePath::toBytes(argument);
}

bool toInt(const QString& text, int& value, int min, int max)
{
    bool ok = false;
    const int parsed = text.toInt(&ok);
    if (!ok || parsed < min || parsed > max)
        return false;
    value = parsed;
    return true;
}

QJsonValue jsonNumber(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    return value;
}

void printJson(const QJsonObject& object)
{
    std::cout << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << '\n';
}

} // namespace Cli

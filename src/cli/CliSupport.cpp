#include "cli/CliSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <iostream>

namespace Cli {

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

int usageError(const std::string& message, const char* usage)
{
    err("tickora-cli: " + message);
    err(usage);
    return UsageError;
}

bool parse(QCommandLineParser& parser, const QStringList& args, const char* usage)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{"tickora-cli"} + args)) {
        usageError(parser.errorText().toStdString(), usage);
        return false;
    }
    return true;
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

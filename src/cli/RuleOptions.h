#pragma once

#include "core/servers/ServerConfig.h"

#include <QCommandLineParser>
#include <string>

// The options that set a server's rule fields, shared by "servers set", "extract" and "add".
namespace RuleOptions {

void addTo(QCommandLineParser& parser);
// Applies the given options to `config`; false with `error` on a bad value.
bool apply(const QCommandLineParser& parser, ServerConfig& config, std::string& error);

} // namespace RuleOptions

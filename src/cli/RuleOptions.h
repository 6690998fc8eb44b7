// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/servers/ServerConfig.h"

#include <QCommandLineParser>
#include <string>

// The options that set a server's rule fields, shared by "servers set", "extract" and "add".
namespace RuleOptions {

void addTo(QCommandLineParser& parser);
// Applies the given options to `config`; refused on a bad value.
Status apply(const QCommandLineParser& parser, ServerConfig& config);

} // namespace RuleOptions

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/servers/ServerConfig.h"

#include <QCommandLineParser>
#include <QJsonObject>
#include <string>

// The options of "servers set" that name a server's fallback and cross-check server, and how "servers show"
// prints them.
namespace ServerLinkOptions {

void addTo(QCommandLineParser& parser);
// Applies the given options to `config`, stored as `name`, and checks the result against the store; refused
// when they contradict each other or the store refuses them.
Status apply(const QCommandLineParser& parser, const std::string& name, ServerConfig& config);
// "Fallback=NAME", "CrossCheck=NAME" and "CrossCheckPercent=P" lines, only when set; a name no longer stored is
// marked "(missing)".
void printLines(const ServerConfig& config);
void addJson(const ServerConfig& config, QJsonObject& object);

} // namespace ServerLinkOptions

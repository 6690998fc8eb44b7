// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <string>

// Runs the real tickora-cli program with the test's environment (TICKORA_SETTINGS, TZ, LC_ALL).
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const QStringList& args, const QStringList& extraEnvironment = {});

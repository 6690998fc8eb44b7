// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/HeadlessUpdate.h"

#include "core/base/StopSignals.h"
#include "core/download/UnattendedUpdate.h"
#include "core/model/PortfolioBackups.h"
#include "core/model/PortfolioDocument.h"
#include "core/settings/RuleHealth.h"

#include <cstdio>

int runHeadlessUpdate(const std::string& path, int numberDownloads)
{
    PortfolioDocument doc(numberDownloads);
    if (const Status opened = doc.openPortfolio(path); !opened) {
        std::fprintf(stderr, "%s\n", opened.message().c_str());
        return 3;
    }
    StopSignals::install();
    // Only failures are worth a line: an unattended run is read when something went wrong.
    const auto outcome = UnattendedUpdate::run(
        doc, {}, std::nullopt, DownloadSettings::read(), UnattendedUpdate::Lines::FailuresOnly,
        [](const UnattendedUpdate::Line& line) { std::fprintf(stderr, "%s\n", line.text.c_str()); },
        [] { return StopSignals::received() != 0; });
    for (const std::string& notice : outcome.alarms)
        std::fprintf(stderr, "Alarm: %s\n", notice.c_str());
    if (!RuleHealth::record(path, outcome.health))
        std::fprintf(stderr, "The rule health could not be stored.\n");
    if (outcome.stored > 0) {
        std::string backupFailure;
        const Status saved = doc.savePortfolio(path, &backupFailure);
        if (!backupFailure.empty())
            std::fprintf(stderr, "%s\n", PortfolioBackups::failureMessage(backupFailure).c_str());
        if (!saved) {
            std::fprintf(stderr, "%s\n", saved.message().c_str());
            return 3;
        }
    }
    if (StopSignals::received() != 0)
        return 128 + StopSignals::received();
    return outcome.allFound ? 0 : 1;
}

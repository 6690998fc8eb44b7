// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadSettings.h"
#include "core/model/PortfolioDocument.h"
#include "core/settings/RuleHealth.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// An update run to its end without a window: what `tickora-cli update` and `tickora /u` do between
// opening and saving the portfolio.
namespace UnattendedUpdate {

struct Line {
    // "%s: %s" with the item name and status text, or "%s: %.4f" with the value as stored; one line.
    std::string text;
    bool started = false;
    bool failure = false;
};

struct Outcome {
    int jobs = 0;
    bool allFound = true;
    int stored = 0;
    // For RuleHealth::record once the run is over.
    std::vector<RuleHealth::Outcome> health;
    // "%s: %s": the items whose alarm test this run turned on, with the condition.
    std::vector<std::string> alarms;
};

// The lines the caller prints: those it would drop are not built.
enum class Lines { All, FailuresOnly };

// Updates the given items (every item when `ids` is empty), reporting each item's start and end (only failures
// with Lines::FailuresOnly).
// Once `stopRequested` answers true the downloads are aborted as the Abort command does; what was
// stored until then stays.
Outcome run(PortfolioDocument& doc, std::vector<PortfolioDocument::ItemId> ids, std::optional<time_t> date,
            const DownloadSettings& settings, Lines lines, const std::function<void(const Line&)>& report,
            const std::function<bool()>& stopRequested = {});

} // namespace UnattendedUpdate

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <map>
#include <string>
#include <vector>

// How well an item's quotation rule has worked lately. Kept in the settings store under "RuleHealth", one
// group per portfolio (its canonical path) and item (its name), so the portfolio file stays as it is.
struct RuleHealth {
    // From this many failed updates in a row on, the item is shown as failing.
    static constexpr int32_t kFailingRun = 3;

    // Seconds since 1970 of the last update that stored a quotation; 0 = never.
    int64_t LastSuccess = 0;
    int32_t Failures = 0;
    std::string LastFailure;
    // The page text just before the value at the last success.
    std::string LastTextBefore;
    // The fallback server that served the item in the last updates, and since when (0 when its own server
    // worked last).
    std::string Fallback;
    int64_t FallbackSince = 0;

    bool failing() const { return Failures >= kFailingRun; }

    // One item's end of an update: a stored quotation, or a failure with its status text.
    struct Outcome {
        std::string item;
        bool success = false;
        time_t time = 0;
        std::string failure;
        std::string textBefore;
        // The fallback server that supplied the quotation; empty when the item's own did.
        std::string fallback;
    };

    // Every recorded item of the portfolio at `portfolioPath`, by item name.
    static std::map<std::string, RuleHealth> read(const std::string& portfolioPath);
    // Adds the outcomes of one update run in one write of the settings store; false when it failed.
    static bool record(const std::string& portfolioPath, const std::vector<Outcome>& outcomes);
    bool operator==(const RuleHealth&) const = default;
};

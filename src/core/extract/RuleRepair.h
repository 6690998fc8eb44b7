// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractResult.h"
#include "core/servers/ServerConfig.h"

#include <string>
#include <vector>

// Proposes new rules for an item whose page changed: every rule that, run by the ordinary extraction on the
// page as it is now, reads a value near the item's newest quotation, ranked by how closely it follows what
// the old rule read. Nothing is stored here.
namespace RuleRepair {

constexpr double kDefaultTolerancePercent = 20.0;
constexpr int kMaxCandidates = 5;

struct Request {
    // The item's effective rules as stored, item variables not put in.
    ServerConfig rules;
    std::string name;
    std::string symbol;
    // The newest stored quotation.
    double reference = 0.0;
    double tolerancePercent = kDefaultTolerancePercent;
    // The rule health's text before the value at the last success; may be empty.
    std::string lastTextBefore;
};

struct Candidate {
    // The whole rule set to store: the old rules with the new way of reading, item variables put back.
    ServerConfig rules;
    double value = 0.0;
    // `start "Kurs" tags 2 numbers 0, 9.999,99, semi-html` or `json $.price`.
    std::string description;
    // The page text around the value, and where the value stands in it.
    std::string excerpt;
    size_t excerptValueStart = 0;
    size_t excerptValueLength = 0;
};

struct Outcome {
    // What the present rule finds on the page.
    ExtractResult current;
    // Best first, at most kMaxCandidates.
    std::vector<Candidate> candidates;
    // How many rules were run to check them.
    int verified = 0;
};

Outcome propose(const Request& request, const std::string& rawPage);
// "No rule on this page finds a value within 20% of 123.4500."
std::string noCandidateMessage(double tolerancePercent, double reference);

} // namespace RuleRepair

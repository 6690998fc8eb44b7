// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/extract/ExtractResult.h"
#include "core/importexport/ImportPattern.h"
#include "core/model/Quotation.h"

#include <ctime>
#include <string>
#include <vector>

// Applies a translated import pattern over a whole historical file, one quotation per match.
// Nothing here touches an item: the quotations are collected in file order for the caller to merge.
namespace ImportEngine {

// The status number `tickora-cli import --json` prints for a file that could not be opened.
constexpr int kFileNotOpened = 6;

struct Rule {
    ImportPattern pattern;
    bool caseInsensitive = true;
    std::string thousands;
    std::string decimal = ".";
};

// The quotations a run gathered and how it ended: a run ends at the first line that fails, keeping what
// came before it.
struct Gathered {
    std::vector<Quotation> quotations;
    ExtractStatus status = ExtractStatus::QuotationNotFound;
    // At most 259 characters; how the run ended ("No match found!" once the last quotation is passed).
    std::string message;
    // Lines skipped because a portfolio file cannot store their time.
    int unstorable = 0;
};

// The normal end of a run, after the last quotation.
constexpr const char* kNoMatch = "No match found!";

// Reads the file through the page encoding rule; fails with "Could not open file!\n" when it cannot.
// `today` supplies the month and year a format without them falls back to.
Result<Gathered> run(const std::string& path, const Rule& rule, time_t today = std::time(nullptr));
// The same on text already made searchable (PageText::forSearch).
Gathered runOnText(const std::string& text, const Rule& rule, time_t today = std::time(nullptr));

// "Import engine found %i quotations in file:..." with the first and the last quotation, under the locale.
std::string confirmationQuestion(const std::vector<Quotation>& quotations);
// "Error importing quotations from file "%s":\n%s"
std::string errorText(const std::string& path, const std::string& message);

} // namespace ImportEngine

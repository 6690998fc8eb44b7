#pragma once

#include "core/importexport/ImportPattern.h"
#include "core/model/CKurs.h"

#include <ctime>
#include <string>
#include <vector>

// Applies a translated import pattern over a whole historical file, one quotation per match.
// Nothing here touches an item: the quotations are collected in file order for the caller to merge.
namespace ImportEngine {

constexpr int kFileNotOpened = 6;

struct Rule {
    ImportPattern pattern;
    bool caseInsensitive = true;
    std::string thousands;
    std::string decimal = ".";
};

struct Result {
    std::vector<CKurs> quotations;
    int status = 1;
    // At most 259 characters; how the run ended ("No match found!" once the last quotation is passed).
    std::string message;
};

// Reads the file through the page encoding rule. `today` supplies the month and year a format without
// them falls back to.
Result Run(const std::string& path, const Rule& rule, time_t today = std::time(nullptr));
// The same on text already made searchable (PageText::forSearch).
Result RunOnText(const std::string& text, const Rule& rule, time_t today = std::time(nullptr));

// "Import engine found %i quotations in file:..." with the first and the last quotation, under the locale.
std::string ConfirmationQuestion(const std::vector<CKurs>& quotations);
// "Error importing quotations from file "%s":\n%s"
std::string ErrorText(const std::string& path, const std::string& message);

} // namespace ImportEngine

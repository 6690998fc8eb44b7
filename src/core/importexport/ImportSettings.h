// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/importexport/ImportPattern.h"

#include <ctime>
#include <string>

// What the import dialog shows, kept while the program runs so that the next import starts where the
// last one ended.
struct ImportSettings {
    // The file format, the separators and the case rule of the engine.
    std::string format = ImportPattern::kDefaultFormat;
    std::string thousands;
    std::string decimal = ".";
    bool caseInsensitive = true;
    // The address "Read file" fetches ("file://..." for a local file).
    std::string address;
    // The fetched file, once read; empty before.
    std::string loadedFile;

    // The import location: a local file, or a download of a URL template over a period.
    bool download = false;
    std::string localPath;
    time_t periodBegin = 0;
    time_t periodEnd = 0;
    std::string urlTemplate;

    // The start values: a period of the 30 days up to `now` and the first stored URL template.
    static ImportSettings initial(time_t now);
};

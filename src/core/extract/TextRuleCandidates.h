// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/RepairPlace.h"

#include <string>
#include <vector>

// The places of a converted page a standard-search rule could read, and the rules that reach one.
namespace TextRuleCandidates {

struct NumberFormat {
    std::string thousands;
    std::string decimal;
};

struct Shape {
    int tags = 0;
    int numbers = 0;
    std::string startText;
    size_t start = 0; // where the start text stands
};

// Every number of `page` (the page version of `mode`) within `tolerancePercent` of `reference`, read in
// the first of `formats` that puts it there; scored against `oldLabel` and `oldTextBefore`. On the page
// without conversion only numbers inside tags count.
std::vector<RepairPlace> places(const std::string& page, PageConverter::Mode mode,
                                const std::vector<NumberFormat>& formats, double reference, double tolerancePercent,
                                const std::string& oldLabel, const std::string& oldTextBefore);
// The rules that end at `place`, fewest skips first. Their start texts hold no digit, which would change
// with the next quotation, date or volume.
std::vector<Shape> shapesFor(const std::string& page, const RepairPlace& place);
// "9.999,99" for the separators "." and ",".
std::string formatSample(const std::string& thousands, const std::string& decimal);
// "none", "semi-html" or "text-only".
std::string modeName(PageConverter::Mode mode);

} // namespace TextRuleCandidates

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/PageConverter.h"

#include <string>

// A value on a changed page that lies near the item's last quotation, and where it stands.
struct RepairPlace {
    double value = 0.0;
    // How much the place resembles the place the old rule read (its label, the text before it, its JSON key).
    double score = 0.0;
    // The words just before the value (for JSON its member name), normalized.
    std::string label;
    // A place on the page version of `mode`: the byte offset of the value and its separators.
    PageConverter::Mode mode = PageConverter::Mode::SemiHtml;
    size_t at = 0;
    size_t length = 0;
    std::string thousands;
    std::string decimal;
    // A place in a JSON answer: the path to the value (empty for text places).
    std::string jsonPath;
    // The page text around the value, on one line, and where the value stands in it.
    std::string excerpt;
    size_t excerptValueStart = 0;
    size_t excerptValueLength = 0;
};

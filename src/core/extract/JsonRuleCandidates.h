// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/RepairPlace.h"
#include "core/extract/TextRuleCandidates.h"

#include <cstddef>
#include <string>
#include <vector>

// The values of a JSON answer a JSON rule could read.
namespace JsonRuleCandidates {

// The search holds the whole answer as a document, many times the page's size; larger pages offer nothing.
constexpr size_t kMaxPageBytes = 4 * 1024 * 1024;

// Every number of the answer (and every string that reads as one in the first of `formats`) within
// `tolerancePercent` of `reference`, with its path; scored by how like `oldPath` the path is, the same last
// key counting most. Empty when the page is not JSON or larger than kMaxPageBytes.
std::vector<RepairPlace> places(const std::string& page, const std::vector<TextRuleCandidates::NumberFormat>& formats,
                                double reference, double tolerancePercent, const std::string& oldPath);
// The path's last member name, or empty.
std::string lastKey(const std::string& path);

} // namespace JsonRuleCandidates

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/PageConverter.h"

#include <optional>
#include <string>

// Reads backwards from a value on a converted page the start-text rule that reaches it: the numbers and
// tags in between and the earliest start text the page allows before them. The work is linear in the text
// passed over, so no page can make it slow.
namespace StartTextScan {

constexpr int kMaxStartTextCharacters = 30;

struct Shape {
    size_t start = 0; // byte offset of the start text
    std::string startText;
};

// Where the start text may begin: as early as the page allows (as the wizard has always proposed), or only
// within the words right before what the rule skips, so that it is the value's own label.
enum class Reach { Earliest, Label };

// The rule that skips `tags` tags and then `numbers` numbers before the value at byte `valueAt` of `page`
// (the page version of `mode`), or none when the text before the value has no such shape.
std::optional<Shape> before(const std::string& page, PageConverter::Mode mode, size_t valueAt, int tags, int numbers,
                            Reach reach = Reach::Earliest);

} // namespace StartTextScan

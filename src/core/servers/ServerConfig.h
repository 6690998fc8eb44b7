// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The rules that fetch one item's quotation: which page to load and how to find the value in it.
// Texts are UTF-8 and hold at most kMaxTextLength characters when stored or sent.
struct ServerConfig {
    static constexpr int kMaxTextLength = 259;
    static constexpr const char* kUserDefinedName = "-- User defined --";
    static constexpr int32_t kDefaultCrossCheckPercent = 200;
    static constexpr int32_t kMinCrossCheckPercent = 10;
    static constexpr int32_t kMaxCrossCheckPercent = 10000;

    std::string name;
    std::string URL;
    int32_t Timeout = 60;
    std::string TAUSEND;
    std::string DECIMAL;
    int32_t Format = 0;
    std::string Text_before_Value;
    int32_t Nr_HTML_before_Value = 0;
    int32_t Numbers_before_Value = 0;
    int32_t NoCaseSensitiv = 1;
    int32_t Filtering = 0;
    std::string RegExp;
    int32_t RegExpQuotationIndex = 1;
    int32_t bRegExpExtractDate = 0;
    int32_t RegExpDayIndex = 2;
    int32_t RegExpMonthIndex = 3;
    int32_t RegExpYearIndex = 4;
    int32_t bRegExpExtractTime = 0;
    int32_t RegExpHourIndex = 5;
    int32_t RegExpMinuteIndex = 6;
    // Extra request lines "Name: value", with the item variables of the address; stored servers only.
    std::vector<std::string> Headers;
    // Stored servers only: the server tried when this one fails, the one its results are compared with, and
    // how far the two may differ in hundredths of a percent. Empty names mean none.
    std::string Fallback;
    std::string CrossCheck;
    int32_t CrossCheckPercent = kDefaultCrossCheckPercent;

    // The rules a new item (and the invested-amount-history item) starts with.
    static ServerConfig newItemDefaults();
    // The rules a server gets when the user creates one under a new name.
    static ServerConfig newServerDefaults();
    // The name of the first text field longer than kMaxTextLength characters, if there is one.
    std::optional<std::string> overlongText() const;
    // Refuses, saying why, a `line` that cannot be sent as a request line "Name: value" (a line break or
    // another control character, no name).
    static Status checkHeaderLine(const std::string& line);

    bool operator==(const ServerConfig&) const = default;

    // The 19 rule fields in their stored order; exactly one of `text` and `number` is set.
    struct Field {
        const char* key;
        std::string ServerConfig::*text;
        int32_t ServerConfig::*number;
    };
    static const std::array<Field, 19>& fields();
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Why a request failed below HTTP, in the terms of the status texts: the user reads these, never the HTTP
// library's own words, which go to the download log.
struct HttpFailure {
    enum Kind { None, NoConnection, HostNotFound, Incomplete, Other };
    Kind kind = None;
    // For Other: a short reason of our own ("certificate not trusted").
    std::string reason;

    // libcurl's result code of a transfer; `bodyBegun` tells a broken connection during the body from one before.
    static HttpFailure ofCurlCode(int code, bool bodyBegun);
    static HttpFailure other(std::string reason) { return {Other, std::move(reason)}; }
};

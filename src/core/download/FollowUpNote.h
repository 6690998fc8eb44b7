// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the update scheduler adds to an update event when the item's server has a fallback or a cross-check.
struct FollowUpNote {
    // The stored server of a fallback or cross-check download; empty for the item's own.
    std::string server;
    bool crossCheck = false;
    // Set on a final event when the item's update goes on with another server: the download is over, the
    // item's update is not.
    bool continued = false;
    // After the value in the item's result line: " (from F)", " (checked against C)", ...
    std::string resultNote;
    // The failure of every server tried, when more than one was: "<first failure>; F: STATUS".
    std::string chainFailure;
    // The fallback server that supplied the stored quotation.
    std::string servedBy;
};

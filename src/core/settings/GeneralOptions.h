// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <array>
#include <cstdint>
#include <string>

// The general options, kept in the settings section "GeneralOptions".
struct GeneralOptions {
    int32_t NumberDownloads = 5;
    int32_t AutosaveOnExit = 0;
    int32_t Autoupdate = 1;
    int32_t Autoupdate_Time = 1;
    int32_t DownloadStatus = 1;
    int32_t Hour1 = 9;
    int32_t Hour2 = 18;
    int32_t Minute1 = 30;
    int32_t Minute2 = 30;
    int32_t UpdateIntervall = 60;
    int32_t AutosaveWindows = 1;
    int32_t ShowFileOnError = 1;
    // Simultaneous downloads from one host, on top of NumberDownloads.
    int32_t ConnectionsPerHost = 4;
    // A downloaded quotation that differs from the newest one by more than this many percent is held back;
    // 0 = off.
    int32_t GuardPercent = 0;
    // Days a portfolio's daily backup is kept; 0 = no daily backups.
    int32_t BackupDays = 14;

    // One option with the values the options dialog allows.
    struct Field {
        const char* name;
        int32_t GeneralOptions::*value;
        int32_t min;
        int32_t max;
    };
    // The options in their stored order.
    static const std::array<Field, 15>& fields();
    static const Field* findField(const std::string& name);

    // Missing, unreadable or out-of-range values read as their defaults.
    static GeneralOptions readOptions();
    // Writes all values in their stored order; false when the settings store could not be written.
    bool writeOptions() const;

    // Reads an entry for `field` as the options dialog does, refusing it with
    // "Please enter a positive integer." / "Please enter an integer between %1 and %2.".
    static Result<int32_t> checkEntry(const Field& field, const std::string& text);
    // Refused with the message of the first option outside its range.
    Status validate() const;

    bool operator==(const GeneralOptions&) const = default;
};

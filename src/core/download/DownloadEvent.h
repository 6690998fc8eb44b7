// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/TempFile.h"
#include "core/download/FollowUpNote.h"
#include "core/extract/ExtractResult.h"
#include "core/model/Quotation.h"

#include <cstdint>
#include <optional>
#include <string>

// What a download reports, in the order a job goes through.
enum class DownloadEventKind : int32_t {
    Started = 1,
    Connecting = 2,
    Connected = 3,
    Result = 4,
    QuotationNotFound = 5,
    InvalidValue = 6,
    TextNotFound = 7,
    DownloadError = 8,
    Progress = 9,
    Aborted = 10,
    // The server asked to come back later (429 or 503 with Retry-After); `seconds` says when.
    Waiting = 11,
    // A result held back by the plausibility guard: `quotation` as the cents correction left it, `lastValue`
    // the newest stored value it was compared with.
    Implausible = 12,
    // The bodies held by all downloads fill their budget; the download goes on when others release theirs.
    WaitingForMemory = 13,
};

// Why a download failed (kind DownloadError).
enum class DownloadErrorCode : int32_t {
    None = 0,
    WrongUrl = 5,
    NotFound = 6,
    Timeout = 8,
    ClientError = 9,
    ServerError = 10,
    Failure = 11,
    // HTTP status 429 without Retry-After, refused again after waiting, or asked to wait longer than the
    // item's timeout (then `seconds` holds the wait asked for).
    ServerBusy = 12,
    // The server's port did not accept the connection.
    NoConnection = 13,
    HostNotFound = 14,
    // The body ended before its announced length or before the end of its compressed stream.
    Incomplete = 15,
};

// One report of a download worker. Move-only: it owns the temporary files it carries, so an event dropped
// anywhere on its way (window closed, item deleted) deletes them; a receiver that shows one releases it.
struct DownloadEvent {
    uint32_t threadId = 0;
    bool test = false;
    DownloadEventKind kind = DownloadEventKind::Started;
    DownloadErrorCode code = DownloadErrorCode::None;
    // Progress: bytes read so far divided by 1000.
    int32_t kilobytes = 0;
    // Waiting: seconds until the request is sent again; ServerBusy: the wait the server asked for, if any.
    int32_t seconds = 0;
    // Empty for wizard and raw jobs.
    std::string itemName;
    std::string url;
    // Wizard and raw jobs: the downloaded page.
    TempFile rawFile;
    // Wizard jobs: the page converted to semi-html.
    TempFile semiFile;
    // Update and test jobs: the converted page searched for this item (left only when nothing was found);
    // wizard jobs: the page converted to text-only.
    TempFile convertedFile;
    // The error text of the last failure of this job (HTTP layer, file system); empty if none.
    std::string errorText;
    // The extraction's excerpt, for kinds QuotationNotFound to TextNotFound; for Result the text before the value.
    std::string excerpt;
    // Kind QuotationNotFound: which extraction status it stands for (the JSON rule has texts of its own).
    ExtractStatus extractStatus = ExtractStatus::QuotationNotFound;
    // The item the event belongs to; none for wizard, raw and test jobs.
    std::optional<uint64_t> itemRef;
    // Result of update and test jobs.
    std::optional<Quotation> quotation;
    // Implausible: the item's newest value.
    double lastValue = 0.0;
    // Update events of items whose server has a fallback or a cross-check.
    FollowUpNote followUp;

    // Result and the three not-found kinds, DownloadError, Aborted and Implausible: the item's download is over.
    bool isFinal() const;
    // The text the status window shows for this event.
    std::string statusText() const;
    // The error text of a failure that no other status text fits, with a short reason of our own.
    static std::string downloadFailedText(const std::string& reason);
};

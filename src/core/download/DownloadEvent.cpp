// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/DownloadEvent.h"

#include "core/base/FormatText.h"
#include "core/base/SecretRedaction.h"

#include <cstdio>

namespace {

// The url's path and query: from the first "/" after "scheme://" (for file URLs, the path).
std::string pathPart(const std::string& url)
{
    const size_t scheme = url.find("://");
    const size_t from = scheme == std::string::npos ? 0 : scheme + 3;
    const size_t slash = url.find('/', from);
    return slash == std::string::npos ? std::string() : url.substr(slash);
}

// Service error texts may span lines; the status shows one.
std::string failureText(const std::string& errorText)
{
    std::string text;
    for (char c : errorText) {
        if (c == '\r')
            continue;
        if (c == '\n')
            text += ". ";
        else
            text += c;
    }
    return text;
}

std::string errorStatusText(const DownloadEvent& event)
{
    switch (event.code) {
    case DownloadErrorCode::WrongUrl:
        return "Error: Wrong URL!";
    case DownloadErrorCode::NotFound:
        return "Error: File not found: " + pathPart(event.url);
    case DownloadErrorCode::Timeout:
        return "Error: Timeout!";
    case DownloadErrorCode::ClientError:
        return "Error: Bad URL!";
    case DownloadErrorCode::ServerError:
        return "Error: Server!";
    case DownloadErrorCode::ServerBusy:
        return event.seconds > 0 ? formatText("Error: Server busy! (retry after %d s)", event.seconds)
                                 : "Error: Server busy!";
    case DownloadErrorCode::NoConnection:
        return "Error: No connection!";
    case DownloadErrorCode::HostNotFound:
        return "Error: Host not found!";
    case DownloadErrorCode::Incomplete:
        return "Error: Download incomplete!";
    case DownloadErrorCode::Failure:
        return failureText(event.errorText);
    default:
        return {};
    }
}

} // namespace

bool DownloadEvent::isFinal() const
{
    switch (kind) {
    case DownloadEventKind::Result:
    case DownloadEventKind::QuotationNotFound:
    case DownloadEventKind::InvalidValue:
    case DownloadEventKind::TextNotFound:
    case DownloadEventKind::DownloadError:
    case DownloadEventKind::Aborted:
    case DownloadEventKind::Implausible:
        return true;
    default:
        return false;
    }
}

std::string DownloadEvent::statusText() const
{
    switch (kind) {
    case DownloadEventKind::Started:
        return "Initialized";
    case DownloadEventKind::Connecting:
        return "Connecting...";
    case DownloadEventKind::Connected:
        return "Connected";
    case DownloadEventKind::QuotationNotFound: {
        ExtractResult result;
        result.status = extractStatus;
        result.excerpt = excerpt;
        return result.statusText();
    }
    case DownloadEventKind::InvalidValue:
        return "Error: Invalid value!";
    case DownloadEventKind::TextNotFound:
        return "Error: Text not found!";
    case DownloadEventKind::DownloadError:
        return redactSecrets(errorStatusText(*this));
    case DownloadEventKind::Progress: {
        char text[32];
        std::snprintf(text, sizeof text, "Download %i KB", kilobytes);
        return text;
    }
    case DownloadEventKind::Aborted:
        return "Download aborted!";
    case DownloadEventKind::Implausible:
        return formatText("Implausible quotation: %.4f (last %.4f)", quotation ? quotation->value : 0.0, lastValue);
    case DownloadEventKind::WaitingForMemory:
        return "Waiting for memory...";
    case DownloadEventKind::Waiting: {
        char text[48];
        std::snprintf(text, sizeof text, "Waiting %i s (server busy)", seconds);
        return text;
    }
    default:
        return {};
    }
}

std::string DownloadEvent::downloadFailedText(const std::string& reason)
{
    return "Error: Download failed! (" + reason + ")";
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadEvent.h"
#include "core/download/DownloadJob.h"
#include "core/model/PortfolioDocument.h"
#include "core/servers/ServerConfig.h"

#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Fetches an item once more when its server fails (with the server's fallback, then with that one's, ...) and
// compares a result with the server's cross-check server. Items that shared a download share these too: the
// follow-up downloads of a job start once every tracked item of it has ended.
class FollowUpDownloads {
public:
    using ItemId = PortfolioDocument::ItemId;
    using JobStarter = std::function<void(std::unique_ptr<DownloadJob>)>;

    explicit FollowUpDownloads(JobStarter startJob);

    // Servers may have changed since the last update: they are read again.
    void forgetServers();
    // Before an update job starts: notes its items whose server has a fallback or a cross-check.
    void track(const DownloadJob& job, const PortfolioDocument& document);
    // Each update event, after the plausibility guard. Names the server of a follow-up download; on a final event
    // either starts the item's next download and returns true, or leaves the item's outcome in the event.
    bool handle(DownloadEvent& event, const PortfolioDocument& document, bool aborted);

    // The failure an item's update ended with: of every server tried, or the event's status.
    static std::string failureText(const DownloadEvent& event);
    // Whether two values agree within `hundredths` of a percent of the first.
    static bool agree(double own, double other, int32_t hundredths);

private:
    struct ItemState {
        int batch = 0;
        std::string name;
        std::string symbol;
        bool dateGiven = false;
        time_t dateTime = 0;
        // The item's own server first, then its fallbacks.
        std::vector<std::string> chain;
        size_t at = 0;
        std::string crossCheck;
        int32_t percent = ServerConfig::kDefaultCrossCheckPercent;
        // The own server's result while the cross-check download runs.
        std::optional<Quotation> ownResult;
        std::string failures;
    };

    // The tracked items of one job that have not ended yet, and the downloads they go on with.
    struct Batch {
        int outstanding = 0;
        std::vector<std::pair<ItemId, std::string>> requests;
    };

    const std::optional<ServerConfig>& server(const std::string& name);
    bool decide(DownloadEvent& event, const PortfolioDocument& document, ItemState& state);
    bool checked(DownloadEvent& event, const PortfolioDocument& document, ItemState& state);
    bool failed(DownloadEvent& event, ItemState& state);
    void request(ItemId id, ItemState& state, const std::string& serverName);
    void finishOne(int batch);
    void startBatch(const std::vector<std::pair<ItemId, std::string>>& requests);

    JobStarter m_startJob;
    std::map<std::string, std::optional<ServerConfig>> m_servers;
    std::map<ItemId, ItemState> m_items;
    std::map<int, Batch> m_batches;
    int m_nextBatch = 0;
};

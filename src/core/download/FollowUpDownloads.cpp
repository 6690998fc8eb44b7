// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/FollowUpDownloads.h"

#include "core/base/FormatText.h"
#include "core/download/ItemRequest.h"
#include "core/servers/ServerLinks.h"
#include "core/servers/ServerStore.h"

#include <algorithm>
#include <cmath>
#include <utility>

FollowUpDownloads::FollowUpDownloads(JobStarter startJob) : m_startJob(std::move(startJob)) { }

void FollowUpDownloads::forgetServers()
{
    m_servers.clear();
}

const std::optional<ServerConfig>& FollowUpDownloads::server(const std::string& name)
{
    auto found = m_servers.find(name);
    if (found == m_servers.end())
        found = m_servers.emplace(name, ServerLinks::storeLookup()(name)).first;
    return found->second;
}

void FollowUpDownloads::track(const DownloadJob& job, const PortfolioDocument& document)
{
    const ServerLinks::ServerLookup lookup = [this](const std::string& name) { return server(name); };
    const int batch = m_nextBatch;
    for (const ItemTask& task : job.tasks) {
        const int pos = task.itemRef ? document.positionOf(*task.itemRef) : -1;
        if (pos < 0 || (task.rules.Fallback.empty() && task.rules.CrossCheck.empty()))
            continue;
        const PortfolioItem& item = document.item(pos);
        ItemState state;
        state.batch = batch;
        state.name = item.name;
        state.symbol = item.symbol;
        state.dateGiven = job.dateGiven;
        state.dateTime = job.dateTime;
        state.chain = ServerLinks::fallbackChain(item.server.name, lookup);
        if (server(task.rules.CrossCheck) && task.rules.CrossCheck != item.server.name) {
            state.crossCheck = task.rules.CrossCheck;
            state.percent = task.rules.CrossCheckPercent;
        }
        if (state.chain.size() < 2 && state.crossCheck.empty())
            continue;
        m_items.insert_or_assign(*task.itemRef, std::move(state));
        ++m_batches[batch].outstanding;
    }
    if (m_batches.count(batch))
        ++m_nextBatch;
}

bool FollowUpDownloads::handle(DownloadEvent& event, const PortfolioDocument& document, bool aborted)
{
    const auto found = event.itemRef ? m_items.find(*event.itemRef) : m_items.end();
    if (found == m_items.end())
        return false;
    ItemState& state = found->second;
    if (state.ownResult) {
        event.followUp.server = state.crossCheck;
        event.followUp.crossCheck = true;
    } else if (state.at > 0) {
        event.followUp.server = state.chain[state.at];
    }
    if (!event.isFinal())
        return false;
    const int batch = state.batch;
    const bool present = document.positionOf(found->first) >= 0;
    const bool goesOn =
        !aborted && present && event.kind != DownloadEventKind::Aborted && decide(event, document, state);
    if (goesOn)
        request(found->first, state, state.ownResult ? state.crossCheck : state.chain[state.at]);
    else
        m_items.erase(found);
    event.followUp.continued = goesOn;
    finishOne(batch);
    return goesOn;
}

bool FollowUpDownloads::decide(DownloadEvent& event, const PortfolioDocument& document, ItemState& state)
{
    if (state.ownResult)
        return checked(event, document, state);
    if (event.kind != DownloadEventKind::Result || !event.quotation)
        return failed(event, state);
    if (state.at == 0 && !state.crossCheck.empty()) {
        state.ownResult = event.quotation;
        return true;
    }
    if (state.at > 0) {
        event.followUp.servedBy = state.chain[state.at];
        event.followUp.resultNote = " (from " + event.followUp.servedBy + ")";
    }
    return false;
}

std::string FollowUpDownloads::failureText(const DownloadEvent& event)
{
    return event.followUp.chainFailure.empty() ? event.statusText() : event.followUp.chainFailure;
}

bool FollowUpDownloads::agree(double own, double other, int32_t hundredths)
{
    return std::fabs(other - own) * 10000 <= hundredths * std::fabs(own);
}

bool FollowUpDownloads::checked(DownloadEvent& event, const PortfolioDocument& document, ItemState& state)
{
    const Quotation own = *std::exchange(state.ownResult, std::nullopt);
    const std::string& other = state.crossCheck;
    if (event.kind != DownloadEventKind::Result || !event.quotation) {
        event.kind = DownloadEventKind::Result;
        event.code = DownloadErrorCode::None;
        event.quotation = own;
        event.followUp.resultNote = " (not cross-checked: " + other + " failed)";
        return false;
    }
    const PortfolioItem& item = document.item(document.positionOf(*event.itemRef));
    const double ownValue = PortfolioDocument::centsCorrected(item, own.value);
    const double otherValue = PortfolioDocument::centsCorrected(item, event.quotation->value);
    if (agree(ownValue, otherValue, state.percent)) {
        event.quotation = own;
        event.followUp.resultNote = " (checked against " + other + ")";
        return false;
    }
    event.kind = DownloadEventKind::DownloadError;
    event.code = DownloadErrorCode::Failure;
    event.errorText = formatText("Error: Sources disagree! (%.4f from %s, %.4f from %s)", ownValue,
                                 state.chain.front().c_str(), otherValue, other.c_str());
    event.quotation.reset();
    return failed(event, state);
}

bool FollowUpDownloads::failed(DownloadEvent& event, ItemState& state)
{
    const std::string status = event.statusText();
    state.failures += state.at == 0 ? status : "; " + state.chain[state.at] + ": " + status;
    if (state.at + 1 < state.chain.size()) {
        ++state.at;
        return true;
    }
    if (state.at > 0)
        event.followUp.chainFailure = state.failures;
    return false;
}

void FollowUpDownloads::request(ItemId id, ItemState& state, const std::string& serverName)
{
    m_batches[state.batch].requests.emplace_back(id, serverName);
}

void FollowUpDownloads::finishOne(int batch)
{
    const auto found = m_batches.find(batch);
    if (found == m_batches.end() || --found->second.outstanding > 0)
        return;
    const std::vector<std::pair<ItemId, std::string>> requests = std::move(found->second.requests);
    m_batches.erase(found);
    if (!requests.empty())
        startBatch(requests);
}

void FollowUpDownloads::startBatch(const std::vector<std::pair<ItemId, std::string>>& requests)
{
    std::vector<std::unique_ptr<DownloadJob>> jobs;
    std::map<std::pair<std::string, std::vector<std::string>>, DownloadJob*> jobOfRequest;
    for (const auto& [id, serverName] : requests) {
        ItemState& state = m_items.at(id);
        const std::optional<ServerConfig>& stored = server(serverName);
        ItemRequest built = ItemRequest::build(state.name, state.symbol, stored.value_or(ServerConfig()));
        auto key = std::make_pair(built.url, built.headers);
        const auto shared = built.refusal.empty() ? jobOfRequest.find(key) : jobOfRequest.end();
        DownloadJob* job = shared == jobOfRequest.end() ? nullptr : shared->second;
        if (!job) {
            jobs.push_back(std::make_unique<DownloadJob>());
            job = jobs.back().get();
            job->url = built.url;
            job->headers = built.headers;
            job->dateGiven = state.dateGiven;
            job->dateTime = state.dateTime;
            job->timeout = built.rules.Timeout;
            job->refusal = built.refusal;
            if (built.refusal.empty())
                jobOfRequest.emplace(std::move(key), job);
        }
        job->timeout = std::max(job->timeout, built.rules.Timeout);
        job->tasks.push_back(ItemTask{id, state.name, std::move(built.rules)});
    }
    for (auto& job : jobs) {
        const int batch = m_nextBatch++;
        for (const ItemTask& task : job->tasks)
            m_items.at(*task.itemRef).batch = batch;
        m_batches[batch].outstanding = static_cast<int>(job->tasks.size());
        m_startJob(std::move(job));
    }
}

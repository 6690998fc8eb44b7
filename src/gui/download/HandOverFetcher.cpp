// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/HandOverFetcher.h"

#include "core/download/AbortSignal.h"
#include "core/download/DownloadPool.h"
#include "gui/download/GuiEventSink.h"

// Hand-over jobs start at once whatever the limits, so one thread with one connection serves them.
HandOverFetcher::HandOverFetcher(QObject* parent)
    : QObject(parent), m_abort(std::make_shared<AbortSignal>()), m_pool(std::make_unique<DownloadPool>(1, 1))
{
}

HandOverFetcher::~HandOverFetcher()
{
    m_abort->set();
    m_pool.reset();
}

void HandOverFetcher::start(HandOverDownload::Kind kind, const std::string& urlTemplate, const std::string& name,
                            const std::string& symbol)
{
    startJob(HandOverDownload::makeJob(kind, urlTemplate, name, symbol));
}

void HandOverFetcher::startJob(std::unique_ptr<DownloadJob> job)
{
    job->receiver = std::make_shared<GuiEventSink>(this, [this](DownloadEvent& event) { deliver(event); });
    job->abort = m_abort;
    m_pool->submit(std::move(job));
}

void HandOverFetcher::deliver(DownloadEvent& event)
{
    if (event.isFinal() && event.kind == DownloadEventKind::Result) {
        emit loaded(event);
        return;
    }
    emit statusChanged(QString::fromStdString(event.statusText()));
    if (event.isFinal())
        emit failed();
}

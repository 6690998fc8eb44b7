#include "gui/download/HandOverFetcher.h"

#include "core/download/DownloadWorker.h"
#include "core/download/JobCounter.h"
#include "gui/download/GuiEventSink.h"

HandOverFetcher::HandOverFetcher(QObject* parent)
    : QObject(parent), m_abort(std::make_shared<std::atomic<bool>>(false)), m_workers(std::make_shared<JobCounter>())
{
}

HandOverFetcher::~HandOverFetcher()
{
    m_abort->store(true);
    m_workers->waitUntilIdle();
}

void HandOverFetcher::start(HandOverDownload::Kind kind, const std::string& urlTemplate, const std::string& name,
                            const std::string& symbol)
{
    std::unique_ptr<DownloadJob> job = HandOverDownload::MakeJob(kind, urlTemplate, name, symbol);
    job->receiver = std::make_shared<GuiEventSink>(this, [this](DownloadEvent& event) { deliver(event); });
    job->abortFlag = m_abort;
    job->counter = m_workers;
    StartDownloadJob(std::move(job));
}

bool HandOverFetcher::running() const
{
    return m_workers->running() > 0;
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

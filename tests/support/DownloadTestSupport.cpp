// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"

#include "core/download/DownloadWorker.h"

#include <QByteArray>
#include <chrono>
#include <cstdlib>

HttpTestServer& testServer()
{
    static HttpTestServer server;
    return server;
}

PrivateTempFolder::PrivateTempFolder(const TestEnvironment& env) : m_path(QString::fromStdString(env.path("tmp")))
{
    QDir().mkpath(m_path);
    if (const char* saved = std::getenv("TMPDIR")) {
        m_hadSaved = true;
        m_saved = saved;
    }
    qputenv("TMPDIR", QByteArray(m_path.toUtf8().constData()));
}

PrivateTempFolder::~PrivateTempFolder()
{
    if (m_hadSaved)
        qputenv("TMPDIR", QByteArray(m_saved.c_str()));
    else
        qunsetenv("TMPDIR");
}

QStringList PrivateTempFolder::files() const
{
    return QDir(m_path).entryList(QDir::Files);
}

ServerConfig standardRules(const std::string& url, const std::string& startText, int timeout)
{
    ServerConfig rules = ServerConfig::newServerDefaults();
    rules.URL = url;
    rules.Timeout = timeout;
    rules.Format = 2;
    rules.Filtering = 0;
    rules.TAUSEND = ",";
    rules.DECIMAL = ".";
    rules.Text_before_Value = startText;
    rules.Numbers_before_Value = 0;
    return rules;
}

ItemTask taskFor(const std::string& name, const ServerConfig& rules, uint64_t id)
{
    ItemTask task;
    if (id != 0)
        task.itemRef = id;
    task.name = name;
    task.rules = rules;
    return task;
}

std::unique_ptr<DownloadJob> jobFor(const std::string& url, std::vector<ItemTask> tasks, int timeout)
{
    auto job = std::make_unique<DownloadJob>();
    job->url = url;
    job->timeout = timeout;
    job->tasks = std::move(tasks);
    return job;
}

std::vector<DownloadEvent> runJob(std::unique_ptr<DownloadJob> job)
{
    auto queue = std::make_shared<EventQueue>();
    job->receiver = queue;
    runDownloadJob(std::move(job));
    std::vector<DownloadEvent> events;
    while (auto event = queue->take(std::chrono::milliseconds(0)))
        events.push_back(std::move(*event));
    return events;
}

std::vector<DownloadEventKind> kindsOf(const std::vector<DownloadEvent>& events)
{
    std::vector<DownloadEventKind> kinds;
    for (const DownloadEvent& event : events)
        kinds.push_back(event.kind);
    return kinds;
}

std::vector<DownloadEvent> finalEvents(std::vector<DownloadEvent> events)
{
    std::vector<DownloadEvent> finals;
    for (DownloadEvent& event : events)
        if (event.isFinal())
            finals.push_back(std::move(event));
    return finals;
}

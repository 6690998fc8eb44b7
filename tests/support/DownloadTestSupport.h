// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "core/download/DownloadJob.h"
#include "core/download/EventQueue.h"

#include <QDir>
#include <QStringList>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

// One server for all tests of a program; started on first use.
HttpTestServer& testServer();

// Points the user's temporary folder (TMPDIR) at a private folder, so that leftovers can be seen.
class PrivateTempFolder {
public:
    explicit PrivateTempFolder(const TestEnvironment& env);
    ~PrivateTempFolder();
    QStringList files() const;

private:
    QString m_path;
    std::string m_saved;
    bool m_hadSaved = false;
};

ServerConfig standardRules(const std::string& url, const std::string& startText, int timeout = 30);
ItemTask taskFor(const std::string& name, const ServerConfig& rules, uint64_t id = 0);
std::unique_ptr<DownloadJob> jobFor(const std::string& url, std::vector<ItemTask> tasks, int timeout = 30);
// Runs the job on this thread and returns every event it posted, in order.
std::vector<DownloadEvent> runJob(std::unique_ptr<DownloadJob> job);
std::vector<DownloadEventKind> kindsOf(const std::vector<DownloadEvent>& events);
// The final events of `events`, moved out of it.
std::vector<DownloadEvent> finalEvents(std::vector<DownloadEvent> events);

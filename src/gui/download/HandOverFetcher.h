// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadEvent.h"
#include "core/download/HandOverDownload.h"

#include <QObject>
#include <QString>

#include <memory>

class AbortSignal;
class DownloadPool;

// Runs the wizard's and the import's downloads on a worker thread and reports them on the GUI thread:
// a status text for every event, then the loaded files or the end of a failure.
class HandOverFetcher : public QObject {
    Q_OBJECT
public:
    explicit HandOverFetcher(QObject* parent = nullptr);
    // Aborts a running download and waits for its worker; its files go with the events never delivered.
    ~HandOverFetcher() override;

    void start(HandOverDownload::Kind kind, const std::string& urlTemplate, const std::string& name,
               const std::string& symbol);
    // Runs a job made elsewhere; its receiver and abort signal are set here.
    void startJob(std::unique_ptr<DownloadJob> job);

signals:
    void statusChanged(const QString& text);
    // The receiver takes the event's files; those it leaves go with the event.
    void loaded(DownloadEvent& event);
    // A failure or an abort; the status text tells which.
    void failed();

private:
    void deliver(DownloadEvent& event);

    std::shared_ptr<AbortSignal> m_abort;
    std::unique_ptr<DownloadPool> m_pool;
};

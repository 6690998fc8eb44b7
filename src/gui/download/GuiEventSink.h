// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/EventSink.h"

#include <QObject>
#include <QPointer>

#include <functional>

// Hands events from worker threads to the GUI thread as queued calls on `context`.
class GuiEventSink : public EventSink {
public:
    GuiEventSink(QObject* context, std::function<void(DownloadEvent&)> deliver);

    void post(DownloadEvent event) override;

private:
    QPointer<QObject> m_context;
    std::function<void(DownloadEvent&)> m_deliver;
};

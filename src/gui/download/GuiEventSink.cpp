// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/GuiEventSink.h"

#include <QMetaObject>

#include <memory>

GuiEventSink::GuiEventSink(QObject* context, std::function<void(DownloadEvent&)> deliver)
    : m_context(context), m_deliver(std::move(deliver))
{
}

void GuiEventSink::post(DownloadEvent event)
{
    // The owner of the context waits for every worker before it goes, so the context outlives the posts.
    QObject* context = m_context.data();
    if (!context)
        return;
    // Shared because a queued call must be copyable; a call dropped undelivered drops the event and its files.
    auto pending = std::make_shared<DownloadEvent>(std::move(event));
    QMetaObject::invokeMethod(
        context, [deliver = m_deliver, pending]() { deliver(*pending); }, Qt::QueuedConnection);
}

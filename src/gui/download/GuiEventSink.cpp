#include "download/GuiEventSink.h"

#include <QMetaObject>

GuiEventSink::GuiEventSink(QObject* context, std::function<void(const DownloadEvent&)> deliver)
    : m_context(context)
    , m_deliver(std::move(deliver))
{
}

void GuiEventSink::post(DownloadEvent event)
{
    // The owner of the context waits for every worker before it goes, so the context outlives the posts.
    QObject* context = m_context.data();
    if (!context) {
        event.removeFiles();
        return;
    }
    QMetaObject::invokeMethod(
        context, [deliver = m_deliver, event = std::move(event)]() { deliver(event); }, Qt::QueuedConnection);
}

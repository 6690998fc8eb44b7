#include "gui/download/GuiEventSink.h"

#include <QMetaObject>

#include <memory>

GuiEventSink::GuiEventSink(QObject* context, std::function<void(const DownloadEvent&)> deliver)
    : m_context(context), m_deliver(std::move(deliver))
{
}

namespace {

// An event on its way to the GUI thread. Its files go with it when it is dropped undelivered (the
// window closed first); once delivered, the receivers own them.
struct PendingEvent {
    explicit PendingEvent(DownloadEvent posted) : event(std::move(posted)) { }
    ~PendingEvent()
    {
        if (!delivered)
            event.removeFiles();
    }
    PendingEvent(const PendingEvent&) = delete;
    PendingEvent& operator=(const PendingEvent&) = delete;

    DownloadEvent event;
    bool delivered = false;
};

} // namespace

void GuiEventSink::post(DownloadEvent event)
{
    // The owner of the context waits for every worker before it goes, so the context outlives the posts.
    QObject* context = m_context.data();
    if (!context) {
        event.removeFiles();
        return;
    }
    auto pending = std::make_shared<PendingEvent>(std::move(event));
    QMetaObject::invokeMethod(
        context,
        [deliver = m_deliver, pending]() {
            pending->delivered = true;
            deliver(pending->event);
        },
        Qt::QueuedConnection);
}

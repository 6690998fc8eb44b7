#include "app/HeadlessUpdate.h"

#include "download/EventQueue.h"
#include "download/UpdateScheduler.h"
#include "model/CWPapierDoc.h"

#include <chrono>
#include <cstdio>

int runHeadlessUpdate(const std::string& path, int numberDownloads)
{
    CWPapierDoc doc(numberDownloads);
    std::string error;
    if (!doc.OpenPortfolio(path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 3;
    }
    auto queue = std::make_shared<EventQueue>();
    UpdateScheduler scheduler(doc, queue);
    int failures = 0;
    scheduler.setEventObserver([&failures](const DownloadEvent& event) {
        if (event.isFinal() && event.kind != DownloadEventKind::Result) {
            ++failures;
            std::fprintf(stderr, "%s: %s\n", event.itemName.c_str(), event.statusText().c_str());
            event.removeFiles();
        }
    });
    std::vector<CWPapierDoc::ItemId> all;
    for (int pos = 0; pos < doc.itemCount(); ++pos)
        all.push_back(doc.itemId(pos));
    scheduler.StartUpdate(all);
    while (scheduler.pendingUpdates() > 0) {
        if (auto event = queue->take(std::chrono::milliseconds(200)))
            scheduler.HandleDownloadEvent(*event);
    }
    if (!doc.SavePortfolio(path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 3;
    }
    return failures > 0 ? 1 : 0;
}

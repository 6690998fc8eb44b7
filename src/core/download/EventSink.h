// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadEvent.h"

// Where a download worker posts its events. Called from worker threads: implementations hand the event
// over to their own thread (a queued call into the GUI thread, a thread-safe queue) and never block long.
class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void post(DownloadEvent event) = 0;
    // Whether anything shows the status events between Started and the final one (connecting, progress,
    // waits); workers do not post them where nothing does.
    virtual bool wantsStatus() const { return true; }
};

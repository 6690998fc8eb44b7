#pragma once

#include <condition_variable>
#include <mutex>

// Counts running worker threads so that their starter can wait until all have ended.
class JobCounter {
public:
    void add();
    void remove();
    int running() const;
    void waitUntilIdle();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_running = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of a Qt program for the update's downloads: Qt Core's application object, then pages BASE/p1.html to
// BASE/pN.html fetched and dropped, nothing searched or saved. "threads" fetches on 8 threads with an easy handle
// each, as the program's download pool does; "multi" on one thread with one multi handle, as curl -Z does.
#include <QCoreApplication>

#include <curl/curl.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kConnections = 8;

size_t drop(char*, size_t size, size_t count, void*)
{
    return size * count;
}

std::string pageUrl(const std::string& base, int number)
{
    return base + "/p" + std::to_string(number) + ".html";
}

void fetchOnThreads(const std::string& base, int pages)
{
    std::atomic<int> next{1};
    std::vector<std::thread> threads;
    for (int t = 0; t < kConnections; ++t)
        threads.emplace_back([&] {
            CURL* easy = curl_easy_init();
            curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, drop);
            for (int page = next++; page <= pages; page = next++) {
                curl_easy_setopt(easy, CURLOPT_URL, pageUrl(base, page).c_str());
                curl_easy_perform(easy);
            }
            curl_easy_cleanup(easy);
        });
    for (std::thread& thread : threads)
        thread.join();
}

void fetchOnOneThread(const std::string& base, int pages)
{
    CURLM* multi = curl_multi_init();
    curl_multi_setopt(multi, CURLMOPT_MAX_TOTAL_CONNECTIONS, long(kConnections));
    int next = 1;
    int running = 0;
    const auto add = [&] {
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, pageUrl(base, next++).c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, drop);
        curl_multi_add_handle(multi, easy);
    };
    while (next <= pages && next <= kConnections)
        add();
    do {
        curl_multi_perform(multi, &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg != CURLMSG_DONE)
                continue;
            curl_multi_remove_handle(multi, message->easy_handle);
            curl_easy_cleanup(message->easy_handle);
            if (next <= pages) {
                add();
                ++running;
            }
        }
        if (running > 0)
            curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
    } while (running > 0);
    curl_multi_cleanup(multi);
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    if (argc != 4 || (std::strcmp(argv[1], "threads") != 0 && std::strcmp(argv[1], "multi") != 0))
        return 2;
    curl_global_init(CURL_GLOBAL_DEFAULT);
    if (std::strcmp(argv[1], "threads") == 0)
        fetchOnThreads(argv[2], std::atoi(argv[3]));
    else
        fetchOnOneThread(argv[2], std::atoi(argv[3]));
    return 0;
}

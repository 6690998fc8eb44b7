// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <curl/curl.h>

#include <future>
#include <string>

// libcurl, loaded on first use: it and the two dozen libraries it needs would add several milliseconds to
// every start of the program and of each command, while only downloads use it.
struct CurlLibrary {
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_reset) easy_reset = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_free) free_string = nullptr;
    decltype(&curl_getdate) getdate = nullptr;
    decltype(&curl_multi_add_handle) multi_add_handle = nullptr;
    decltype(&curl_multi_cleanup) multi_cleanup = nullptr;
    decltype(&curl_multi_info_read) multi_info_read = nullptr;
    decltype(&curl_multi_init) multi_init = nullptr;
    decltype(&curl_multi_perform) multi_perform = nullptr;
    decltype(&curl_multi_poll) multi_poll = nullptr;
    decltype(&curl_multi_remove_handle) multi_remove_handle = nullptr;
    decltype(&curl_multi_setopt) multi_setopt = nullptr;
    decltype(&curl_multi_wakeup) multi_wakeup = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;
    decltype(&curl_url) url = nullptr;
    decltype(&curl_url_cleanup) url_cleanup = nullptr;
    decltype(&curl_url_get) url_get = nullptr;
    decltype(&curl_url_set) url_set = nullptr;

    // The library, loaded and initialised by the first call (from any thread); null when it cannot be loaded.
    static const CurlLibrary* get();
    // Starts the load on another thread, so that a run that will download reads its files meanwhile. The
    // returned future waits for the load when it goes: keep it while Qt's application object lives.
    static std::future<void> loadInBackground();
    // Why get() gives null.
    static const std::string& loadError();
};

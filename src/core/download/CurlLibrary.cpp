// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/CurlLibrary.h"

#include "core/base/LoadedLibrary.h"

#include <future>
#include <system_error>

namespace {

struct Loaded {
    CurlLibrary functions;
    std::string error;
};

Loaded load()
{
    Loaded loaded;
    LoadedLibrary library("curl", 4, "libcurl");
    const auto resolve = [&library](const char* name, auto& into) { library.resolve(name, into); };
    CurlLibrary& f = loaded.functions;
    resolve("curl_easy_cleanup", f.easy_cleanup);
    resolve("curl_easy_getinfo", f.easy_getinfo);
    resolve("curl_easy_init", f.easy_init);
    resolve("curl_easy_reset", f.easy_reset);
    resolve("curl_easy_setopt", f.easy_setopt);
    resolve("curl_easy_strerror", f.easy_strerror);
    resolve("curl_free", f.free_string);
    resolve("curl_getdate", f.getdate);
    resolve("curl_multi_add_handle", f.multi_add_handle);
    resolve("curl_multi_cleanup", f.multi_cleanup);
    resolve("curl_multi_info_read", f.multi_info_read);
    resolve("curl_multi_init", f.multi_init);
    resolve("curl_multi_perform", f.multi_perform);
    resolve("curl_multi_poll", f.multi_poll);
    resolve("curl_multi_remove_handle", f.multi_remove_handle);
    resolve("curl_multi_setopt", f.multi_setopt);
    resolve("curl_multi_wakeup", f.multi_wakeup);
    resolve("curl_slist_append", f.slist_append);
    resolve("curl_slist_free_all", f.slist_free_all);
    resolve("curl_url", f.url);
    resolve("curl_url_cleanup", f.url_cleanup);
    resolve("curl_url_get", f.url_get);
    resolve("curl_url_set", f.url_set);
    decltype(&curl_global_init) globalInit = nullptr;
    resolve("curl_global_init", globalInit);
    loaded.error = library.error();
    if (loaded.error.empty() && globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        loaded.error = "libcurl could not be initialised.";
    return loaded;
}

const Loaded& loaded()
{
    static const Loaded once = load();
    return once;
}

} // namespace

const CurlLibrary* CurlLibrary::get()
{
    return loaded().error.empty() ? &loaded().functions : nullptr;
}

std::future<void> CurlLibrary::loadInBackground()
{
    try {
        return std::async(std::launch::async, [] { loaded(); });
    } catch (const std::system_error&) {
        // Without a thread to spare, the first download loads it.
        return {};
    }
}

const std::string& CurlLibrary::loadError()
{
    return loaded().error;
}

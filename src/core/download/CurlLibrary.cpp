// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/CurlLibrary.h"

#include "core/base/LoadedLibrary.h"

#include <future>
#include <system_error>

namespace {

using Loaded = LibraryFunctions<CurlLibrary>;

Loaded load()
{
    Loaded loaded;
    LoadedLibrary library("curl", 4, "libcurl");
    CurlLibrary& f = loaded.functions;
    library.resolve("curl_easy_cleanup", f.easy_cleanup);
    library.resolve("curl_easy_getinfo", f.easy_getinfo);
    library.resolve("curl_easy_init", f.easy_init);
    library.resolve("curl_easy_reset", f.easy_reset);
    library.resolve("curl_easy_setopt", f.easy_setopt);
    library.resolve("curl_easy_strerror", f.easy_strerror);
    library.resolve("curl_free", f.free_string);
    library.resolve("curl_getdate", f.getdate);
    library.resolve("curl_multi_add_handle", f.multi_add_handle);
    library.resolve("curl_multi_cleanup", f.multi_cleanup);
    library.resolve("curl_multi_info_read", f.multi_info_read);
    library.resolve("curl_multi_init", f.multi_init);
    library.resolve("curl_multi_perform", f.multi_perform);
    library.resolve("curl_multi_poll", f.multi_poll);
    library.resolve("curl_multi_remove_handle", f.multi_remove_handle);
    library.resolve("curl_multi_setopt", f.multi_setopt);
    library.resolve("curl_multi_wakeup", f.multi_wakeup);
    library.resolve("curl_slist_append", f.slist_append);
    library.resolve("curl_slist_free_all", f.slist_free_all);
    library.resolve("curl_url", f.url);
    library.resolve("curl_url_cleanup", f.url_cleanup);
    library.resolve("curl_url_get", f.url_get);
    library.resolve("curl_url_set", f.url_set);
    decltype(&curl_global_init) globalInit = nullptr;
    library.resolve("curl_global_init", globalInit);
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
    return loaded().usable();
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

#pragma once
// The HTTP library, loaded on the first request instead of at start: a run that never downloads
// (a chart drawn on the command line, the desktop program until its first download) does not
// pay for mapping it and the two dozen TLS, Kerberos and LDAP libraries it brings with it.

#include <curl/curl.h>

namespace qm::download {

// The library's functions that the HTTP client calls.
struct CurlLibrary {
    decltype(&::curl_easy_init) easyInit;
    decltype(&::curl_easy_setopt) easySetopt;
    decltype(&::curl_easy_perform) easyPerform;
    decltype(&::curl_easy_getinfo) easyGetinfo;
    decltype(&::curl_easy_cleanup) easyCleanup;
    decltype(&::curl_easy_strerror) easyStrerror;
    decltype(&::curl_slist_append) slistAppend;
    decltype(&::curl_slist_free_all) slistFreeAll;
};

// The library, loaded and initialised once for the process; throws HttpError (Client) when it
// cannot be loaded, each time it is asked for.
const CurlLibrary& curlLibrary();

} // namespace qm::download

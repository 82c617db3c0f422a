#include "CurlLibrary.h"

#include "HttpClient.h"

#include <dlfcn.h>
#include <mutex>
#include <string>

namespace qm::download {
namespace {

// The library's file name for its binary interface, unchanged since 2006.
constexpr const char* kCurlFile = "libcurl.so.4";

struct Loaded {
    CurlLibrary functions{};
    std::string failure; // empty when loaded
};

// Finds one function; the first that is missing is named in `failure`.
template <typename Function>
void resolve(void* library, const char* name, Function& out, std::string& failure) {
    out = reinterpret_cast<Function>(::dlsym(library, name));
    if (!out && failure.empty()) failure = std::string("no ") + name + " in " + kCurlFile;
}

Loaded load() {
    Loaded loaded;
    // Kept for the life of the process: its threads and handles may outlive any one client.
    void* library = ::dlopen(kCurlFile, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = ::dlerror();
        loaded.failure =
            std::string("cannot load ") + kCurlFile + (why ? std::string(": ") + why : "");
        return loaded;
    }
    CurlLibrary& f = loaded.functions;
    decltype(&::curl_global_init) globalInit = nullptr;
    resolve(library, "curl_global_init", globalInit, loaded.failure);
    resolve(library, "curl_easy_init", f.easyInit, loaded.failure);
    resolve(library, "curl_easy_setopt", f.easySetopt, loaded.failure);
    resolve(library, "curl_easy_perform", f.easyPerform, loaded.failure);
    resolve(library, "curl_easy_getinfo", f.easyGetinfo, loaded.failure);
    resolve(library, "curl_easy_cleanup", f.easyCleanup, loaded.failure);
    resolve(library, "curl_easy_strerror", f.easyStrerror, loaded.failure);
    resolve(library, "curl_slist_append", f.slistAppend, loaded.failure);
    resolve(library, "curl_slist_free_all", f.slistFreeAll, loaded.failure);
    if (loaded.failure.empty() && globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        loaded.failure = std::string("cannot start ") + kCurlFile;
    return loaded;
}

} // namespace

const CurlLibrary& curlLibrary() {
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = load(); });
    if (!loaded.failure.empty()) throw HttpError(HttpErrorKind::Client, loaded.failure);
    return loaded.functions;
}

} // namespace qm::download

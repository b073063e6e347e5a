// The HTTP client on Linux: libcurl's easy interface, one handle per
// exchange, http and https only (also after a redirect). libcurl and the
// TLS libraries behind it are loaded on the first request, so that a host
// that never asks for HTTP does not pay for them at every start.
#include "platform/platform.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <cstring>
#include <string_view>

namespace {

struct Exchange {
    const PlatformHttpRequest* request;
    PlatformHttpResponse* response;
    bool too_large = false;
    bool stopped = false;
};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

// Every response of a redirect chain starts with its status line, so the
// headers kept are always those of the latest response.
size_t onHeader(char* data, size_t size, size_t count, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    PlatformHttpResponse* response = exchange->response;
    std::string_view line = trimmed(std::string_view(data, size * count));
    if (line.substr(0, 5) == "HTTP/") {
        response->headers.clear();
        size_t space = line.find(' ');
        size_t reason = space == std::string_view::npos ? space : line.find(' ', space + 1);
        response->reason =
            reason == std::string_view::npos ? std::string() : std::string(line.substr(reason + 1));
        return size * count;
    }
    size_t colon = line.find(':');
    if (colon != std::string_view::npos && colon > 0)
        response->headers.emplace_back(std::string(trimmed(line.substr(0, colon))),
                                       std::string(trimmed(line.substr(colon + 1))));
    return size * count;
}

size_t onBody(char* data, size_t size, size_t count, void* user) {
    auto* exchange = static_cast<Exchange*>(user);
    const PlatformHttpRequest& request = *exchange->request;
    size_t bytes = size * count;
    if (request.sink) {
        if (!request.sink(request.sink_data, data, bytes)) {
            exchange->stopped = true;
            return 0;
        }
        return bytes;
    }
    std::string& body = exchange->response->body;
    if (bytes > request.max_body - body.size()) {
        exchange->too_large = true;
        return 0;
    }
    body.append(data, bytes);
    return bytes;
}

PlatformHttpFailure failureOf(CURLcode code) {
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
        return PlatformHttpFailure::BadUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return PlatformHttpFailure::Resolve;
    case CURLE_COULDNT_CONNECT:
        return PlatformHttpFailure::Connect;
    case CURLE_OPERATION_TIMEDOUT:
        return PlatformHttpFailure::Timeout;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CONNECT_ERROR:
        return PlatformHttpFailure::Certificate;
    case CURLE_TOO_MANY_REDIRECTS:
        return PlatformHttpFailure::Redirects;
    default:
        return PlatformHttpFailure::Other;
    }
}

// The entry points used here, found in libcurl when it is first needed.
struct Curl {
    decltype(&curl_global_init) global_init;
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_perform) easy_perform;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
};

template <class Function> bool find(void* library, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(dlsym(library, name));
    return *function != nullptr;
}

Curl loadCurl(bool* loaded) {
    Curl api{};
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library) library = dlopen("libcurl.so", RTLD_NOW | RTLD_LOCAL);
    *loaded = library && find(library, "curl_global_init", &api.global_init) &&
              find(library, "curl_easy_init", &api.easy_init) &&
              find(library, "curl_easy_setopt", &api.easy_setopt) &&
              find(library, "curl_easy_perform", &api.easy_perform) &&
              find(library, "curl_easy_getinfo", &api.easy_getinfo) &&
              find(library, "curl_easy_strerror", &api.easy_strerror) &&
              find(library, "curl_easy_cleanup", &api.easy_cleanup) &&
              find(library, "curl_slist_append", &api.slist_append) &&
              find(library, "curl_slist_free_all", &api.slist_free_all) &&
              api.global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return api;
}

// Loaded once; curl_global_init is not safe to race, and the library is
// single-threaded.
const Curl* curl() {
    static bool loaded = false;
    static const Curl api = loadCurl(&loaded);
    return loaded ? &api : nullptr;
}

} // namespace

bool platformHttpRequest(const PlatformHttpRequest& request, PlatformHttpResponse* response) {
    *response = PlatformHttpResponse();
    const Curl* api = curl();
    if (!api) {
        response->failure = PlatformHttpFailure::Other;
        response->error = "the HTTP client library (libcurl.so.4) could not be loaded";
        return false;
    }
    CURL* handle = api->easy_init();
    if (!handle) {
        response->failure = PlatformHttpFailure::Other;
        response->error = "the HTTP client could not start";
        return false;
    }
    Exchange exchange{&request, response};
    char message[CURL_ERROR_SIZE] = "";
    curl_slist* headers = nullptr;
    for (const std::string& header : request.headers)
        headers = api->slist_append(headers, header.c_str());

    api->easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    api->easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    api->easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    api->easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    api->easy_setopt(handle, CURLOPT_ERRORBUFFER, message);
    api->easy_setopt(handle, CURLOPT_TIMEOUT_MS, request.timeout_ms);
    api->easy_setopt(handle, CURLOPT_FOLLOWLOCATION, request.max_redirects > 0 ? 1L : 0L);
    api->easy_setopt(handle, CURLOPT_MAXREDIRS, request.max_redirects);
    api->easy_setopt(handle, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    api->easy_setopt(handle, CURLOPT_HEADERFUNCTION, onHeader);
    api->easy_setopt(handle, CURLOPT_HEADERDATA, &exchange);
    api->easy_setopt(handle, CURLOPT_WRITEFUNCTION, onBody);
    api->easy_setopt(handle, CURLOPT_WRITEDATA, &exchange);
    if (headers) api->easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
    if (!request.ca_file.empty()) api->easy_setopt(handle, CURLOPT_CAINFO, request.ca_file.c_str());
    if (request.method == "HEAD") {
        api->easy_setopt(handle, CURLOPT_NOBODY, 1L);
    } else if (request.method == "POST") {
        api->easy_setopt(handle, CURLOPT_POST, 1L);
        api->easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        api->easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
    } else if (request.method != "GET") {
        api->easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        if (request.has_body) {
            api->easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(request.body.size()));
            api->easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
        }
    }

    CURLcode code = api->easy_perform(handle);
    long status = 0;
    api->easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    char* final_url = nullptr;
    if (api->easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &final_url) == CURLE_OK && final_url)
        response->final_url = final_url;
    response->status = status;
    if (code != CURLE_OK) {
        response->failure = exchange.too_large ? PlatformHttpFailure::TooLarge
                            : exchange.stopped ? PlatformHttpFailure::Stopped
                                               : failureOf(code);
        response->error = message[0] ? message : api->easy_strerror(code);
    }
    api->slist_free_all(headers);
    api->easy_cleanup(handle);
    return code == CURLE_OK;
}

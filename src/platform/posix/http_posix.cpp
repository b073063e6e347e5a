// The HTTP client on Linux: libcurl's easy interface, one handle per
// exchange, http and https only (also after a redirect).
#include "platform/platform.h"

#include <curl/curl.h>

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

// curl_global_init is not safe to race, and the library is single-threaded.
bool curlReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

} // namespace

bool platformHttpRequest(const PlatformHttpRequest& request, PlatformHttpResponse* response) {
    *response = PlatformHttpResponse();
    CURL* curl = curlReady() ? curl_easy_init() : nullptr;
    if (!curl) {
        response->failure = PlatformHttpFailure::Other;
        response->error = "the HTTP client could not start";
        return false;
    }
    Exchange exchange{&request, response};
    char message[CURL_ERROR_SIZE] = "";
    curl_slist* headers = nullptr;
    for (const std::string& header : request.headers)
        headers = curl_slist_append(headers, header.c_str());

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, request.timeout_ms);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, request.max_redirects > 0 ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, request.max_redirects);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &exchange);
    if (headers) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    if (!request.ca_file.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, request.ca_file.c_str());
    if (request.method == "HEAD") {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else if (request.method == "POST") {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
    } else if (request.method != "GET") {
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, request.method.c_str());
        if (request.has_body) {
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(request.body.size()));
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body.data());
        }
    }

    CURLcode code = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    char* final_url = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &final_url) == CURLE_OK && final_url)
        response->final_url = final_url;
    response->status = status;
    if (code != CURLE_OK) {
        response->failure = exchange.too_large ? PlatformHttpFailure::TooLarge
                            : exchange.stopped ? PlatformHttpFailure::Stopped
                                               : failureOf(code);
        response->error = message[0] ? message : curl_easy_strerror(code);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return code == CURLE_OK;
}

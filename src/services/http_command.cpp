// The http command: one HTTP/1.1 request (GET, POST or HEAD) over http or
// https through the platform's client, with request headers, the response's
// status and headers, the body as the result, in a variable or in a file,
// redirects and a time limit.
#include "services/http_command.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr long kDefaultTimeoutMs = 30000;
constexpr long kMaxTimeoutMs = 24L * 60 * 60 * 1000;
constexpr long kMaxRedirects = 50;

struct HttpOptions {
    PlatformHttpRequest request;
    const char* file = nullptr;
    const char* body_var = nullptr;
    const char* headers_var = nullptr;
    const char* status_var = nullptr;
};

// Reports a failure under "http METHOD" and leaves an empty result.
int fail(Interpreter* interp, const std::string& command, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
int fail(Interpreter* interp, const std::string& command, const char* format, ...) {
    char message[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    zorakReportError(interp, "%s: %s\n", command.c_str(), message);
    zorakSetResult(interp, "", 0);
    return ERROR;
}

// A whole number from low to high; false for anything else.
bool numberWord(const char* word, long low, long high, long* value) {
    if (!word || !*word) return false;
    long result = 0;
    for (const char* c = word; *c; c++) {
        if (*c < '0' || *c > '9') return false;
        result = result * 10 + (*c - '0');
        if (result > high) return false;
    }
    if (result < low) return false;
    *value = result;
    return true;
}

bool isHttpUrl(const char* url) {
    std::string_view text = url;
    auto schemeIs = [&](std::string_view scheme) {
        return text.size() > scheme.size() &&
               zorakEqualNoCase(text.substr(0, scheme.size()), scheme);
    };
    return schemeIs("http://") || schemeIs("https://");
}

// Reads the options after the URL; reports and returns false on a bad one.
bool readOptions(Interpreter* interp, const std::string& command, int argc, char** argv,
                 HttpOptions* options) {
    PlatformHttpRequest& request = options->request;
    for (int i = 3; i < argc; i++) {
        const char* option = argv[i];
        auto is = [option](const char* name) { return zorakEqualNoCase(option, name); };
        bool known = is("-header") || is("-data") || is("-file") || is("-var") || is("-headers") ||
                     is("-status") || is("-timeout") || is("-redirects") || is("-cafile");
        if (!known) {
            fail(interp, command, "Unknown option '%s'", option);
            return false;
        }
        if (i + 1 >= argc) {
            fail(interp, command, "Option '%s' needs a value", option);
            return false;
        }
        const char* value = argv[++i];
        if (is("-header")) {
            std::string_view header = value;
            size_t colon = header.find(':');
            if (colon == std::string_view::npos || colon == 0 ||
                header.find_first_of("\r\n") != std::string_view::npos) {
                fail(interp, command, "Invalid header '%s' (Name: value)", value);
                return false;
            }
            request.headers.emplace_back(value);
        } else if (is("-data")) {
            if (request.method != "POST") {
                fail(interp, command, "Option '-data' is for post only");
                return false;
            }
            request.body = value;
            request.has_body = true;
        } else if (is("-file")) {
            options->file = value;
        } else if (is("-var")) {
            options->body_var = value;
        } else if (is("-headers")) {
            options->headers_var = value;
        } else if (is("-status")) {
            options->status_var = value;
        } else if (is("-timeout")) {
            if (!numberWord(value, 1, kMaxTimeoutMs, &request.timeout_ms)) {
                fail(interp, command, "Invalid timeout '%s' (1 to %ld ms)", value, kMaxTimeoutMs);
                return false;
            }
        } else if (is("-redirects")) {
            if (!numberWord(value, 0, kMaxRedirects, &request.max_redirects)) {
                fail(interp, command, "Invalid redirect count '%s' (0 to %ld)", value,
                     kMaxRedirects);
                return false;
            }
        } else if (is("-cafile")) {
            request.ca_file = value;
        }
    }
    if (options->file && options->body_var) {
        fail(interp, command, "Options '-file' and '-var' exclude each other");
        return false;
    }
    return true;
}

// The body goes to a file beside the target first and replaces the target
// only when the whole exchange succeeded, so a failed download never
// destroys what was there.
struct BodyFile {
    std::string path;
    std::string part;
    FILE* stream = nullptr;
    bool write_failed = false;

    ~BodyFile() { discard(); }
    bool open(const char* target) {
        path = target;
        part = path + ".part";
        stream = platformOpenStream(part.c_str(), "wb");
        return stream != nullptr;
    }
    static bool sink(void* data, const char* bytes, size_t size) {
        auto* file = static_cast<BodyFile*>(data);
        if (std::fwrite(bytes, 1, size, file->stream) == size) return true;
        file->write_failed = true;
        return false;
    }
    bool commit() {
        bool closed = std::fclose(stream) == 0;
        stream = nullptr;
        if (!closed || !platformRenameFile(part.c_str(), path.c_str())) {
            platformRemoveFile(part.c_str());
            return false;
        }
        return true;
    }
    void discard() {
        if (!stream) return;
        std::fclose(stream);
        stream = nullptr;
        platformRemoveFile(part.c_str());
    }
};

int reportFailure(Interpreter* interp, const std::string& command,
                  const PlatformHttpRequest& request, const PlatformHttpResponse& response) {
    const char* url = request.url.c_str();
    switch (response.failure) {
    case PlatformHttpFailure::BadUrl:
        return fail(interp, command, "Invalid URL '%s'", url);
    case PlatformHttpFailure::Resolve:
        return fail(interp, command, "Unknown host in '%s'", url);
    case PlatformHttpFailure::Connect:
        return fail(interp, command, "Could not connect to '%s'", url);
    case PlatformHttpFailure::Timeout:
        return fail(interp, command, "No answer within %ld ms from '%s'", request.timeout_ms, url);
    case PlatformHttpFailure::Certificate:
        return fail(interp, command, "Certificate of '%s' not trusted (%s)", url,
                    response.error.c_str());
    case PlatformHttpFailure::Redirects:
        return fail(interp, command, "More than %ld redirects from '%s'", request.max_redirects,
                    url);
    case PlatformHttpFailure::TooLarge:
        return fail(interp, command, "Body from '%s' larger than %s bytes (use -file)", url,
                    std::to_string(request.max_body).c_str());
    case PlatformHttpFailure::Unsupported:
        return fail(interp, command, "%s", response.error.c_str());
    default:
        return fail(interp, command, "Request to '%s' failed (%s)", url, response.error.c_str());
    }
}

bool storeVar(Interpreter* interp, const std::string& command, const char* name,
              const std::string& value) {
    if (set_value(interp, name, value.c_str(), 0) == OK) return true;
    fail(interp, command, "Can't set variable '%s'", name);
    return false;
}

// http get|post|head url ?option value ...?
int zorakCommandHttp(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    HttpOptions options;
    PlatformHttpRequest& request = options.request;
    const char* method = argv[1];
    if (zorakEqualNoCase(method, "get"))
        request.method = "GET";
    else if (zorakEqualNoCase(method, "post"))
        request.method = "POST";
    else if (zorakEqualNoCase(method, "head"))
        request.method = "HEAD";
    else
        return fail(interp, argv[0], "Unknown subcommand '%s' (use get, post or head)", method);
    std::string command = std::string(argv[0]) + " " + argv[1];
    request.url = argv[2];
    request.timeout_ms = kDefaultTimeoutMs;
    if (!isHttpUrl(argv[2]))
        return fail(interp, command, "Invalid URL '%s' (http:// or https:// only)", argv[2]);
    if (!readOptions(interp, command, argc, argv, &options)) return ERROR;

    BodyFile file;
    if (options.file) {
        if (!file.open(options.file))
            return fail(interp, command, "Can't write '%s.part'", options.file);
        request.sink = BodyFile::sink;
        request.sink_data = &file;
    }
    PlatformHttpResponse response;
    if (!platformHttpRequest(request, &response)) {
        if (file.write_failed) return fail(interp, command, "Can't write '%s.part'", options.file);
        return reportFailure(interp, command, request, response);
    }

    std::string status = std::to_string(response.status);
    if (options.status_var && !storeVar(interp, command, options.status_var, status)) return ERROR;
    if (options.headers_var) {
        std::vector<const char*> words;
        for (const auto& [name, value] : response.headers) {
            words.push_back(name.c_str());
            words.push_back(value.c_str());
        }
        std::string list = zorakBuildList(static_cast<int>(words.size()), words.data());
        if (!storeVar(interp, command, options.headers_var, list)) return ERROR;
    }
    // A failing status is an error unless the caller asked for the status.
    if (response.status >= 400 && !options.status_var)
        return fail(interp, command, "%ld %s from '%s'", response.status, response.reason.c_str(),
                    request.url.c_str());
    if (options.file && !file.commit())
        return fail(interp, command, "Can't write '%s'", options.file);
    if (options.body_var && !storeVar(interp, command, options.body_var, response.body))
        return ERROR;
    if (options.file || options.body_var || request.method == "HEAD")
        zorakSetResult(interp, status.c_str(), 0);
    else
        zorakSetResult(interp, response.body.c_str(), 0);
    return OK;
}

} // namespace

void zorakRegisterHttpCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "http", zorakCommandHttp, nullptr, 0);
}

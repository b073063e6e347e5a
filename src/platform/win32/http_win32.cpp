// The HTTP client on Windows: WinHTTP in its synchronous form, one session
// per exchange. A CA file is honoured by letting WinHTTP accept an unknown
// issuer and checking, before the request goes out, that the server's
// certificate is signed by one of the file's certificates and is in date;
// the host name check stays WinHTTP's.
#include "platform/platform.h"

#include <windows.h>
#include <wincrypt.h>
#include <winhttp.h>

#include <cstring>
#include <string_view>

namespace {

struct InternetHandle {
    HINTERNET handle = nullptr;
    explicit InternetHandle(HINTERNET h) : handle(h) {}
    ~InternetHandle() {
        if (handle) WinHttpCloseHandle(handle);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
};

std::wstring widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string narrow(const wchar_t* text, size_t length) {
    if (!length) return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr,
                                   nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &out[0], size, nullptr, nullptr);
    return out;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The certificates of a PEM file, each as a certificate context.
struct TrustedCertificates {
    std::vector<PCCERT_CONTEXT> list;
    ~TrustedCertificates() {
        for (PCCERT_CONTEXT cert : list)
            CertFreeCertificateContext(cert);
    }
    bool load(const std::string& path) {
        std::string pem;
        bool complete = false;
        if (!platformReadFile(path.c_str(), &pem, &complete) || !complete) return false;
        static const char kBegin[] = "-----BEGIN CERTIFICATE-----";
        static const char kEnd[] = "-----END CERTIFICATE-----";
        size_t at = 0;
        while ((at = pem.find(kBegin, at)) != std::string::npos) {
            size_t end = pem.find(kEnd, at);
            if (end == std::string::npos) break;
            end += sizeof kEnd - 1;
            std::string block = pem.substr(at, end - at);
            at = end;
            DWORD size = 0;
            if (!CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()),
                                      CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr))
                continue;
            std::vector<BYTE> der(size);
            if (!CryptStringToBinaryA(block.c_str(), static_cast<DWORD>(block.size()),
                                      CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr,
                                      nullptr))
                continue;
            PCCERT_CONTEXT cert = CertCreateCertificateContext(
                X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, der.data(), size);
            if (cert) list.push_back(cert);
        }
        return !list.empty();
    }
    // The server's certificate is one of these, or signed by one of them,
    // and in date.
    bool vouchFor(PCCERT_CONTEXT server) const {
        if (CertVerifyTimeValidity(nullptr, server->pCertInfo) != 0) return false;
        for (PCCERT_CONTEXT trusted : list) {
            if (CertCompareCertificate(X509_ASN_ENCODING, trusted->pCertInfo, server->pCertInfo))
                return true;
            if (CryptVerifyCertificateSignatureEx(
                    0, X509_ASN_ENCODING, CRYPT_VERIFY_CERT_SIGN_SUBJECT_CERT,
                    const_cast<CERT_CONTEXT*>(server), CRYPT_VERIFY_CERT_SIGN_ISSUER_CERT,
                    const_cast<CERT_CONTEXT*>(trusted), 0, nullptr))
                return true;
        }
        return false;
    }
};

struct CertificateCheck {
    const TrustedCertificates* trusted = nullptr;
    bool rejected = false;
};

// Called once the secure connection stands and before the request is sent:
// an untrusted server gets nothing, not even the request line.
void CALLBACK onStatus(HINTERNET request, DWORD_PTR context, DWORD status, LPVOID, DWORD) {
    auto* check = reinterpret_cast<CertificateCheck*>(context);
    if (!check || status != WINHTTP_CALLBACK_STATUS_SENDING_REQUEST) return;
    PCCERT_CONTEXT server = nullptr;
    DWORD size = sizeof server;
    bool trusted =
        WinHttpQueryOption(request, WINHTTP_OPTION_SERVER_CERT_CONTEXT, &server, &size) && server &&
        check->trusted->vouchFor(server);
    if (server) CertFreeCertificateContext(server);
    if (!trusted) {
        check->rejected = true;
        // Closing the request handle stops the send under way.
        WinHttpSetStatusCallback(request, nullptr, 0, 0);
        WinHttpCloseHandle(request);
    }
}

PlatformHttpFailure failureOf(DWORD error) {
    switch (error) {
    case ERROR_WINHTTP_INVALID_URL:
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        return PlatformHttpFailure::BadUrl;
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return PlatformHttpFailure::Resolve;
    case ERROR_WINHTTP_CANNOT_CONNECT:
    case ERROR_WINHTTP_CONNECTION_ERROR:
    case WSAECONNREFUSED:
        return PlatformHttpFailure::Connect;
    // Some WinHTTP versions pass the socket's own timeout on.
    case ERROR_WINHTTP_TIMEOUT:
    case WSAETIMEDOUT:
        return PlatformHttpFailure::Timeout;
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
        return PlatformHttpFailure::Certificate;
    case ERROR_WINHTTP_REDIRECT_FAILED:
        return PlatformHttpFailure::Redirects;
    default:
        return PlatformHttpFailure::Other;
    }
}

bool failWith(PlatformHttpResponse* response, PlatformHttpFailure failure, DWORD error) {
    response->failure = failure;
    response->error = platformErrorText(error);
    if (response->error.empty()) response->error = "WinHTTP error " + std::to_string(error);
    return false;
}

bool failWith(PlatformHttpResponse* response, DWORD error) {
    return failWith(response, failureOf(error), error);
}

// Status line first, then "Name: value" lines.
void readHeaders(HINTERNET request, PlatformHttpResponse* response) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        nullptr, &size, WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return;
    std::wstring wide(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                             &wide[0], &size, WINHTTP_NO_HEADER_INDEX))
        return;
    std::string raw = narrow(wide.c_str(), size / sizeof(wchar_t));
    std::string_view text = raw;
    bool first = true;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (first) {
            first = false;
            size_t space = line.find(' ');
            size_t reason = space == std::string_view::npos ? space : line.find(' ', space + 1);
            if (reason != std::string_view::npos) response->reason = line.substr(reason + 1);
            continue;
        }
        size_t colon = line.find(':');
        if (colon != std::string_view::npos && colon > 0)
            response->headers.emplace_back(std::string(trimmed(line.substr(0, colon))),
                                           std::string(trimmed(line.substr(colon + 1))));
    }
}

bool hasHeader(const std::vector<std::string>& headers, const char* name) {
    size_t length = std::strlen(name);
    for (const std::string& header : headers)
        if (header.size() > length && header[length] == ':' &&
            _strnicmp(header.c_str(), name, length) == 0)
            return true;
    return false;
}

} // namespace

bool platformHttpRequest(const PlatformHttpRequest& request, PlatformHttpResponse* response) {
    *response = PlatformHttpResponse();
    std::wstring url = widen(request.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
        return failWith(response, PlatformHttpFailure::BadUrl, GetLastError());
    std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";
    bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

    TrustedCertificates trusted;
    if (secure && !request.ca_file.empty() && !trusted.load(request.ca_file)) {
        response->failure = PlatformHttpFailure::Certificate;
        response->error = "no certificate could be read from '" + request.ca_file + "'";
        return false;
    }

    InternetHandle session(WinHttpOpen(L"zorak", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session.handle) return failWith(response, GetLastError());
    int timeout = static_cast<int>(request.timeout_ms);
    WinHttpSetTimeouts(session.handle, timeout, timeout, timeout, timeout);
    // The wait for the response's headers has a limit of its own.
    DWORD responseTimeout = static_cast<DWORD>(timeout);
    WinHttpSetOption(session.handle, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeout,
                     sizeof responseTimeout);
    ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(request.timeout_ms);
    InternetHandle connection(WinHttpConnect(session.handle, host.c_str(), parts.nPort, 0));
    if (!connection.handle) return failWith(response, GetLastError());
    std::wstring verb = widen(request.method);
    InternetHandle handle(WinHttpOpenRequest(connection.handle, verb.c_str(), path.c_str(), nullptr,
                                             WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                             secure ? WINHTTP_FLAG_SECURE : 0));
    if (!handle.handle) return failWith(response, GetLastError());

    DWORD policy = request.max_redirects > 0 ? WINHTTP_OPTION_REDIRECT_POLICY_ALWAYS
                                             : WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    WinHttpSetOption(handle.handle, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
    if (request.max_redirects > 0) {
        DWORD most = static_cast<DWORD>(request.max_redirects);
        WinHttpSetOption(handle.handle, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &most,
                         sizeof most);
    }
    CertificateCheck check;
    if (secure && !trusted.list.empty()) {
        DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA;
        WinHttpSetOption(handle.handle, WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
        check.trusted = &trusted;
        WinHttpSetStatusCallback(handle.handle, onStatus, WINHTTP_CALLBACK_FLAG_SEND_REQUEST, 0);
        DWORD_PTR context = reinterpret_cast<DWORD_PTR>(&check);
        WinHttpSetOption(handle.handle, WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context);
    }

    std::string headers;
    for (const std::string& header : request.headers)
        headers += header + "\r\n";
    // The form type is what a post carries unless the caller says otherwise.
    if (request.method == "POST" && !hasHeader(request.headers, "Content-Type"))
        headers += "Content-Type: application/x-www-form-urlencoded\r\n";
    std::wstring wideHeaders = widen(headers);
    DWORD bodySize = static_cast<DWORD>(request.body.size());
    BOOL sent = WinHttpSendRequest(
        handle.handle, wideHeaders.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : wideHeaders.c_str(),
        wideHeaders.empty() ? 0 : static_cast<DWORD>(-1),
        bodySize ? const_cast<char*>(request.body.data()) : WINHTTP_NO_REQUEST_DATA, bodySize,
        bodySize, 0);
    if (check.rejected) {
        handle.handle = nullptr; // closed by the check
        response->failure = PlatformHttpFailure::Certificate;
        response->error = "not signed by a certificate of '" + request.ca_file + "'";
        return false;
    }
    if (!sent || !WinHttpReceiveResponse(handle.handle, nullptr))
        return failWith(response, GetLastError());
    // Each step has its own limit; the exchange as a whole keeps to it too.
    if (GetTickCount64() > deadline)
        return failWith(response, PlatformHttpFailure::Timeout, ERROR_WINHTTP_TIMEOUT);

    DWORD status = 0;
    DWORD size = sizeof status;
    WinHttpQueryHeaders(handle.handle, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    response->status = static_cast<long>(status);
    readHeaders(handle.handle, response);
    // A redirect still standing after the allowed number were followed.
    if (request.max_redirects > 0 && status >= 300 && status < 400 && status != 304) {
        for (const auto& header : response->headers)
            if (_stricmp(header.first.c_str(), "Location") == 0) {
                response->failure = PlatformHttpFailure::Redirects;
                response->error = "too many redirects";
                return false;
            }
    }
    DWORD urlSize = 0;
    WinHttpQueryOption(handle.handle, WINHTTP_OPTION_URL, nullptr, &urlSize);
    if (urlSize) {
        std::wstring final(urlSize / sizeof(wchar_t) + 1, L'\0');
        if (WinHttpQueryOption(handle.handle, WINHTTP_OPTION_URL, &final[0], &urlSize))
            response->final_url = narrow(final.c_str(), std::wcslen(final.c_str()));
    }
    if (request.method == "HEAD") return true;

    std::vector<char> chunk(64 * 1024);
    for (;;) {
        if (GetTickCount64() > deadline)
            return failWith(response, PlatformHttpFailure::Timeout, ERROR_WINHTTP_TIMEOUT);
        DWORD read = 0;
        if (!WinHttpReadData(handle.handle, chunk.data(), static_cast<DWORD>(chunk.size()), &read))
            return failWith(response, GetLastError());
        if (read == 0) break;
        if (request.sink) {
            if (!request.sink(request.sink_data, chunk.data(), read)) {
                response->failure = PlatformHttpFailure::Stopped;
                response->error = "the body could not be stored";
                return false;
            }
        } else {
            if (read > request.max_body - response->body.size()) {
                response->failure = PlatformHttpFailure::TooLarge;
                response->error = "body too large";
                return false;
            }
            response->body.append(chunk.data(), read);
        }
    }
    return true;
}

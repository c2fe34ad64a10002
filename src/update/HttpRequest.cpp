#include "update/HttpRequest.h"

#include "framework/Text.h"

#include <wininet.h>

#include <vector>

namespace zevrin {

std::optional<UrlParts> SplitUrl(const std::wstring& url) {
    // Longer than any address the platform opens; canonicalising one of hundreds of kilobytes
    // (a damaged update file) takes the platform many seconds.
    if (url.size() > INTERNET_MAX_URL_LENGTH) return std::nullopt;
    DWORD size = static_cast<DWORD>(url.size()) * 3 + 64;
    std::vector<wchar_t> canonical(size);
    if (!InternetCanonicalizeUrlW(url.c_str(), canonical.data(), &size, ICU_BROWSER_MODE)) {
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
        canonical.resize(++size);
        if (!InternetCanonicalizeUrlW(url.c_str(), canonical.data(), &size, ICU_BROWSER_MODE)) return std::nullopt;
    }
    URL_COMPONENTSW parts{sizeof(parts)};
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1; // point into the text
    if (!InternetCrackUrlW(canonical.data(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    if (!parts.lpszHostName || parts.dwHostNameLength == 0) return std::nullopt;
    UrlParts out;
    out.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    out.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    out.port = parts.nPort;
    if (parts.lpszUrlPath) out.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) out.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (out.path.empty()) out.path = L"/";
    return out;
}

DWORD EffectiveAccessType(const HttpRequestOptions& options) {
    switch (options.accessType) {
    case 1:
        return INTERNET_OPEN_TYPE_DIRECT;
    case 3:
        return options.proxyHost.empty() ? INTERNET_OPEN_TYPE_PRECONFIG : INTERNET_OPEN_TYPE_PROXY;
    default:
        return INTERNET_OPEN_TYPE_PRECONFIG;
    }
}

std::wstring ProxyText(const HttpRequestOptions& options) {
    if (EffectiveAccessType(options) != INTERNET_OPEN_TYPE_PROXY) return {};
    return fw::Format(L"%s:%d", options.proxyHost.c_str(), options.proxyPort);
}

// A secure request verifies the server's certificate: the date and the name must be right,
// or the send fails, so nobody on the way can answer for the server.
DWORD RequestFlags(const HttpRequestOptions& options, bool secure) {
    DWORD flags = 0;
    if (options.reload) flags |= INTERNET_FLAG_RELOAD;
    if (options.reuseConnection) flags |= INTERNET_FLAG_EXISTING_CONNECT;
    if (options.keepConnection) flags |= INTERNET_FLAG_KEEP_CONNECTION;
    if (options.noAutoRedirect) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (options.noCookies) flags |= INTERNET_FLAG_NO_COOKIES;
    if (options.noCache) flags |= INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (secure) flags |= INTERNET_FLAG_SECURE;
    return flags;
}

std::wstring BuildHeaders(const HttpRequestOptions& options) {
    std::wstring headers;
    auto add = [&headers](const wchar_t* name, const std::wstring& value) {
        if (!value.empty()) headers += std::wstring(name) + L": " + value + L"\r\n";
    };
    add(L"Accept", options.accept);
    add(L"Accept-Language", options.acceptLanguage);
    if (options.rangeStart > 0) add(L"Range", fw::Format(L"bytes=%I64d-", options.rangeStart));
    add(L"Accept-Encoding", options.acceptEncoding);
    add(L"Cookie", options.cookie);
    return headers + options.extraHeaders;
}

} // namespace zevrin

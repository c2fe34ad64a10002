#pragma once
// What one HTTP request is made of: the options a caller may set, the parts of its URL, and
// the pure rules that turn options into the library's flags, proxy text and header block.
// Kept apart from the transfer so that the rules can be read and tested without a network.
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <optional>
#include <string>

namespace zevrin {

inline constexpr wchar_t kDefaultUserAgent[] = L"Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/5.0)";
inline constexpr wchar_t kDefaultAccept[] = L"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

// Request options; a default-constructed record holds the defaults Reset restores.
struct HttpRequestOptions {
    std::wstring userAgent; // empty: kDefaultUserAgent
    int accessType = 0;     // 0 system-configured proxy, 1 direct, 3 named proxy
    std::wstring proxyHost;
    int proxyPort = 80;
    std::wstring userName;
    std::wstring password;
    std::wstring verb; // "GET" is set by RunGet
    std::wstring httpVersion;
    std::wstring referrer;
    std::wstring body; // sent in the system code page when not empty
    bool reload = false;
    bool reuseConnection = true;
    bool keepConnection = true;
    bool noAutoRedirect = false;
    bool noCookies = false;
    bool noCache = false;
    int64_t rangeStart = 0; // resumption offset; negative counts as 0
    int64_t limit = -1;     // bytes wanted; -1 reads to the end
    std::wstring accept = kDefaultAccept;
    std::wstring acceptLanguage;
    std::wstring acceptEncoding;
    std::wstring cookie;
    std::wstring extraHeaders; // appended verbatim
    int bufferSize = 0;        // 0 or less: 4096
    // Without a byte for this long the transfer fails; tests set it shorter.
    DWORD inactivityTimeoutMs = 30000;
    // A body longer than this fails; -1 accepts any length.
    int64_t maxBodyBytes = -1;
};

// An http or https URL taken apart; anything else has no parts.
struct UrlParts {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring path; // with the query
};

std::optional<UrlParts> SplitUrl(const std::wstring& url);

// The access type the library gets: 0, 1 or 3; a named proxy without a host falls back to 0.
DWORD EffectiveAccessType(const HttpRequestOptions& options);
// "host:port" for a named proxy, else empty.
std::wstring ProxyText(const HttpRequestOptions& options);
DWORD RequestFlags(const HttpRequestOptions& options, bool secure);
// The header block: Accept, Accept-Language, Range, Accept-Encoding, Cookie, then the extras.
std::wstring BuildHeaders(const HttpRequestOptions& options);

} // namespace zevrin

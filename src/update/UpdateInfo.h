#pragma once
// The update information the maker publishes: which version is current, where to get it and
// what is new. Also the two rules around it, version order and when an automatic check is
// due, as pure functions.
#include <cstdint>
#include <optional>
#include <string>

namespace zevrin {

struct UpdateInfo {
    std::wstring version;     // "major.minor.patch"
    int level = 0;            // read and kept; nothing depends on it
    std::wstring downloadUrl; // always http or https
    std::wstring description; // "\n" in the file already turned into line breaks
};

// -1, 0 or 1 as a is older than, the same as or newer than b. Each text is three numbers
// separated by dots ("x" counts as -1); anything else reads as 0.0.0.
int CompareVersions(const std::wstring& a, const std::wstring& b);

// Whether an automatic check is due at `now` after one at `last` (seconds since 1970):
// interval 0 always, 1 on another local calendar day, 2 or more after that many whole days,
// a negative interval never.
bool IsUpdateCheckDue(int64_t now, int64_t last, int intervalDays);

// The file's text as downloaded: root "Updates", element "Application" with "Version" and
// "Level", and in it "URL" (required) and "Description". Missing parts fail, and so does a
// download address that is not an http or https URL.
std::optional<UpdateInfo> ParseUpdateInfo(const std::string& fileText);
std::optional<UpdateInfo> ReadUpdateInfoFile(const std::wstring& path);

// An address the program may hand to the browser: http or https, with a host.
bool IsWebUrl(const std::wstring& url);

} // namespace zevrin

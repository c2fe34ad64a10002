#include "update/UpdateInfo.h"

#include "framework/Handles.h"
#include "framework/Text.h"
#include "framework/XmlNesting.h"
#include "update/HttpRequest.h"

#include <tinyxml.h>

#include <array>
#include <ctime>

namespace zevrin {

namespace {

// The update information is a few hundred bytes; the download is bounded far above that.
constexpr LONGLONG kMaxFileBytes = 1 << 20;

using VersionParts = std::array<int, 3>;

VersionParts ParseVersion(const std::wstring& text) {
    std::wstring compact;
    for (wchar_t c : fw::Trim(text))
        if (c != L' ') compact += c;
    VersionParts parts{};
    size_t index = 0, start = 0;
    for (;;) {
        const size_t dot = compact.find(L'.', start);
        const std::wstring part = compact.substr(start, dot == std::wstring::npos ? dot : dot - start);
        if (index == parts.size()) return {};
        parts[index++] = part == L"x" ? -1 : _wtoi(part.c_str());
        if (dot == std::wstring::npos) break;
        start = dot + 1;
    }
    return index == parts.size() ? parts : VersionParts{};
}

std::tm LocalDate(int64_t time) {
    std::tm local{};
    const __time64_t t = time;
    _localtime64_s(&local, &t);
    return local;
}

// The file states no encoding the program relies on: UTF-8 when it is valid UTF-8, else the
// system code page.
std::wstring TextOf(const char* bytes) {
    if (!bytes) return {};
    const std::string_view text(bytes);
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0) > 0)
        return fw::FromCodePage(text, CP_UTF8);
    return fw::FromCodePage(text, CP_ACP);
}

std::wstring ReplaceAll(std::wstring text, std::wstring_view from, std::wstring_view to) {
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Line by line, each line without its trailing white space, joined with CR LF.
std::string NormalizeLines(const std::string& text) {
    std::string out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.pop_back();
        if (start > 0) out += "\r\n";
        out += line;
        start = end + 1;
    }
    return out;
}

} // namespace

int CompareVersions(const std::wstring& a, const std::wstring& b) {
    const VersionParts x = ParseVersion(a), y = ParseVersion(b);
    for (size_t i = 0; i < x.size(); ++i)
        if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
    return 0;
}

bool IsUpdateCheckDue(int64_t now, int64_t last, int intervalDays) {
    if (intervalDays < 0) return false;
    if (intervalDays == 0) return true;
    if (intervalDays == 1) {
        const std::tm a = LocalDate(now), b = LocalDate(last);
        return a.tm_year != b.tm_year || a.tm_mon != b.tm_mon || a.tm_mday != b.tm_mday;
    }
    return (now - last) / 86400 >= intervalDays;
}

bool IsWebUrl(const std::wstring& url) {
    const bool web = _wcsnicmp(url.c_str(), L"http://", 7) == 0 || _wcsnicmp(url.c_str(), L"https://", 8) == 0;
    return web && fw::Trim(url) == url && SplitUrl(url).has_value();
}

std::optional<UpdateInfo> ParseUpdateInfo(const std::string& fileText) {
    if (fileText.empty() || !fw::XmlNestingWithin(fileText)) return std::nullopt;
    TiXmlDocument document;
    document.Parse(NormalizeLines(fileText).c_str(), nullptr, TIXML_ENCODING_LEGACY);
    if (document.Error()) return std::nullopt;
    const TiXmlElement* root = document.RootElement();
    if (!root || root->ValueStr() != "Updates") return std::nullopt;
    const TiXmlElement* application = root->FirstChildElement("Application");
    if (!application) return std::nullopt;
    const TiXmlElement* url = application->FirstChildElement("URL");
    if (!url) return std::nullopt;

    UpdateInfo info;
    info.version = TextOf(application->Attribute("Version"));
    if (info.version.empty()) return std::nullopt;
    application->QueryIntAttribute("Level", &info.level);
    info.downloadUrl = fw::Trim(TextOf(url->GetText()));
    if (!IsWebUrl(info.downloadUrl)) return std::nullopt;
    if (const TiXmlElement* description = application->FirstChildElement("Description"))
        info.description = ReplaceAll(TextOf(description->GetText()), L"\\n", L"\r\n");
    return info;
}

std::optional<UpdateInfo> ReadUpdateInfoFile(const std::wstring& path) {
    fw::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxFileBytes) return std::nullopt;
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!text.empty() &&
        (!ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) || read != text.size()))
        return std::nullopt;
    return ParseUpdateInfo(text);
}

} // namespace zevrin

#include "tools/MediaInfosParser.h"

#include "framework/Handles.h"
#include "framework/Text.h"
#include "framework/XmlNesting.h"

#include <tinyxml.h>

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace zevrin {

namespace {

// A description is a few kilobytes; anything far bigger is not one and is not read into memory.
constexpr LONGLONG kMaxXmlBytes = 16 << 20;

bool ReadSmallFile(const std::wstring& path, std::string& content) {
    fw::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxXmlBytes) return false;
    content.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return content.empty() ||
           (ReadFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr) &&
            read == content.size());
}

// A whole attribute as a decimal number; a missing, partial or out-of-range one changes nothing.
template <class T>
void ReadNumber(const TiXmlElement& e, const char* name, T& field) {
    const char* text = e.Attribute(name);
    if (!text) return;
    const char* end = text + std::strlen(text);
    T value{};
    auto [stop, error] = std::from_chars(text, end, value);
    if (error == std::errc() && stop == end) field = value;
}

void ReadText(const TiXmlElement& e, const char* name, std::wstring& field) {
    if (const char* text = e.Attribute(name)) field = fw::FromCodePage(text, CP_UTF8);
}

// "640x480", "16/9": read as far as they go; a number that can't be read is 0.
void ReadPair(const TiXmlElement& e, const char* name, char separator, int& first, int& second) {
    first = second = 0;
    const char* text = e.Attribute(name);
    if (!text) return;
    char* end = nullptr;
    const long a = std::strtol(text, &end, 10);
    if (end == text) return;
    first = static_cast<int>(a);
    if (*end != separator) return;
    text = end + 1;
    const long b = std::strtol(text, &end, 10);
    if (end != text) second = static_cast<int>(b);
}

void ReadChildText(const TiXmlElement& parent, const char* name, std::wstring& field) {
    const TiXmlElement* child = parent.FirstChildElement(name);
    if (const char* text = child ? child->GetText() : nullptr) field = fw::FromCodePage(text, CP_UTF8);
}

CMediaStream ReadStream(const TiXmlElement& e) {
    CMediaStream s;
    ReadNumber(e, "Type", s.type);
    ReadNumber(e, "Flags", s.flags);
    ReadText(e, "Format", s.format);
    ReadNumber(e, "Codec", s.codec);
    ReadNumber(e, "StartTime", s.startTime);
    ReadNumber(e, "Duration", s.duration);
    ReadNumber(e, "Frames", s.frames);
    if (s.type == kStreamTypeVideo) {
        ReadPair(e, "Resolution", 'x', s.width, s.height);
        ReadPair(e, "Aspect", '/', s.aspectNum, s.aspectDen);
        ReadPair(e, "FrameRate", '/', s.frameRateNum, s.frameRateDen);
        ReadNumber(e, "BitRate", s.bitRate);
    } else if (s.type == kStreamTypeAudio) {
        ReadNumber(e, "Channels", s.channels);
        ReadNumber(e, "SampleRate", s.sampleRate);
        ReadNumber(e, "BitRate", s.bitRate);
    }
    return s;
}

void ReadMeta(const TiXmlElement& meta, CMediaInfo& info) {
    ReadNumber(meta, "Year", info.year);
    ReadNumber(meta, "Track", info.track);
    ReadChildText(meta, "Title", info.title);
    ReadChildText(meta, "Author", info.author);
    ReadChildText(meta, "Copyright", info.copyright);
    ReadChildText(meta, "Comment", info.comment);
    ReadChildText(meta, "Album", info.album);
    ReadChildText(meta, "Genre", info.genre);
}

void ReadMediaInfo(const TiXmlElement& e, CMediaInfo& info) {
    // A record probed before (a retried item) must not keep streams of the earlier report.
    info = CMediaInfo();
    ReadNumber(e, "Flags", info.flags);
    ReadText(e, "Format", info.format);
    ReadNumber(e, "Size", info.size);
    ReadNumber(e, "StartTime", info.startTime);
    ReadNumber(e, "Duration", info.duration);
    ReadNumber(e, "BitRate", info.bitRate);
    ReadNumber(e, "StreamCount", info.streamCount);
    for (const TiXmlElement* s = e.FirstChildElement("Stream"); s; s = s->NextSiblingElement("Stream"))
        info.streams.push_back(ReadStream(*s));
    if (const TiXmlElement* meta = e.FirstChildElement("Meta")) ReadMeta(*meta, info);
}

} // namespace

int ParseMediaInfosText(const std::string& xml, CMediaInfo& info) {
    if (!fw::XmlNestingWithin(xml)) return -1;
    TiXmlDocument doc;
    doc.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error()) return -1;
    const TiXmlElement* root = doc.RootElement();
    if (!root || root->ValueStr() != "MediaInfos") return -1;
    const TiXmlElement* media = root->FirstChildElement("MediaInfo");
    if (!media) return -1;
    ReadMediaInfo(*media, info);
    return 0;
}

int ParseMediaInfos(const std::wstring& xmlPath, CMediaInfo& info) {
    std::string xml;
    if (!ReadSmallFile(xmlPath, xml)) return -1;
    return ParseMediaInfosText(xml, info);
}

} // namespace zevrin

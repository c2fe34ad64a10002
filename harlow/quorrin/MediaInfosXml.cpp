#include "MediaInfosXml.h"

#include "Text.h"

#include <windows.h>

#include <tinyxml.h>

#include <algorithm>
#include <cstdint>

namespace harlow::quorrin {

namespace {

void SetNumber(TiXmlElement& e, const char* name, std::int64_t value) { e.SetAttribute(name, std::to_string(value)); }

std::string Pair(int a, const char* separator, int b) { return std::to_string(a) + separator + std::to_string(b); }

TiXmlElement StreamElement(const StreamReport& s) {
    TiXmlElement e("Stream");
    SetNumber(e, "Type", static_cast<int>(s.type));
    SetNumber(e, "Flags", s.flags);
    e.SetAttribute("Format", CleanUtf8(s.format));
    SetNumber(e, "Codec", s.codec);
    SetNumber(e, "StartTime", s.startTime);
    SetNumber(e, "Duration", s.duration);
    SetNumber(e, "Frames", s.frames);
    if (s.type == StreamType::Video) {
        e.SetAttribute("Resolution", Pair(s.width, "x", s.height));
        e.SetAttribute("Aspect", Pair(s.aspectNum, "/", s.aspectDen));
        e.SetAttribute("FrameRate", Pair(s.frameRateNum, "/", s.frameRateDen));
    }
    if (s.type == StreamType::Audio) {
        SetNumber(e, "Channels", s.channels);
        SetNumber(e, "SampleRate", s.sampleRate);
    }
    if (s.type == StreamType::Video || s.type == StreamType::Audio) SetNumber(e, "BitRate", s.bitRate);
    if (!s.language.empty()) e.SetAttribute("Language", CleanUtf8(s.language));
    return e;
}

void AddText(TiXmlElement& parent, const char* name, const std::string& text) {
    TiXmlElement child(name);
    const std::string clean = CleanUtf8(text);
    if (!clean.empty()) child.InsertEndChild(TiXmlText(clean));
    parent.InsertEndChild(child);
}

TiXmlElement MetaElement(const MetaReport& m) {
    TiXmlElement e("Meta");
    SetNumber(e, "Year", m.year);
    SetNumber(e, "Track", m.track);
    AddText(e, "Title", m.title);
    AddText(e, "Author", m.author);
    AddText(e, "Copyright", m.copyright);
    AddText(e, "Comment", m.comment);
    AddText(e, "Album", m.album);
    AddText(e, "Genre", m.genre);
    return e;
}

} // namespace

std::string BuildMediaInfosXml(const MediaReport& report) {
    TiXmlElement info("MediaInfo");
    SetNumber(info, "Flags", report.flags);
    info.SetAttribute("Format", CleanUtf8(report.format));
    SetNumber(info, "Size", report.size);
    SetNumber(info, "StartTime", report.startTime);
    SetNumber(info, "Duration", report.duration);
    // The program reads BitRate as a 32-bit int.
    SetNumber(info, "BitRate", std::min<std::int64_t>(report.bitRate, INT32_MAX));
    SetNumber(info, "StreamCount", static_cast<std::int64_t>(report.streams.size()));
    for (const StreamReport& s : report.streams) info.InsertEndChild(StreamElement(s));
    info.InsertEndChild(MetaElement(report.meta));

    TiXmlElement root("MediaInfos");
    root.InsertEndChild(info);
    TiXmlDocument doc;
    doc.InsertEndChild(TiXmlDeclaration("1.0", "UTF-8", ""));
    doc.InsertEndChild(root);
    TiXmlPrinter printer;
    printer.SetIndent("  ");
    doc.Accept(&printer);
    return printer.Str();
}

bool WriteFileAtomically(const std::wstring& path, const std::string& content) {
    const std::wstring temp = path + L".part" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (ok && MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temp.c_str());
    return false;
}

} // namespace harlow::quorrin

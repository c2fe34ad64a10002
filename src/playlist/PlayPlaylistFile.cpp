// .play: the program's own XML playlist, in UTF-8.
#include "playlist/PlaylistFile.h"

#include "services/AppInfo.h"
#include "framework/FileBytes.h"
#include "framework/Text.h"
#include "framework/XmlNesting.h"

#include <tinyxml.h>

#include <cerrno>
#include <cstdlib>

namespace zevrin {

namespace {

std::string Utf8(const std::wstring& text) { return fw::ToCodePage(text, CP_UTF8); }
std::wstring Wide(const char* text) { return text ? fw::FromCodePage(text, CP_UTF8) : std::wstring(); }

// A text element, written also when its text is empty.
void AddText(TiXmlElement& parent, const char* name, const std::wstring& text) {
    TiXmlElement element(name);
    if (!text.empty()) element.InsertEndChild(TiXmlText(Utf8(text)));
    parent.InsertEndChild(element);
}

std::wstring ChildText(const TiXmlElement& parent, const char* name) {
    const TiXmlElement* child = parent.FirstChildElement(name);
    return child ? Wide(child->GetText()) : std::wstring();
}

// Decimal attributes; a missing or malformed value gives 0.
uint32_t UnsignedAttribute(const TiXmlElement& element, const char* name) {
    const char* text = element.Attribute(name);
    if (!text || *text == '-') return 0;
    char* end = nullptr;
    errno = 0;
    unsigned long long value = strtoull(text, &end, 10);
    return end != text && *end == '\0' && errno == 0 && value <= 0xFFFFFFFFull ? static_cast<uint32_t>(value) : 0;
}

int64_t SignedAttribute(const TiXmlElement& element, const char* name) {
    const char* text = element.Attribute(name);
    if (!text) return 0;
    char* end = nullptr;
    errno = 0;
    long long value = strtoll(text, &end, 10);
    return end != text && *end == '\0' && errno == 0 ? value : 0;
}

} // namespace

int CPlayPlaylistFile::Read(const std::wstring& path, CPlaylistFileList& list) {
    std::optional<std::string> read = fw::ReadFileBytes(path);
    if (!read) return -1;
    std::string& bytes = *read;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    if (!fw::XmlNestingWithin(bytes)) return -1;
    TiXmlDocument doc;
    doc.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (doc.Error()) return -1;
    const TiXmlElement* root = doc.RootElement();
    if (!root || std::string(root->Value()) != "Plays") return -1;

    list.flags = UnsignedAttribute(*root, "Flags");
    list.title = ChildText(*root, "Title");
    list.artwork = ChildText(*root, "Artwork");
    for (const TiXmlElement* play = root->FirstChildElement("Play"); play; play = play->NextSiblingElement("Play")) {
        if (!play->FirstChildElement("File")) continue;
        auto entry = std::make_unique<CPlaylistEntry>();
        entry->flags = UnsignedAttribute(*play, "Flags");
        entry->duration = SignedAttribute(*play, "Duration");
        entry->path = ChildText(*play, "File");
        entry->title = ChildText(*play, "Title");
        entry->artwork = ChildText(*play, "Artwork");
        list.entries.push_back(std::move(entry));
    }
    return 0;
}

int CPlayPlaylistFile::Write(const std::wstring& path, const CPlaylistFileList& list) {
    TiXmlDocument doc;
    doc.InsertEndChild(TiXmlDeclaration("1.0", "", ""));
    TiXmlElement root("Plays");
    root.SetAttribute("Flags", std::to_string(list.flags));
    root.SetAttribute("Version", "1.0.0");
    root.SetAttribute("Generator", Utf8(fw::Format(L"%s %s", kMakerName, kAppName)));
    AddText(root, "Title", list.title);
    AddText(root, "Artwork", list.artwork);
    for (const auto& entry : list.entries) {
        TiXmlElement play("Play");
        play.SetAttribute("Flags", std::to_string(entry->flags));
        play.SetAttribute("Duration", std::to_string(entry->duration));
        AddText(play, "File", entry->path);
        AddText(play, "Title", entry->title);
        AddText(play, "Artwork", entry->artwork);
        root.InsertEndChild(play);
    }
    doc.InsertEndChild(root);

    TiXmlPrinter printer;
    printer.SetIndent("  ");
    if (!doc.Accept(&printer)) return -1;
    return WriteFileSafely(path, printer.Str()) ? 0 : -1;
}

} // namespace zevrin

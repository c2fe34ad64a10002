#pragma once
// One file type the program can open and associate with itself.
#include <string>

namespace zevrin {

class CFileTypeInfo {
public:
    CFileTypeInfo(std::wstring name, std::wstring extension, int icon);
    virtual ~CFileTypeInfo() = default;

    std::wstring extension;  // with the leading dot, ".3gp"
    std::wstring progId;     // "Tresk.Zevrin.3gp": maker, application, extension without spaces
    std::wstring name;       // "3GP Video"
    int icon;                // icon index inside the program: 2 video, 4 audio, 5 playlist
    int associationState1 = 0;
    int associationState2 = 0;
};

// The ProgID of an extension: "%s.%s%s" of maker, application and extension, spaces removed.
std::wstring MakeProgId(const std::wstring& extension);

} // namespace zevrin

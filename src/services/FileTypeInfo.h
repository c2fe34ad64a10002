#pragma once
// One file type the program can open and associate with itself. The table of types lives in
// the settings; the registry operations that make the program a type's opener (and give the
// extension back to its previous owner) are defined with the other association code in
// system/FileTypeRegistry.cpp.
#include <string>

namespace zevrin {

class CFileTypeInfo {
public:
    CFileTypeInfo(std::wstring name, std::wstring extension, int icon);
    CFileTypeInfo(const CFileTypeInfo&) = default;
    CFileTypeInfo& operator=(const CFileTypeInfo&) = default;
    virtual ~CFileTypeInfo() = default;

    // The extension's key names this ProgID.
    virtual bool IsAssociated() const;
    // Points the extension at this ProgID; `previous` gets what it named before (may be ours).
    virtual bool Associate(std::wstring& previous) const;
    // Gives the extension back to `previous` (or removes it) unless another program took it.
    virtual bool RestoreAssociation(const std::wstring& previous) const;
    // The ProgID's key carries this type's description.
    virtual bool IsRegistered() const;
    // Writes the ProgID: description, icon in the program and the open command.
    virtual bool Register(const std::wstring& programPath) const;
    // Deletes the ProgID's keys.
    virtual bool Unregister(const std::wstring& programPath) const;

    std::wstring extension;    // with the leading dot, ".3gp"
    std::wstring progId;       // "Tresk.Zevrin.3gp": maker, application, extension without spaces
    std::wstring name;         // "3GP Video"
    int icon;                  // icon index inside the program: 2 video, 4 audio, 5 playlist
    int associationState1 = 0; // IsRegistered when the settings page listed the type
    int associationState2 = 0; // IsAssociated when the settings page listed the type

private:
    bool Usable() const { return !extension.empty() && !progId.empty(); }
};

// The ProgID of an extension: "%s.%s%s" of maker, application and extension, spaces removed.
std::wstring MakeProgId(const std::wstring& extension);

} // namespace zevrin

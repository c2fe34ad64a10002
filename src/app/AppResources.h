#pragma once
// The shared resources of the program: fonts, cursor, image lists, the system's icon lists, and
// the paths of the three media tools. Built once at start-up, freed at the end of the process.
#include "framework/Handles.h"

#include <string>

namespace zevrin {

class CAppResources {
public:
    CAppResources() = default;
    CAppResources(const CAppResources&) = delete;
    CAppResources& operator=(const CAppResources&) = delete;

    // Builds everything from the program's resources and the install folder. Reports success
    // in every case: what could not be made stays empty.
    int Init();
    void Free();

    OSVERSIONINFOEXW osVersion{};
    HIMAGELIST smallSysImages = nullptr;  // owned by the system
    HIMAGELIST largeSysImages = nullptr;

    fw::UniqueFont normalFont;
    fw::UniqueFont underlineFont;
    fw::UniqueFont boldFont;
    fw::UniqueFont largeFont;
    fw::UniqueCursor handCursor;
    fw::UniqueImageList buttonImages;

    std::wstring playToolPath;
    std::wstring probeToolPath;
    std::wstring encodeToolPath;
    std::wstring presetFolder;

    // The program runs on Vista or later (NT 6+): per-user class registration and friends.
    bool IsVistaOrLater() const { return osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT && osVersion.dwMajorVersion > 5; }

private:
    void ReadOsVersion();
    void LoadSystemImageLists();
    void CreateFonts();
    void ResolveToolPaths();
};

// The dialog font the program draws with: the default GUI font in Tahoma, 11 pixels high
// unless it already is Tahoma.
LOGFONTW ProgramLogFont();

// The process-wide resources record, published by the application object.
CAppResources& Resources();
void PublishResources(CAppResources* resources);

} // namespace zevrin

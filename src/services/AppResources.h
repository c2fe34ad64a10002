#pragma once
// The shared resources of the program: fonts, cursor, image lists, the system's icon lists, and
// the paths of the three media tools. Built once at start-up, freed at the end of the process.
// The system's icon lists are fetched when first asked for: building them makes the shell read
// its icon cache, which costs more than the rest of start-up before the window shows, and the
// first paint never needs them.
#include "framework/Handles.h"
#include "services/ToolPaths.h"

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

    // The shell's system icon lists (owned by the system); null when the shell has none.
    HIMAGELIST SmallSystemImages();
    HIMAGELIST LargeSystemImages();

    fw::UniqueFont normalFont;
    fw::UniqueFont underlineFont;
    fw::UniqueFont boldFont;
    fw::UniqueFont largeFont;
    fw::UniqueCursor handCursor;
    fw::UniqueImageList buttonImages; // the bars' background strip drawn for 100 %
    int fontDpi = 96;                 // the DPI the four fonts are made for

    // Remakes the fonts for a window of another DPI (the main window moved to another screen).
    void ScaleFonts(int dpi);
    // The bars' background strip drawn for the art scale of `dpi` (made when first asked for).
    HIMAGELIST BarBackground(int dpi);

    std::wstring playToolPath;
    std::wstring probeToolPath;
    std::wstring encodeToolPath;
    std::wstring presetFolder;
    // The tool paths above, as they are handed down.
    ToolPaths Tools() const { return {playToolPath, probeToolPath, encodeToolPath, presetFolder}; }

    // The program runs on Vista or later (NT 6+): per-user class registration and friends.
    bool IsVistaOrLater() const {
        return osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT && osVersion.dwMajorVersion > 5;
    }

private:
    void ReadOsVersion();
    void LoadSystemImageLists();
    void CreateFonts(int dpi);
    void ResolveToolPaths();

    fw::UniqueImageList scaledBackgrounds_[2]; // 150 % and 200 %
    bool sysImagesLoaded_ = false;
    HIMAGELIST smallSysImages_ = nullptr;
    HIMAGELIST largeSysImages_ = nullptr;
};

// The dialog font the program draws with: the default GUI font in Tahoma, 11 pixels high at
// 96 DPI unless it already is Tahoma, scaled to `dpi`.
LOGFONTW ProgramLogFont(int dpi = 96);

// The process-wide resources record, published by the application object.
CAppResources& Resources();
void PublishResources(CAppResources* resources);

} // namespace zevrin

#include "services/AppResources.h"

#include "services/AppInfo.h"
#include "framework/Dpi.h"
#include "res/resource.h"

#include <shellapi.h>

namespace zevrin {

namespace {

CAppResources* published = nullptr;

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

CAppResources& Resources() { return *published; }
void PublishResources(CAppResources* resources) { published = resources; }

LOGFONTW ProgramLogFont(int dpi) {
    LOGFONTW lf{};
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    if (!stock) stock = GetStockObject(SYSTEM_FONT);
    if (stock) GetObjectW(stock, sizeof(lf), &lf);
    if (wcscmp(lf.lfFaceName, L"Tahoma") != 0) {
        wcsncpy(lf.lfFaceName, L"Tahoma", 31);
        lf.lfFaceName[31] = L'\0';
        lf.lfHeight = -11;
    } else {
        lf.lfHeight = fw::UnscaleFrom(lf.lfHeight, fw::SystemDpi()); // the stock font is made for the system DPI
    }
    lf.lfHeight = fw::ScaleTo(lf.lfHeight, dpi);
    return lf;
}

int CAppResources::Init() {
    ReadOsVersion();
    CreateFonts(fw::SystemDpi());
    handCursor.Reset(
        static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_CURSOR), IMAGE_CURSOR,
                                        fw::ScaleTo(32, fontDpi), fw::ScaleTo(32, fontDpi), 0)));

    buttonImages.Reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BAR_BACKGROUND), 8, 0,
                                            RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    // Without the image list nothing else of the program's look can work either; the tool
    // paths then stay empty and every tool run fails cleanly.
    if (!buttonImages) return 0;
    ResolveToolPaths();
    return 0;
}

void CAppResources::Free() {
    normalFont.Reset();
    underlineFont.Reset();
    boldFont.Reset();
    largeFont.Reset();
    handCursor.Reset();
    buttonImages.Reset();
    for (auto& list : scaledBackgrounds_) list.Reset();
}

void CAppResources::ScaleFonts(int dpi) {
    if (dpi > 0 && dpi != fontDpi) CreateFonts(dpi);
}

HIMAGELIST CAppResources::BarBackground(int dpi) {
    const int percent = fw::ArtScalePercent(dpi);
    if (percent == 100) return buttonImages.Get();
    fw::UniqueImageList& list = scaledBackgrounds_[percent == 150 ? 0 : 1];
    if (!list)
        list.Reset(ImageList_LoadImageW(
            GetModuleHandleW(nullptr), MAKEINTRESOURCEW(fw::ArtResourceId(IDB_BAR_BACKGROUND, percent)),
            fw::ArtSize(8, percent), 0, RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    return list ? list.Get() : buttonImages.Get();
}

void CAppResources::ReadOsVersion() {
    osVersion = OSVERSIONINFOEXW{};
    osVersion.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
    GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&osVersion));
    if (osVersion.dwPlatformId == VER_PLATFORM_WIN32_NT && osVersion.dwMajorVersion > 4) {
        osVersion.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
        GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&osVersion));
    }
}

HIMAGELIST CAppResources::SmallSystemImages() {
    LoadSystemImageLists();
    return smallSysImages_;
}

HIMAGELIST CAppResources::LargeSystemImages() {
    LoadSystemImageLists();
    return largeSysImages_;
}

void CAppResources::LoadSystemImageLists() {
    if (sysImagesLoaded_) return;
    sysImagesLoaded_ = true;
    SHFILEINFOW info{};
    smallSysImages_ = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    largeSysImages_ = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX));
}

void CAppResources::CreateFonts(int dpi) {
    fontDpi = dpi;
    LOGFONTW lf = ProgramLogFont(dpi);
    normalFont.Reset(CreateFontIndirectW(&lf));
    lf.lfUnderline = 1;
    underlineFont.Reset(CreateFontIndirectW(&lf));
    lf.lfUnderline = 0;
    lf.lfWeight = FW_BOLD;
    boldFont.Reset(CreateFontIndirectW(&lf));
    lf.lfHeight += lf.lfHeight / 3;
    largeFont.Reset(CreateFontIndirectW(&lf));
}

// A tool that is not installed is not an error here: its bare name is kept, and starting it
// fails later with a clear result.
void CAppResources::ResolveToolPaths() {
    std::wstring folder = AppFolder();
    auto resolve = [&](const wchar_t* name) {
        std::wstring path = folder + L"\\Harlow\\" + name;
        return FileExists(path) ? path : std::wstring(name);
    };
    playToolPath = resolve(L"Vistrel.exe");
    probeToolPath = resolve(L"Quorrin.exe");
    encodeToolPath = resolve(L"Brannet.exe");
    presetFolder = FolderOf(encodeToolPath) + L"\\Presets";
}

} // namespace zevrin

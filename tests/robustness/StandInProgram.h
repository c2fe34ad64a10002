#pragma once
// The installed program run with the stand-in tool in place of all three media tools: a copy of
// Zevrin.exe in a scratch install folder whose Harlow folder holds the stand-in under the tools'
// names, "AppFolder" pointed there for the test's time. What the stand-in does is chosen through
// the environment the program passes on to it (tests/tools/ZevrinTestTool.cpp), and it logs
// each probe and playback run. Also: a watch that keeps asking the program's window for an
// answer and keeps the longest wait, and the last playlist file read back.
#include "../KeepOffline.h"
#include "framework/Handles.h"
#include "framework/Registry.h"
#include "framework/Text.h"
#include "playlist/PlaylistFile.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <optional>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace zevrin::test {

inline constexpr wchar_t kProgramKey[] = L"Software\\Tresk\\Zevrin";

inline std::wstring WinePath(const char* unixPath) {
    std::wstring path = fw::FromCodePage(unixPath ? unixPath : "", CP_UTF8);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path.empty() || path[0] != L'\\' ? path : L"Z:" + path;
}

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::string ReadAll(const std::wstring& path) {
    fw::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    std::string out;
    if (!file) return out;
    char buffer[8192];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) out.append(buffer, read);
    return out;
}

inline void WriteAll(const std::wstring& path, const std::string& bytes) {
    fw::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// "Default.play" where the program keeps it.
inline std::wstring LastPlaylistPath() {
    wchar_t appData[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, TRUE);
    const std::wstring folder = std::wstring(appData) + L"\\Tresk\\Zevrin";
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return folder + L"\\Default.play";
}

// The paths of a playlist file, or nothing with `ok` false when it does not read.
inline std::vector<std::wstring> PlaylistPaths(const std::wstring& path, bool& ok) {
    CPlayPlaylistFile format;
    CPlaylistFileList list;
    ok = format.Read(path, list) == 0;
    std::vector<std::wstring> paths;
    for (const auto& entry : list.entries) paths.push_back(entry->path);
    return paths;
}

// A .play file of `paths`, each marked as already described so that loading it runs no tool.
inline std::string PlayFileOf(const std::vector<std::wstring>& paths) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Plays Flags=\"0\">\n";
    for (const std::wstring& path : paths)
        xml += "<Play Flags=\"0\" Duration=\"60000000\"><File>" + fw::ToCodePage(path, CP_UTF8) + "</File></Play>\n";
    return xml + "</Plays>\n";
}

// The scratch install: Zevrin.exe and the stand-in as the three tools. The registry's
// "AppFolder" and the last playlist are put back as they were when it goes.
class StandInInstall {
public:
    StandInInstall() {
        const char* dist = std::getenv("ZEVRIN_DIST");
        if (!dist) return;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        // A folder of its own each time: a stand-in of the last test may still be on its way out.
        static int serial = 0;
        folder_ = std::wstring(temp) + L"zevrin-standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++serial);
        CreateDirectoryW(folder_.c_str(), nullptr);
        CreateDirectoryW((folder_ + L"\\Harlow").c_str(), nullptr);
        const std::wstring tool = WinePath(ZEVRIN_TEST_TOOL);
        ready_ = CopyFileW((WinePath(dist) + L"\\Zevrin.exe").c_str(), Program().c_str(), FALSE) &&
                 CopyFileW(tool.c_str(), (folder_ + L"\\Harlow\\Vistrel.exe").c_str(), FALSE) &&
                 CopyFileW(tool.c_str(), (folder_ + L"\\Harlow\\Quorrin.exe").c_str(), FALSE) &&
                 CopyFileW(tool.c_str(), (folder_ + L"\\Harlow\\Brannet.exe").c_str(), FALSE);
        auto key = fw::RegKey::Create(HKEY_CURRENT_USER, kProgramKey);
        savedAppFolder_ = key.ReadString(L"AppFolder");
        key.WriteString(L"AppFolder", folder_);
        lastPlaylist_ = ReadAll(LastPlaylistPath());
        hadLastPlaylist_ = Exists(LastPlaylistPath());
        auto settings = fw::RegKey::Create(HKEY_CURRENT_USER, kProgramSettingsKey);
        for (const wchar_t* name : kPresetSettings) savedSettings_.push_back(settings.ReadDword(name));
        SetEnvironmentVariableW(L"ZEVRIN_TEST_TOOL_LOG", Log().c_str());
    }
    ~StandInInstall() {
        auto key = fw::RegKey::Create(HKEY_CURRENT_USER, kProgramKey);
        if (savedAppFolder_) key.WriteString(L"AppFolder", *savedAppFolder_);
        else key.DeleteValue(L"AppFolder");
        if (hadLastPlaylist_) WriteAll(LastPlaylistPath(), lastPlaylist_);
        else DeleteFileW(LastPlaylistPath().c_str());
        // The settings the tests preset go back to what the other tests of the prefix had.
        auto settings = fw::RegKey::Create(HKEY_CURRENT_USER, kProgramSettingsKey);
        for (size_t i = 0; i < savedSettings_.size(); ++i) {
            if (savedSettings_[i]) settings.WriteDword(kPresetSettings[i], *savedSettings_[i]);
            else settings.DeleteValue(kPresetSettings[i]);
        }
        for (const wchar_t* name : {L"ZEVRIN_TEST_TOOL_LOG", L"ZEVRIN_TEST_TOOL_PROBE", L"ZEVRIN_TEST_TOOL_PLAYBACK"})
            SetEnvironmentVariableW(name, nullptr);
        // The stand-ins end by themselves; one still running keeps its file, which is harmless.
        std::wstring from = folder_ + L'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationW(&op);
    }
    StandInInstall(const StandInInstall&) = delete;
    StandInInstall& operator=(const StandInInstall&) = delete;

    bool Ready() const { return ready_; }
    std::wstring Program() const { return folder_ + L"\\Zevrin.exe"; }
    std::wstring Log() const { return folder_ + L"\\tool.log"; }
    std::string LogText() const { return ReadAll(Log()); }
    // A media file of the scratch media folder; the stand-in probe never reads it.
    std::wstring Folder() const { return folder_ + L"\\media"; }
    std::wstring Media(const wchar_t* name) const {
        CreateDirectoryW(Folder().c_str(), nullptr);
        const std::wstring path = Folder() + L"\\" + name;
        if (!Exists(path)) WriteAll(path, "not read");
        return path;
    }

private:
    std::wstring folder_;
    bool ready_ = false;
    static constexpr const wchar_t* kPresetSettings[] = {L"LoadLastPlaylist", L"Volume", L"Repeat"};
    std::optional<std::wstring> savedAppFolder_;
    std::vector<std::optional<DWORD>> savedSettings_;
    std::string lastPlaylist_;
    bool hadLastPlaylist_ = false;
};

// Keeps sending the window a message that needs its thread to come back to its message loop,
// every 20 ms, and keeps the longest wait and the number of answers slower than `boundMs`: a
// window that waits on a tool shows here.
class ResponsivenessWatch {
public:
    ResponsivenessWatch(HWND window, DWORD boundMs)
        : thread_([this, window, boundMs] {
              while (!stop_) {
                  const ULONGLONG start = GetTickCount64();
                  DWORD_PTR result = 0;
                  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) && !IsWindow(window)) break;
                  const DWORD took = static_cast<DWORD>(GetTickCount64() - start);
                  if (took > longest_) longest_ = took;
                  if (took >= boundMs) ++slow_;
                  ++answers_;
                  Sleep(20);
              }
          }) {}
    ~ResponsivenessWatch() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    DWORD LongestMs() const { return longest_; }
    int Answers() const { return answers_; }
    int SlowAnswers() const { return slow_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<DWORD> longest_{0};
    std::atomic<int> answers_{0};
    std::atomic<int> slow_{0};
    std::thread thread_;
};

} // namespace zevrin::test

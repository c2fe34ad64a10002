#pragma once
// Shared by the tool-bridge tests: where the stand-in tool, the real tools and the clips are,
// and a window that receives tool callbacks while a run blocks another thread.
#include "tools/ToolCallbackDelivery.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <string>

namespace zevrin::test {

inline std::wstring Widen(const char* text) {
    std::wstring out;
    if (!text) return out;
    int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    out.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

// A path of the build machine as the program under Wine sees it.
inline std::wstring HostPath(const char* unixPath) {
    std::wstring path = Widen(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path.empty() || path[0] != L'\\' ? path : L"Z:" + path;
}

inline bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline std::wstring TestToolPath() { return HostPath(ZEVRIN_TEST_TOOL); }

// A tool of the installed tree (ZEVRIN_DIST), or "" when the tree or the tool isn't there.
inline std::wstring HarlowTool(const wchar_t* name) {
    const char* dist = std::getenv("ZEVRIN_DIST");
    if (!dist) return {};
    std::wstring path = HostPath(dist) + L"\\Harlow\\" + name;
    return FileExists(path) ? path : std::wstring();
}

// A clip that the HarlowClips fixture generated.
inline std::wstring ClipPath(const wchar_t* name) { return HostPath(ZEVRIN_TEST_CLIPS) + L"\\" + name; }

// A fresh empty folder for one test's files, removed with its files at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"zevrin-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(path_.c_str());
    }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

inline std::string ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) out.append(buffer, read);
    CloseHandle(file);
    return out;
}

// A message-only window that hands tool callbacks to their wrappers, as the program's own
// receiving windows do.
class CallbackWindow {
public:
    CallbackWindow() {
        static const wchar_t* cls = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ZevrinTestCallbackWindow";
            RegisterClassW(&wc);
            return wc.lpszClassName;
        }();
        hwnd_ = CreateWindowExW(0, cls, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~CallbackWindow() { DestroyWindow(hwnd_); }
    HWND Hwnd() const { return hwnd_; }

    // Runs work on another thread and dispatches this thread's messages until it is done.
    template <class F>
    auto RunPumping(F work) {
        auto future = std::async(std::launch::async, work);
        while (future.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        return future.get();
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA)
            if (std::optional<LRESULT> result = DeliverToolMessage(hwnd, lParam)) return *result;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND hwnd_ = nullptr;
};

} // namespace zevrin::test

namespace zevrin::test {

inline std::string WideToUtf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace zevrin::test

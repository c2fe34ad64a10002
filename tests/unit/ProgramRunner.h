#pragma once
// Runs the installed Zevrin.exe (ZEVRIN_DIST) as a user would and waits for what it shows; the
// update check it would make goes nowhere (KeepOffline.h).
#include "../KeepOffline.h"
#include "framework/Handles.h"
#include "framework/Text.h"

#include <windows.h>

#include <cstdlib>
#include <string>

class ProgramRunner {
public:
    // The installed program as Wine sees it; empty when there is no install tree.
    static std::wstring InstalledProgram() {
        const char* dist = std::getenv("ZEVRIN_DIST");
        if (!dist) return {};
        std::wstring path = L"Z:" + fw::FromCodePage(dist, CP_UTF8) + L"/Zevrin.exe";
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : path;
    }

    ~ProgramRunner() {
        if (process_) {
            TerminateProcess(process_.Get(), 1);
            WaitForSingleObject(process_.Get(), 5000);
        }
    }

    bool Start(const std::wstring& program, const std::wstring& arguments) {
        if (!zevrin::test::KeepUpdateCheckOffline()) return false;
        std::wstring commandLine = L"\"" + program + L"\" " + arguments;
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        CloseHandle(pi.hThread);
        process_.Reset(pi.hProcess);
        pid_ = pi.dwProcessId;
        return true;
    }

    // The program's visible top-level window, waited for up to timeoutMs.
    HWND WaitForWindow(DWORD timeoutMs) const {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(50)) {
            if (HWND hwnd = MainWindow()) return hwnd;
            if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0) break;
        }
        return nullptr;
    }

    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) {
        if (WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
        GetExitCodeProcess(process_.Get(), &exitCode);
        process_.Reset();
        return true;
    }

    // Polls `done` every 100 ms until it holds or the time is up.
    template <class Pred>
    static bool WaitUntil(DWORD timeoutMs, Pred done) {
        for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(100))
            if (done()) return true;
        return done();
    }

    // The program's visible top-level window now; none yet is nullptr.
    HWND MainWindow() const {
        struct Search {
            DWORD pid;
            HWND hwnd;
        } search{pid_, nullptr};
        EnumWindows(
            [](HWND hwnd, LPARAM lp) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lp);
                DWORD owner = 0;
                GetWindowThreadProcessId(hwnd, &owner);
                if (owner != s->pid || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
                s->hwnd = hwnd;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.hwnd;
    }

private:
    fw::UniqueKernelHandle process_;
    DWORD pid_ = 0;
};

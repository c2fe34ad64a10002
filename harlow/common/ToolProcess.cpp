#include "ToolProcess.h"

#include <windows.h>

extern "C" {
#include <libavutil/log.h>
}

namespace harlow {

namespace {

LONG WINAPI EndQuietly(EXCEPTION_POINTERS*) {
    // A fault must end the tool with a failure code, never with a dialog the user has to answer.
    TerminateProcess(GetCurrentProcess(), kExitCrashed);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void PrepareToolProcess() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndQuietly);
    av_log_set_level(AV_LOG_QUIET);
}

bool RunningUnderWine() {
    static const bool wine = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

} // namespace harlow

#include "framework/CommandLineInfo.h"

#include "framework/Text.h"

#include <windows.h>
#include <shellapi.h>

namespace fw {

// Flags the shell does not send are ignored.
void CCommandLineInfo::ParseParam(const wchar_t* param, bool flag, bool) {
    if (flag) {
        if (EqualsNoCase(param, L"dde")) {
            shellCommand = FileDDE;
        } else if (EqualsNoCase(param, L"Register") || EqualsNoCase(param, L"Regserver")) {
            shellCommand = AppRegister;
        } else if (EqualsNoCase(param, L"Unregister") || EqualsNoCase(param, L"Unregserver")) {
            shellCommand = AppUnregister;
        }
    } else if (fileName.empty()) {
        fileName = param;
        if (shellCommand == FileNew) shellCommand = FileOpen;
    }
}

std::vector<std::wstring> SplitCommandLine(const wchar_t* commandLine) {
    std::vector<std::wstring> params;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine, &argc);
    if (!argv) return params;
    for (int i = 1; i < argc; ++i) params.emplace_back(argv[i]);
    LocalFree(argv);
    return params;
}

void ParseCommandLine(CCommandLineInfo& info, const std::vector<std::wstring>& params) {
    for (size_t i = 0; i < params.size(); ++i) {
        const std::wstring& p = params[i];
        bool flag = !p.empty() && (p[0] == L'/' || p[0] == L'-');
        info.ParseParam(flag ? p.c_str() + 1 : p.c_str(), flag, i + 1 == params.size());
    }
}

} // namespace fw

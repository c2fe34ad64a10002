#include "tools/ToolOption.h"

#include <cwchar>

namespace zevrin {

void AppendArgument(std::wstring& commandLine, const std::wstring& text) {
    if (text.empty()) return;
    if (!commandLine.empty()) commandLine.push_back(L' ');
    commandLine += text;
}

std::wstring QuotedToolPath(const std::wstring& toolPath) { return L"\"" + toolPath + L"\""; }

namespace detail {

bool IsQuotedFormat(const wchar_t* format) { return std::wcsstr(format, L"\"%s\"") != nullptr; }

} // namespace detail

} // namespace zevrin

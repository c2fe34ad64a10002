#pragma once
// Small text helpers: printf-style formatting into std::wstring, trimming, code-page conversion
// and string resources.
#include <windows.h>
#include <string>
#include <string_view>

namespace fw {

std::wstring Format(const wchar_t* format, ...);
std::wstring Trim(std::wstring_view text);
std::wstring FromCodePage(std::string_view text, UINT codePage = CP_ACP);
std::string ToCodePage(std::wstring_view text, UINT codePage = CP_ACP);
std::wstring LoadResourceString(UINT id, HINSTANCE module = nullptr);

// The field of a newline-separated resource string such as a document template string.
std::wstring StringField(std::wstring_view text, int index);

bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

} // namespace fw

#pragma once
// Where the files made by make_test_data.sh are, as a Windows path.
#include "framework/Text.h"

#include <cstdlib>
#include <string>

inline std::wstring TestDataPath(const wchar_t* name) {
    const char* dir = std::getenv("ZEVRIN_TEST_DATA");
    std::wstring path = L"Z:" + fw::FromCodePage(dir ? dir : "/nonexistent", CP_UTF8) + L"/" + name;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

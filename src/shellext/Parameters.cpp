#include "Parameters.h"

#include <cwchar>

namespace nobrel {

namespace {
constexpr wchar_t kShiftFlag[] = L" /s";
constexpr size_t kShiftFlagLength = 3;
} // namespace

size_t ParameterCapacity(size_t programLength) {
    const size_t head = programLength + 3; // "program" and a blank
    if (head >= kCommandLineChars) return 0;
    return kCommandLineChars - head < kParameterChars ? kCommandLineChars - head : kParameterChars;
}

ParameterLine BuildParameters(const CFileList& files, bool shift, wchar_t* buffer, size_t capacity) {
    ParameterLine line;
    if (!buffer || capacity == 0) return line;
    const size_t reserved = 1 + (shift ? kShiftFlagLength : 0); // terminator and flag
    for (int i = 0; i < files.Count(); ++i) {
        const wchar_t* path = files.At(i);
        const size_t length = std::wcslen(path);
        if (capacity < reserved || length + 3 > capacity - reserved - line.length) break;
        wchar_t* out = buffer + line.length;
        out[0] = L'"';
        std::wmemcpy(out + 1, path, length);
        out[length + 1] = L'"';
        out[length + 2] = L' ';
        line.length += length + 3;
        ++line.pathsTaken;
    }
    if (shift && capacity >= reserved) {
        std::wmemcpy(buffer + line.length, kShiftFlag, kShiftFlagLength);
        line.length += kShiftFlagLength;
    }
    buffer[line.length] = L'\0';
    return line;
}

} // namespace nobrel

#include "PendingOutput.h"

#include <windows.h>

namespace harlow::brannet {

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

PendingOutput::PendingOutput(std::wstring finalPath)
    : final_(std::move(finalPath)), temp_(final_ + L".part" + std::to_wstring(GetCurrentProcessId())) {}

PendingOutput::~PendingOutput() {
    if (!done_) DeleteFileW(temp_.c_str());
}

bool PendingOutput::Commit() {
    done_ = true;
    if (MoveFileExW(temp_.c_str(), final_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(temp_.c_str());
    return false;
}

} // namespace harlow::brannet

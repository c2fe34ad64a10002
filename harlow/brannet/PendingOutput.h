// An output written under a temporary name beside its final one: renamed into place when the run
// succeeds, deleted when it fails, so a failed run never leaves a partial file.
#pragma once

#include <string>

namespace harlow::brannet {

class PendingOutput {
public:
    explicit PendingOutput(std::wstring finalPath);
    ~PendingOutput();
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    const std::wstring& TempPath() const { return temp_; }
    const std::wstring& FinalPath() const { return final_; }
    bool Commit(); // false when the rename failed; the temporary file is removed either way

private:
    std::wstring final_;
    std::wstring temp_;
    bool done_ = false;
};

bool FileExists(const std::wstring& path);

} // namespace harlow::brannet

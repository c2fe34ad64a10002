#pragma once
// Owns a temporary file and deletes it when it goes out of scope. A tool that has just ended,
// or a scanner looking at the new file, may hold it open for a moment, so a failed deletion is
// retried every 100 ms; but only for a few seconds, because the guard runs on a worker thread
// that a user may be waiting on to stop. A file still held after that is left behind in the
// temporary folder, which is the lesser harm.
#include <string>

namespace zevrin {

class CTempFileGuard {
public:
    static constexpr int kDefaultTries = 50; // 5 s
    static constexpr unsigned kRetryMs = 100;

    explicit CTempFileGuard(std::wstring path, int tries = kDefaultTries) : path_(std::move(path)), tries_(tries) {}
    CTempFileGuard(const CTempFileGuard&) = delete;
    CTempFileGuard& operator=(const CTempFileGuard&) = delete;
    ~CTempFileGuard();

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
    int tries_;
};

} // namespace zevrin

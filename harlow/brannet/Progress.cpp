#include "Progress.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace harlow::brannet {

namespace {
constexpr auto kReportInterval = std::chrono::milliseconds(250);
}

void Progress::Send(std::int32_t type) {
    if (!channel_.Enabled()) return;
    auto block = std::make_unique<EncodeCallbackBlock>();
    std::memset(block.get(), 0, sizeof(EncodeCallbackBlock));
    block->progress = state_;
    channel_.Send(block.get(), type);
}

void Progress::Started(std::int64_t expectedUs) {
    state_.duration = expectedUs;
    state_.percent = expectedUs > 0 ? 0 : -1;
    Send(kCallbackOpened);
    lastSent_ = std::chrono::steady_clock::now();
}

void Progress::Advanced(std::int64_t positionUs, std::int64_t bytes, int frames) {
    state_.position = positionUs;
    state_.bytesWritten = bytes;
    state_.frames = frames;
    if (state_.duration > 0)
        state_.percent =
            static_cast<std::int32_t>(std::clamp<std::int64_t>(positionUs * 100 / state_.duration, 0, 100));
    const auto now = std::chrono::steady_clock::now();
    if (now - lastSent_ < kReportInterval) return;
    lastSent_ = now;
    Send(kCallbackStatus);
}

void Progress::Failed(const std::string& message) {
    // The tool has no standard handles; HARLOW_LOG names a file that collects failure reasons for
    // whoever is diagnosing a run.
    wchar_t log[MAX_PATH];
    if (GetEnvironmentVariableW(L"HARLOW_LOG", log, MAX_PATH) > 0) {
        HANDLE file =
            CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const std::string line = "Brannet: " + message + "\r\n";
            DWORD written = 0;
            WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(file);
        }
    }
    channel_.SendMessageText(kMessageError, message);
}

void Progress::Ended() {
    if (state_.duration > 0) state_.percent = 100;
    Send(kCallbackStatus);
    Send(kCallbackEnded);
}

} // namespace harlow::brannet

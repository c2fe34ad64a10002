// The tool side of the callback protocol: WM_COPYDATA blocks to the caller's window, sent with a
// time-out so that a busy or dead caller can't hang the tool.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "harlow/ToolMessages.h"

namespace harlow {

class CommandLine;

class CallbackChannel {
public:
    CallbackChannel() = default;
    CallbackChannel(HWND window, std::int64_t context) : window_(window), context_(context) {}
    static CallbackChannel FromCommandLine(const CommandLine& args);

    bool Enabled() const { return window_ != nullptr; }
    // False when the caller's window is gone: a tool may then stop, nobody is listening.
    bool CallerAlive() const;

    // Stamps context and type into the block and sends it; false when it was not delivered.
    bool Send(void* block, std::int32_t type, HWND from = nullptr) const;
    bool SendMessageText(std::int32_t code, const std::string& text) const;

private:
    HWND window_ = nullptr;
    std::int64_t context_ = 0;
};

// "-callbackwindow"/"-displaywindow" values are handles written as signed decimals.
std::optional<HWND> ParseWindowHandle(const std::wstring& text);

} // namespace harlow

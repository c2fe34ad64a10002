#include "CallbackChannel.h"

#include "CommandLine.h"
#include "Text.h"

#include <cstring>
#include <memory>

namespace harlow {

namespace {

// Long enough for a caller that is briefly busy, short enough that a hung one costs little.
constexpr UINT kSendTimeoutMs = 2000;

} // namespace

std::optional<HWND> ParseWindowHandle(const std::wstring& text) {
    const std::optional<long long> v = ParseInteger(text);
    if (!v || *v == 0) return std::nullopt;
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(*v));
}

CallbackChannel CallbackChannel::FromCommandLine(const CommandLine& args) {
    const std::optional<std::wstring> window = args.Value(L"-callbackwindow");
    if (!window) return {};
    const std::optional<HWND> handle = ParseWindowHandle(*window);
    if (!handle) return {};
    long long context = 0;
    if (const std::optional<std::wstring> c = args.Value(L"-context")) context = ParseInteger(*c).value_or(0);
    return CallbackChannel(*handle, context);
}

bool CallbackChannel::CallerAlive() const { return window_ && IsWindow(window_); }

bool CallbackChannel::Send(void* block, std::int32_t type, HWND from) const {
    if (!window_) return false;
    auto* head = static_cast<ToolCallbackHead*>(block);
    // The block has room for 32 bits of the context only; the program matches on those.
    head->context = static_cast<std::int32_t>(context_);
    head->type = type;
    COPYDATASTRUCT data{};
    data.dwData = kToolCallbackData;
    data.cbData = kToolCallbackSize;
    data.lpData = block;
    DWORD_PTR result = 0;
    // No SMTO_BLOCK: while we wait, messages the caller sends to us (its commands) still run.
    return SendMessageTimeoutW(window_, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) != 0;
}

bool CallbackChannel::SendMessageText(std::int32_t code, const std::string& text) const {
    if (!window_) return false;
    auto block = std::make_unique<ToolCallbackBlock>();
    std::memset(block.get(), 0, sizeof(ToolCallbackBlock));
    block->head.value = code;
    CopyField(block->head.text, sizeof(block->head.text), text);
    return Send(block.get(), kCallbackMessage);
}

} // namespace harlow

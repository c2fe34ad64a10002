#include "tools/ToolCallbackDelivery.h"

#include "tools/ToolClientRegistry.h"

#include <cstring>

namespace zevrin {

std::optional<LRESULT> DeliverToolMessage(HWND window, LPARAM copyData) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(copyData);
    if (!data || data->dwData != harlow::kToolCallbackData || data->cbData != harlow::kToolCallbackSize ||
        !data->lpData)
        return std::nullopt;
    const auto* bytes = static_cast<const std::byte*>(data->lpData);
    std::int32_t context = 0;
    std::memcpy(&context, bytes, sizeof(context));
    if (context == 0) return std::nullopt;
    std::optional<LRESULT> result;
    WithToolClient(window, context, [&](CToolClient& client) {
        if (client.AcceptsCallbacks()) result = client.Translate(ToolCallbackBytes(bytes, harlow::kToolCallbackSize));
    });
    return result;
}

} // namespace zevrin

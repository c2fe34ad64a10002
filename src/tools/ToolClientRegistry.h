#pragma once
// The tool clients that exist right now. A callback block names its wrapper only by the low 32
// bits of an address, and it comes from another process: it is matched against live wrappers,
// never turned back into a pointer.
#include "tools/ToolClient.h"

#include <cstdint>
#include <functional>

namespace zevrin {

void RegisterToolClient(CToolClient* client);
void UnregisterToolClient(CToolClient* client);

// Calls `use` with the live client whose cookie is `context` and whose callback window is
// `window`, while holding the registry so that the client can't be destroyed meanwhile. False
// when there is no such client.
bool WithToolClient(HWND window, std::int32_t context, const std::function<void(CToolClient&)>& use);

} // namespace zevrin

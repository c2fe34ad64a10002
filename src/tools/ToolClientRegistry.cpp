#include "tools/ToolClientRegistry.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace zevrin {

namespace {

// Recursive: a sink reacting to a callback may itself create or destroy a wrapper.
std::recursive_mutex& RegistryLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::vector<CToolClient*>& Clients() {
    static std::vector<CToolClient*> clients;
    return clients;
}

} // namespace

void RegisterToolClient(CToolClient* client) {
    std::lock_guard guard(RegistryLock());
    Clients().push_back(client);
}

void UnregisterToolClient(CToolClient* client) {
    std::lock_guard guard(RegistryLock());
    std::erase(Clients(), client);
}

bool WithToolClient(HWND window, std::int32_t context, const std::function<void(CToolClient&)>& use) {
    std::lock_guard guard(RegistryLock());
    for (CToolClient* client : Clients()) {
        if (client->ContextCookie() == context && client->CallbackWindow() == window) {
            use(*client);
            return true;
        }
    }
    return false;
}

} // namespace zevrin

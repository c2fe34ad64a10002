#include "services/UpdateUrl.h"

#include "services/AppInfo.h"
#include "framework/Registry.h"

namespace zevrin {

std::wstring UpdateUrl() {
    auto url =
        fw::RegKey::Open(HKEY_CURRENT_USER, std::wstring(kRegistryRoot) + L"\\Settings").ReadString(L"UpdateURL");
    return url && !url->empty() ? *url : std::wstring(kUpdateUrl);
}

} // namespace zevrin

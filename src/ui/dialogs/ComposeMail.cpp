#include "ui/dialogs/ComposeMail.h"

#include "framework/Text.h"

#include <windows.h>
#include <shellapi.h>

namespace zevrin {

void ComposeMail(const std::wstring& address, const std::wstring& subject, const std::wstring& body) {
    std::wstring url = body.empty()
                           ? fw::Format(L"mailto:%s?subject=%s", address.c_str(), subject.c_str())
                           : fw::Format(L"mailto:%s?subject=%s&body=%s", address.c_str(), subject.c_str(), body.c_str());
    ShellExecuteW(nullptr, L"Open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace zevrin

#include "ui/dialogs/ComposeMail.h"

#include "services/AppInfo.h"
#include "framework/Text.h"

#include <windows.h>
#include <shellapi.h>

namespace zevrin {

std::wstring MailToUrl(const std::wstring& address, const std::wstring& subject, const std::wstring& body) {
    return body.empty() ? fw::Format(L"mailto:%s?subject=%s", address.c_str(), subject.c_str())
                        : fw::Format(L"mailto:%s?subject=%s&body=%s", address.c_str(), subject.c_str(), body.c_str());
}

void ComposeMail(const std::wstring& address, const std::wstring& subject, const std::wstring& body) {
    ShellExecuteW(nullptr, L"Open", MailToUrl(address, subject, body).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring SupportMailSubject() { return fw::Format(L"About %s %s", kAppName, kVersion); }

void ComposeSupportMail() { ComposeMail(kSupportAddress, SupportMailSubject()); }

} // namespace zevrin

#pragma once
// New e-mail messages in the user's mail program, through a "mailto:" link the shell opens.
#include <string>

namespace zevrin {

// "mailto:address?subject=subject", with "&body=body" when a body is given; the texts go in
// as they are.
std::wstring MailToUrl(const std::wstring& address, const std::wstring& subject, const std::wstring& body = {});

// Opens a new e-mail message in the user's mail program.
void ComposeMail(const std::wstring& address, const std::wstring& subject, const std::wstring& body = {});

// The message to the maker's support ("Email Us", the About dialog's address): subject
// "About Zevrin 3.0.0", no body.
std::wstring SupportMailSubject();
void ComposeSupportMail();

} // namespace zevrin

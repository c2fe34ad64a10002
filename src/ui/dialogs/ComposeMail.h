#pragma once
#include <string>

namespace zevrin {

// Opens a new e-mail message in the user's mail program.
void ComposeMail(const std::wstring& address, const std::wstring& subject, const std::wstring& body = {});

} // namespace zevrin

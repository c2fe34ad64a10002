#pragma once
// Where the update check looks: the maker's update information, unless the string value
// "UpdateURL" in the "Settings" key names another address (a mirror kept by an administrator,
// or a test's server). It is read at each check and never written by the program.
#include <string>

namespace zevrin {

std::wstring UpdateUrl();

} // namespace zevrin

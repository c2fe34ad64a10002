#include "services/FileTypeInfo.h"

#include "services/AppInfo.h"
#include "framework/Text.h"

#include <algorithm>

namespace zevrin {

CFileTypeInfo::CFileTypeInfo(std::wstring name_, std::wstring extension_, int icon_)
    : extension(std::move(extension_)), progId(MakeProgId(extension)), name(std::move(name_)), icon(icon_) {}

std::wstring MakeProgId(const std::wstring& extension) {
    std::wstring id = fw::Format(L"%s.%s%s", kMakerName, kAppName, extension.c_str());
    std::erase(id, L' ');
    return id;
}

} // namespace zevrin

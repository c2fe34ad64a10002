#include "app/MultiFileCommandLineInfo.h"

namespace zevrin {

void CMultiFileCommandLineInfo::ParseParam(const wchar_t* param, bool flag, bool last) {
    fw::CCommandLineInfo::ParseParam(param, flag, last);
    if (!flag) files.emplace_back(param);
}

} // namespace zevrin
